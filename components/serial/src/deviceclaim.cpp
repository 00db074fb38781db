#include "deviceclaim.h"

#include <sys/file.h>
#include <sys/stat.h>

#include <QFile>
#include <QMutex>
#include <QSet>
#include <cerrno>

namespace kserial {

namespace {

QMutex& tableMutex() {
    static QMutex mutex;
    return mutex;
}

QSet<QString>& claimedDevices() {
    static QSet<QString> devices;
    return devices;
}

}  // namespace

ClaimResult claimDevice(const QString& path, QString* key, int* err) {
    struct stat st {};
    if (stat(QFile::encodeName(path).constData(), &st) != 0) {
        *err = errno;
        return (*err == ENOENT || *err == ENOTDIR || *err == ENODEV || *err == ENXIO)
                   ? ClaimResult::NoDevice
                   : ClaimResult::SystemError;
    }
    if (!S_ISCHR(st.st_mode)) return ClaimResult::NotCharDevice;
    *key = QString::number(quint64(st.st_rdev));  // the device itself, whatever the path

    QMutexLocker lock(&tableMutex());
    if (claimedDevices().contains(*key)) return ClaimResult::HeldInProcess;
    claimedDevices().insert(*key);
    return ClaimResult::Claimed;
}

void releaseDevice(const QString& key) {
    QMutexLocker lock(&tableMutex());
    claimedDevices().remove(key);
}

int lockExclusive(int fd) {
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        if (err == EINTR) continue;
        return (err == ENOLCK || err == EINVAL || err == EOPNOTSUPP) ? 0 : err;
    }
    return 0;
}

}  // namespace kserial
