#include "uucplock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kserial {

namespace {

QMutex& overrideMutex() {
    static QMutex mutex;
    return mutex;
}

QString& lockDirOverride() {
    static QString dir;
    return dir;
}

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QByteArray lockContent(qint64 pid) {
    return QByteArray::number(pid).rightJustified(10, ' ') + '\n';
}

// What a lock file holds. Anyone may create files in the lock directory, so the name may lead
// to a FIFO (whose open waits for a writer for ever), a device or a link: only a regular file
// is read, opened so that the open itself never waits.
struct LockFileContent {
    bool regular = true;  // false: something else stands under the name
    std::optional<qint64> pid;
};

LockFileContent readLockFile(const QString& path) {
    LockFileContent content;
    const int fd =
        ::open(encoded(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // ELOOP: a symbolic link stands under the name.
        content.regular = errno != ELOOP;
        return content;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        content.regular = false;
        ::close(fd);
        return content;
    }
    char buffer[64];
    ssize_t n = 0;
    do {
        n = ::read(fd, buffer, sizeof buffer);
    } while (n < 0 && errno == EINTR);
    ::close(fd);
    if (n > 0) content.pid = parseLockPid(QByteArray(buffer, qsizetype(n)));
    return content;
}

std::optional<qint64> readLockPid(const QString& path) {
    return readLockFile(path).pid;
}

// Writes a lock file under a temporary name and links it into place, so no other program
// ever reads a lock file that is still empty. Returns 0, EEXIST or another errno.
int createLockFile(const QString& path, const QByteArray& content) {
    const QString dir = QFileInfo(path).absolutePath();
    const QString temporary =
        dir + QStringLiteral("/LTMP.%1.%2")
                  .arg(::getpid())
                  .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    const int fd = ::open(encoded(temporary).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) return errno;
    const bool written =
        ::write(fd, content.constData(), size_t(content.size())) == ssize_t(content.size());
    ::close(fd);
    int result = written ? 0 : EIO;
    if (written && ::link(encoded(temporary).constData(), encoded(path).constData()) != 0)
        result = errno;
    ::unlink(encoded(temporary).constData());
    return result;
}

}  // namespace

std::optional<qint64> parseLockPid(const QByteArray& content) {
    // Four bytes without a newline may be an old binary lock, unless they read as a number:
    // "2659" written by a program that leaves out the padding and the newline.
    const bool looksLikeText = std::all_of(content.cbegin(), content.cend(), [](char c) {
        return (c >= '0' && c <= '9') || c == ' ' || c == '\n';
    });
    if (content.size() == 4 && !looksLikeText) {
        qint32 binary = 0;
        std::memcpy(&binary, content.constData(), 4);
        if (binary > 0) return binary;
    }
    bool ok = false;
    const qint64 pid = content.trimmed().toLongLong(&ok);
    if (!ok || pid <= 0) return std::nullopt;
    return pid;
}

QString lockDirectory() {
    {
        QMutexLocker lock(&overrideMutex());
        if (!lockDirOverride().isEmpty()) return lockDirOverride();
    }
    const QString fromEnvironment = qEnvironmentVariable("KORVAN_LOCK_DIR");
    if (!fromEnvironment.isEmpty()) return fromEnvironment;
    for (const char* dir : {"/var/lock", "/run/lock"}) {
        if (QFileInfo(QString::fromLatin1(dir)).isDir()) return QString::fromLatin1(dir);
    }
    return QStringLiteral("/var/lock");
}

void setLockDirectory(const QString& dir) {
    QMutexLocker lock(&overrideMutex());
    lockDirOverride() = dir;
}

QString lockFileName(const QString& devicePath) {
    const QString real = QFileInfo(devicePath).canonicalFilePath();
    return QStringLiteral("LCK..") + QFileInfo(real.isEmpty() ? devicePath : real).fileName();
}

UucpLock::Result UucpLock::acquire(const QString& devicePath) {
    release();
    m_holder = {};
    m_refused.clear();
    const QString path = lockDirectory() + u'/' + lockFileName(devicePath);
    const qint64 self = ::getpid();
    const QByteArray content = lockContent(self);
    // A stale lock may be taken over by another program at the same moment; a few rounds
    // settle who won.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int err = createLockFile(path, content);
        if (err == 0) {
            m_path = path;
            return Result::Locked;
        }
        const LockFileContent existing = readLockFile(path);
        if (!existing.regular) {
            // Not a lock any program makes, and perhaps planted to block the port: it is
            // neither trusted nor removed.
            m_refused = path;
            return Result::NotAFile;
        }
        const std::optional<qint64> pid = existing.pid;
        if (err != EEXIST) {
            // Cannot write the lock directory; a lock someone else holds still counts.
            if (pid && *pid != self && processAlive(*pid)) {
                m_holder = PortHolder{*pid, processName(*pid)};
                return Result::Held;
            }
            return Result::Unlocked;
        }
        // Our own process id in a lock this object does not hold: left by an earlier process
        // that had the same id, as no port of ours is open on the device (the caller checks).
        if (pid && *pid != self && processAlive(*pid)) {
            m_holder = PortHolder{*pid, processName(*pid)};
            return Result::Held;
        }
        if (::unlink(encoded(path).constData()) != 0 && errno != ENOENT) return Result::Unlocked;
    }
    return Result::Unlocked;
}

void UucpLock::release() {
    if (m_path.isEmpty()) return;
    if (readLockPid(m_path) == qint64(::getpid())) ::unlink(encoded(m_path).constData());
    m_path.clear();
}

}  // namespace kserial
