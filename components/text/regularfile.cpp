#include "regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <algorithm>
#include <cerrno>

namespace ktext {
namespace {

std::optional<QByteArray> Fail(FileError* error, FileError::Kind kind, int errorNumber,
                               const QString& path) {
    if (error) *error = FileError{kind, errorNumber, path};
    return std::nullopt;
}

FileError::Kind KindOfOpenError(int errorNumber) {
    return errorNumber == ENOENT || errorNumber == ENOTDIR ? FileError::Missing
                                                           : FileError::ReadFailed;
}

}  // namespace

bool IsRegularFile(const QString& path) {
    struct stat st {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 &&
           S_ISREG(st.st_mode);
}

int OpenRegularFile(const QString& path, FileError* error) {
    auto fail = [&](FileError::Kind kind, int errorNumber) {
        Fail(error, kind, errorNumber, path);
        return -1;
    };
    if (path.isEmpty()) return fail(FileError::Missing, ENOENT);
    const QByteArray name = QFile::encodeName(path);
    // Checked before the open as well: opening a serial device would already move its modem
    // lines, and opening a FIFO for reading could wake a writer.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) return fail(KindOfOpenError(errno), errno);
    if (!S_ISREG(st.st_mode)) return fail(FileError::NotRegular, 0);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return fail(KindOfOpenError(errno), errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int errorNumber = S_ISREG(st.st_mode) ? errno : 0;
        ::close(fd);
        return fail(errorNumber ? FileError::ReadFailed : FileError::NotRegular, errorNumber);
    }
    if (error) *error = FileError{FileError::None, 0, path};
    return fd;
}

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes, FileError* error) {
    const int fd = OpenRegularFile(path, error);
    if (fd < 0) return std::nullopt;
    auto failClosed = [&](FileError::Kind kind, int errorNumber) {
        ::close(fd);
        return Fail(error, kind, errorNumber, path);
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0) return failClosed(FileError::ReadFailed, errno);
    if (st.st_size > maxBytes) return failClosed(FileError::TooLarge, 0);

    // The file may grow while it is read: one byte beyond the bound is enough to refuse it.
    QByteArray bytes(static_cast<qsizetype>(st.st_size), Qt::Uninitialized);
    qint64 used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > maxBytes) return failClosed(FileError::TooLarge, 0);
            bytes.resize(static_cast<qsizetype>(std::min(maxBytes + 1, used + 64 * 1024)));
        }
        const ssize_t n = ::read(fd, bytes.data() + used, static_cast<size_t>(bytes.size() - used));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return failClosed(FileError::ReadFailed, errno);
        if (n == 0) break;
        used += n;
    }
    ::close(fd);
    if (used > maxBytes) return Fail(error, FileError::TooLarge, 0, path);
    bytes.resize(static_cast<qsizetype>(used));
    if (error) *error = FileError{FileError::None, 0, path};
    return bytes;
}

}  // namespace ktext
