#include "termiosline.h"

#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>

#include <cerrno>

#include "customrate.h"

namespace kserial {

namespace {

speed_t standardSpeed(uint32_t baud) {
    switch (baud) {
        case 50:
            return B50;
        case 75:
            return B75;
        case 110:
            return B110;
        case 134:
            return B134;
        case 150:
            return B150;
        case 200:
            return B200;
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 1800:
            return B1800;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        case 230400:
            return B230400;
        case 460800:
            return B460800;
        case 500000:
            return B500000;
        case 576000:
            return B576000;
        case 921600:
            return B921600;
        case 1000000:
            return B1000000;
        case 1152000:
            return B1152000;
        case 1500000:
            return B1500000;
        case 2000000:
            return B2000000;
        case 2500000:
            return B2500000;
        case 3000000:
            return B3000000;
        case 3500000:
            return B3500000;
        case 4000000:
            return B4000000;
        default:
            return B0;
    }
}

tcflag_t characterSize(int dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

// The slave side of a Unix 98 pseudo-terminal (majors 136 to 143).
bool isPseudoTerminal(int fd) {
    struct stat st {};
    return fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && major(st.st_rdev) >= 136 &&
           major(st.st_rdev) <= 143;
}

}  // namespace

int configureLine(int fd, const CommSettings& settings) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return errno;
    cfmakeraw(&tio);
    // Parity is generated on output but not checked on input: a byte with a parity error still
    // reaches the reader unchanged instead of being dropped or replaced.
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | IGNPAR | PARMRK | ISTRIP | IMAXBEL);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD | characterSize(settings.dataBits);
    if (settings.parity != 'N') tio.c_cflag |= PARENB;
    if (settings.parity == 'O') tio.c_cflag |= PARODD;
    if (settings.stopBits == 2) tio.c_cflag |= CSTOPB;
    // With O_NONBLOCK, VMIN 1 makes an empty read fail with EAGAIN, so a read of 0 means hang-up.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;

    const speed_t speed = standardSpeed(settings.baud);
    const bool custom = speed == B0;
    cfsetispeed(&tio, custom ? B38400 : speed);
    cfsetospeed(&tio, custom ? B38400 : speed);
    if (tcsetattr(fd, TCSANOW, &tio) != 0) {
        // A pseudo-terminal has no parity, and some kernels refuse a request that differs from
        // the current settings only in it (1200,N then 1200,E). Ask for what a pty can do.
        const int err = errno;
        if (err != EINVAL || !(tio.c_cflag & PARENB) || !isPseudoTerminal(fd)) return err;
        tio.c_cflag &= ~(PARENB | PARODD);
        if (tcsetattr(fd, TCSANOW, &tio) != 0) return errno;
    }
    return custom ? setCustomRate(fd, settings.baud) : 0;
}

int setModemLineIfPresent(int fd, int line, bool asserted) {
    const int err = driveModemLine(fd, line, asserted);
    return (err == ENOTTY || err == EINVAL) ? 0 : err;
}

int driveModemLine(int fd, int line, bool asserted) {
    int bits = line;
    return ioctl(fd, asserted ? TIOCMBIS : TIOCMBIC, &bits) == 0 ? 0 : errno;
}

int keepLinesOnClose(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return errno;
    if (!(tio.c_cflag & HUPCL)) return 0;
    tio.c_cflag &= ~HUPCL;
    return tcsetattr(fd, TCSANOW, &tio) == 0 ? 0 : errno;
}

void discardPendingInput(int fd) {
    tcflush(fd, TCIFLUSH);
}

}  // namespace kserial
