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

// Whether a line the driver reports at `held` runs at the rate `asked` for. A driver may round
// a rate to what its clock divides to; within 1 % the other end still reads every byte, while
// a driver that quietly keeps another rate (115200 for 460800, say) is far outside.
bool rateHeld(uint32_t asked, uint32_t held);

}  // namespace kserial
