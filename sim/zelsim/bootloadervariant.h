// What the bootloader firmware of one ZEL series expects on the wire: checksum width, parity,
// how it turns the four baud parameter bytes into a rate, and the shape of the commands that
// differ between series. This is the chip's own knowledge and is kept apart from the host's.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace zelsim {

enum class RateMethod { Timer16, Timer8 };

// The erase command layouts: whole flash with a filler tail, a sized range with the flash size,
// a sized range with a fixed tail, and the long form padded to a full block.
enum class EraseLayout { Short, Sized, Fixed, Long };

struct BootloaderVariant {
    uint8_t series = 0;
    int checksumWidth = 2;
    bool evenParity = false;
    RateMethod rateMethod = RateMethod::Timer8;
    uint8_t enterCode = 0;             // first byte of the enter-programming command
    uint8_t enterMode = 0;             // second byte of it
    std::vector<uint8_t> readOptHead;  // read-options command up to the model-ID tail
    bool readOptHasTail = false;       // 00 36 01 <model ID> follows readOptHead
    EraseLayout erase = EraseLayout::Long;
    uint8_t end2Mode = 2;  // middle byte of the second end command
};

// The bootloader of a series; nothing for a series byte no known firmware uses.
std::optional<BootloaderVariant> bootloaderFor(uint8_t series);

}  // namespace zelsim
