// Who else holds a serial device: the process named by a lock file, or any process with a
// descriptor open on the device. Used to refuse a port that another program uses and to name
// that program in the refusal.
#pragma once

#include <QString>

#include <optional>

namespace kserial {

struct PortHolder {
    qint64 pid = 0;
    QString name;  // the program's name as the system knows it ("" when it cannot be read)

    // "cat (pid 1234)", or "pid 1234" without a name.
    QString describe() const;
};

// The name of process `pid` ("" when it cannot be read).
QString processName(qint64 pid);

// Whether process `pid` exists (one that belongs to another user counts).
bool processAlive(qint64 pid);

// When `path` is this process's controlling terminal, as /dev/tty or under its own name: the
// leader of the session that owns it (the shell the program was started from), which counts
// as holding it. Nothing for any other device, or without a controlling terminal.
std::optional<PortHolder> controllingTerminalHolder(const QString& path);

// A process other than this one with a descriptor open on the device at `path`, looked up
// under `procDir`. The far end of a pseudo-terminal (the process that holds its master side)
// is not a holder of it, whatever descriptors of the slave side it keeps. Processes whose
// descriptors cannot be read (another user's, without privileges) are not seen.
std::optional<PortHolder> findOtherHolder(const QString& path,
                                          const QString& procDir = QStringLiteral("/proc"));

}  // namespace kserial
