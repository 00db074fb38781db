// What the chip tells about a download once it runs the program: the JSON run report and the
// checksum of its flash image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zelsim/chipcore.h"

namespace zelsim {

// Lower-case hex SHA-256 of `bytes`.
std::string sha256Hex(const std::vector<uint8_t>& bytes);

// The run report: model, clock, final rate, erase and block counts, retries, option bytes and
// the image checksum, as one JSON object.
std::string runReport(const ChipCore& chip);

}  // namespace zelsim
