// UUCP-style lock files, the convention terminal programs on Linux (minicom, picocom, screen
// builds with lock support, cu) follow: a file LCK..<device name> in the system lock
// directory that holds the owner's process id as ten ASCII digits and a newline. A lock whose
// process is gone is stale and taken over.
#pragma once

#include <QString>

#include <optional>

#include "portholder.h"

namespace kserial {

// The lock directory in use: the one set by setLockDirectory, else $KORVAN_LOCK_DIR, else
// /var/lock or /run/lock, whichever exists.
QString lockDirectory();
// "" restores the default.
void setLockDirectory(const QString& dir);

// "LCK..ttyUSB0" for /dev/ttyUSB0 (the device's real path, so links to it share the lock).
QString lockFileName(const QString& devicePath);

class UucpLock {
  public:
    enum class Result {
        Locked,    // the lock file is ours
        Unlocked,  // the lock directory cannot be written: going on without a lock file
        Held,      // a live process holds the lock; see holder()
        NotAFile,  // something other than a regular file stands under the name; see refused()
    };

    UucpLock() = default;
    ~UucpLock() { release(); }
    UucpLock(const UucpLock&) = delete;
    UucpLock& operator=(const UucpLock&) = delete;

    Result acquire(const QString& devicePath);
    // Removes the lock file, if this object made it and it still names this process.
    void release();
    const PortHolder& holder() const { return m_holder; }
    const QString& path() const { return m_path; }        // "" when no file is held
    const QString& refused() const { return m_refused; }  // the file behind NotAFile

  private:
    QString m_path;
    PortHolder m_holder;
    QString m_refused;
};

// The process id a lock file names: ten ASCII digits (blanks around them allowed) or, from
// older programs, a binary int of four bytes. Nothing for anything else.
std::optional<qint64> parseLockPid(const QByteArray& content);

}  // namespace kserial
