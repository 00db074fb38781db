// Reads a tty's line rate the way the kernel holds it (termios2), independently of the code
// under test. Kept free of <termios.h>, whose struct termios clashes with the kernel's.
#pragma once

#include <cstdint>
#include <optional>

struct ProbedRate {
    uint32_t output = 0;
    uint32_t input = 0;
    bool usesBother = false;  // the rate is given in bits per second, not as a Bnnn code
};

std::optional<ProbedRate> probeRate(int fd);
