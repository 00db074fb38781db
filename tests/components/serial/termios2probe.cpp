#include "termios2probe.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

std::optional<ProbedRate> probeRate(int fd) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return std::nullopt;
    ProbedRate rate;
    rate.output = tio.c_ospeed;
    rate.input = tio.c_ispeed;
    rate.usesBother = (tio.c_cflag & CBAUD) == BOTHER;
    return rate;
}
