// Line rates that have no Bnnn constant, through the kernel's termios2 (BOTHER). Kept apart
// from everything that includes <termios.h>: the kernel's and the C library's definitions of
// struct termios clash.
#pragma once

#include <cstdint>
#include <optional>

namespace kserial {

// Sets input and output rate of the open tty `fd` to `baud`. Returns 0 or an errno value.
int setCustomRate(int fd, uint32_t baud);

// The output rate the kernel holds for `fd`, in bits per second.
std::optional<uint32_t> currentRate(int fd);

}  // namespace kserial
