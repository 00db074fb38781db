// The GBK code page in which zel.db is stored (the shared codec, under the core's names).
#pragma once

#include "gbkcodec.h"

namespace zel {

using ktext::DecodeGbk;
using ktext::EncodeGbk;
using ktext::GbkWidth;

}  // namespace zel
