#include "customrate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>

namespace kserial {

int setCustomRate(int fd, uint32_t baud) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return errno;
    // CIBAUD cleared as well: the input rate then follows the output rate.
    tio.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    tio.c_ispeed = baud;
    tio.c_ospeed = baud;
    if (ioctl(fd, TCSETS2, &tio) != 0) return errno;
    return 0;
}

std::optional<uint32_t> currentRate(int fd) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return std::nullopt;
    return uint32_t(tio.c_ospeed);
}

bool rateHeld(uint32_t asked, uint32_t held) {
    const uint64_t difference = asked > held ? asked - held : held - asked;
    return difference * 100 <= asked;
}

}  // namespace kserial
