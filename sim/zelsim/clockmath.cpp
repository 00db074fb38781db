#include "zelsim/clockmath.h"

#include <algorithm>
#include <cmath>

namespace zelsim {

std::array<uint16_t, 8> clockCounts(uint32_t frequency) {
    // The host takes the mean count plus the overhead, in clock units; with counts summing to
    // eight times the mean every rounding in its formula is exact.
    const long mean = std::lround(static_cast<double>(frequency) / kClockUnitHz) - kCountOverhead;
    static constexpr int kJitter[8] = {1, -1, 2, -2, 0, 1, 0, -1};
    std::array<uint16_t, 8> counts{};
    for (size_t i = 0; i < counts.size(); ++i)
        counts[i] = static_cast<uint16_t>(std::clamp(mean + kJitter[i], 0L, 65535L));
    return counts;
}

std::optional<double> rateFromParams(RateMethod method, const std::array<uint8_t, 4>& params,
                                     double frequency) {
    if (method == RateMethod::Timer16) {
        // Timer reload value, its complement's high byte, and a divider hint.
        const unsigned reload = (params[0] << 8) | params[1];
        if (params[2] != 255 - params[0]) return std::nullopt;
        return frequency / (65536.0 - reload) / 32.0;
    }
    double divisor = 0;
    switch (params[0]) {
        case 0xC0:
            divisor = 12;
            break;
        case 0x40:
            divisor = 6;
            break;
        case 0x80:
            divisor = 1;
            break;
        default:
            return std::nullopt;
    }
    if (params[2] != 0xFF - params[0]) return std::nullopt;
    return frequency * divisor / (256.0 - params[1]) / 192.0;
}

bool ratesMatch(double hostRate, double chipRate) {
    return chipRate > 0 && std::fabs(hostRate - chipRate) <= 0.03 * chipRate;
}

}  // namespace zelsim
