#include "savedline.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <cstring>

namespace kserial {

bool isPseudoTerminal(int fd) {
    struct stat st {};
    // Unix 98 pseudo-terminal slaves have majors 136 to 143.
    return ::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && major(st.st_rdev) >= 136 &&
           major(st.st_rdev) <= 143;
}

QByteArray saveLineState(int fd) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return {};
    return QByteArray(reinterpret_cast<const char*>(&tio), sizeof tio);
}

int restoreLineState(int fd, const QByteArray& state) {
    if (state.size() != qsizetype(sizeof(struct termios2))) return EINVAL;
    struct termios2 saved {};
    std::memcpy(&saved, state.constData(), sizeof saved);
    struct termios2 now {};
    if (ioctl(fd, TCGETS2, &now) != 0) return errno;
    saved.c_cflag = (saved.c_cflag & ~tcflag_t(HUPCL)) | (now.c_cflag & HUPCL);
    saved.c_lflag &= ~tcflag_t(ECHO | ECHONL);
    return ioctl(fd, TCSETS2, &saved) == 0 ? 0 : errno;
}

}  // namespace kserial
