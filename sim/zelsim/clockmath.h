// The chip's arithmetic about its own clock: the eight clock counts it reports while the host
// measures the sync bytes, and the line rate that a set of baud parameters gives.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "zelsim/bootloadervariant.h"

namespace zelsim {

// Clock cycles are counted in units of this many Hz during one sync measurement, and the
// measurement itself costs six units.
inline constexpr uint32_t kClockUnitHz = 2061;
inline constexpr uint32_t kCountOverhead = 6;

// Eight 16-bit counts whose mean, read back by the host, names `frequency` to within one unit.
// The counts jitter a little around the mean as a real measurement does.
std::array<uint16_t, 8> clockCounts(uint32_t frequency);

// The lowest and highest clock the counts can express.
inline constexpr uint32_t kMinFrequency = 1'000'000;
inline constexpr uint32_t kMaxFrequency = 100'000'000;

// The line rate the four parameter bytes set up on a chip clocked at `frequency`; nothing when
// the bytes are not a parameter set this bootloader understands.
std::optional<double> rateFromParams(RateMethod method, const std::array<uint8_t, 4>& params,
                                     double frequency);

// Whether a host line at `hostRate` is read correctly by a UART at `chipRate` (3 %).
bool ratesMatch(double hostRate, double chipRate);

}  // namespace zelsim
