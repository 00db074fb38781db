// Replacing a file so that it is either the old file or the complete new one: the bytes go to
// a temporary file beside it, every write, fsync and close is checked, and only then is the
// temporary file renamed over the old one. On any failure the old file is left as it was, the
// temporary file is removed, and the caller learns why (a full disk is the usual cause).
#pragma once

#include "fileerror.h"

#include <sys/types.h>
#include <QByteArrayView>
#include <QString>

namespace ktext {

// Creates the folder when missing. A symbolic link is replaced through: the file it names gets
// the new bytes. A path that names a FIFO, a device or a folder is refused.
bool SaveFileAtomically(const QString& path, QByteArrayView bytes, FileError* error = nullptr);

// The system calls the save makes on the temporary file, so that tests can make one fail on
// every machine (a real full disk needs root). Null members mean the real call.
struct SaveSystemCalls {
    ssize_t (*write)(int fd, const void* data, size_t size) = nullptr;
    int (*fsync)(int fd) = nullptr;
};
// Installs `calls` (nullptr for the real ones) and returns what was installed before.
const SaveSystemCalls* SetSaveSystemCallsForTest(const SaveSystemCalls* calls);

}  // namespace ktext
