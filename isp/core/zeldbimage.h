// The database image built into the control; generated from isp/db at build time.
#pragma once

#include <cstddef>

namespace zel::detail {

extern const unsigned char kZelDbImage[];
extern const std::size_t kZelDbImageSize;

}  // namespace zel::detail
