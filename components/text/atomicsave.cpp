#include "atomicsave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <atomic>
#include <cerrno>

namespace ktext {
namespace {

std::atomic<const SaveSystemCalls*> g_calls{nullptr};

ssize_t CallWrite(int fd, const void* data, size_t size) {
    const SaveSystemCalls* calls = g_calls.load();
    return calls && calls->write ? calls->write(fd, data, size) : ::write(fd, data, size);
}

int CallFsync(int fd) {
    const SaveSystemCalls* calls = g_calls.load();
    return calls && calls->fsync ? calls->fsync(fd) : ::fsync(fd);
}

bool Fail(FileError* error, FileError::Kind kind, int errorNumber, const QString& path) {
    if (error) *error = FileError{kind, errorNumber, path};
    return false;
}

bool WriteAll(int fd, QByteArrayView bytes) {
    const char* at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = CallWrite(fd, at, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        // A write that takes nothing and reports no error would loop for ever; a disk that
        // takes nothing is full.
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        at += n;
        left -= n;
    }
    return true;
}

// A new file of a name no other process uses, beside the target. Created with 0666, so the
// umask applies to a new file as it would to one created in place.
int CreateTemporary(const QString& folder, const QString& fileName, QByteArray& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = QFile::encodeName(folder + QStringLiteral("/.") + fileName + u'.' +
                                 QString::number(QRandomGenerator::global()->generate(), 36));
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncFolder(const QByteArray& folder) {
    // Makes the rename itself durable; a file system that cannot sync a folder still renamed.
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

const SaveSystemCalls* SetSaveSystemCallsForTest(const SaveSystemCalls* calls) {
    return g_calls.exchange(calls);
}

bool SaveFileAtomically(const QString& path, QByteArrayView bytes, FileError* error) {
    if (path.isEmpty()) return Fail(error, FileError::Missing, ENOENT, path);
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink() && info.exists()) target = info.canonicalFilePath();
    const QByteArray name = QFile::encodeName(target);
    struct stat old {};
    const bool exists = ::stat(name.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return Fail(error, FileError::NotRegular, 0, path);

    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder)) return Fail(error, FileError::WriteFailed, errno, path);
    QByteArray temp;
    const int fd = CreateTemporary(folder, QFileInfo(target).fileName(), temp);
    if (fd < 0) return Fail(error, FileError::WriteFailed, errno, path);

    // The replacement keeps the old file's permissions.
    bool ok = (!exists || ::fchmod(fd, old.st_mode & 07777) == 0) && WriteAll(fd, bytes) &&
              CallFsync(fd) == 0;
    int errorNumber = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        errorNumber = errno;
    }
    if (ok && ::rename(temp.constData(), name.constData()) != 0) {
        ok = false;
        errorNumber = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        return Fail(error, FileError::WriteFailed, errorNumber, path);
    }
    SyncFolder(QFile::encodeName(folder));
    if (error) *error = FileError{FileError::None, 0, path};
    return true;
}

}  // namespace ktext
