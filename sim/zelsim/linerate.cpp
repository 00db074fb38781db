// Kept in a file of its own: the kernel's termios2 header clashes with the C library's termios.
#include "zelsim/linerate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace zelsim {

std::optional<uint32_t> lineRate(int fd) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return std::nullopt;
    return static_cast<uint32_t>(tio.c_ospeed);
}

}  // namespace zelsim
