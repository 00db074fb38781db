#include "zelsim/bootloadervariant.h"

namespace zelsim {
namespace {

BootloaderVariant oneByteSum(uint8_t series, RateMethod method, uint8_t mode, EraseLayout erase,
                             uint8_t end2Mode) {
    BootloaderVariant v;
    v.series = series;
    v.checksumWidth = 1;
    v.rateMethod = method;
    v.enterCode = 0x80;
    v.enterMode = mode;
    v.readOptHead = {0x50};
    v.erase = erase;
    v.end2Mode = end2Mode;
    return v;
}

// The later series: two-byte sums, even parity, 8-bit timer and a read-options command that
// names the chip.
BootloaderVariant twoByteSum(uint8_t series, uint8_t mode) {
    BootloaderVariant v;
    v.series = series;
    v.checksumWidth = 2;
    v.evenParity = true;
    v.enterCode = 0x50;
    v.enterMode = mode;
    v.readOptHead = {0x69, mode};
    v.readOptHasTail = true;
    return v;
}

}  // namespace

std::optional<BootloaderVariant> bootloaderFor(uint8_t series) {
    switch (series) {
        case 0xFF:
            return oneByteSum(series, RateMethod::Timer16, 0x01, EraseLayout::Short, 2);
        case 0xF0:
        case 0xF1:
            return oneByteSum(series, RateMethod::Timer16, 0x02, EraseLayout::Short, 2);
        case 0xF2:
            return oneByteSum(series, RateMethod::Timer8, 0x03, EraseLayout::Sized, 3);
        case 0xF3:
            return oneByteSum(series, RateMethod::Timer8, 0x04, EraseLayout::Sized, 3);
        case 0xE0:
            return oneByteSum(series, RateMethod::Timer8, 0x04, EraseLayout::Fixed, 2);
        case 0xE6:
            return twoByteSum(series, 0x05);
        case 0xE1:
            return twoByteSum(series, 0x06);
        case 0xD1:
            return twoByteSum(series, 0x07);
        case 0xD2:
            return twoByteSum(series, 0x08);
        case 0xE2:
            return twoByteSum(series, 0x09);
        case 0xD3:
            return twoByteSum(series, 0x0A);
        default:
            return std::nullopt;
    }
}

}  // namespace zelsim
