// Rounding of a quotient to the nearest whole number, halves to the even neighbour, as the
// engine's progress percentages and time-outs are rounded.
#pragma once

#include <cstdint>

namespace zel {

// numerator / denominator rounded half-to-even; both non-negative, denominator above 0.
constexpr int64_t RoundHalfEven(int64_t numerator, int64_t denominator) {
    const int64_t quotient = numerator / denominator;
    const int64_t twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator) return quotient + 1;
    if (twiceRest == denominator) return quotient + (quotient & 1);
    return quotient;
}

}  // namespace zel
