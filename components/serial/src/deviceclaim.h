// One serial device, one owner. Inside the process a table of claimed devices (so a second
// MSComm is refused before it even opens the device and disturbs its lines); towards other
// programs an advisory exclusive flock on the open descriptor.
#pragma once

#include <QString>

namespace kserial {

enum class ClaimResult { Claimed, HeldInProcess, NoDevice, NotCharDevice, SystemError };

// Claims the device at `path` for this process. On success `key` identifies the device (two
// paths to the same device give the same key) for releaseDevice. `err` receives the errno of a
// failed lookup.
ClaimResult claimDevice(const QString& path, QString* key, int* err);
void releaseDevice(const QString& key);

// Takes the exclusive advisory lock on `fd` without waiting. Returns 0, EWOULDBLOCK when another
// descriptor holds it, or another errno. Devices that do not support locks count as locked.
int lockExclusive(int fd);

}  // namespace kserial
