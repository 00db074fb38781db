// Reads the line rate set on a terminal, including rates outside the classic B-constants.
#pragma once

#include <cstdint>
#include <optional>

namespace zelsim {

// The output rate of the terminal `fd` in bits per second.
std::optional<uint32_t> lineRate(int fd);

}  // namespace zelsim
