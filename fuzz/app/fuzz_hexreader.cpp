// The Intel HEX reader on arbitrary text: any input loads (or not) without a fault, and the
// image never exceeds the 16-bit address space plus one full record.
#include "core/hexreader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const korvan::CodeImage image = korvan::ReadIntelHex(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (image.Bytes.size() > 0xFFFF + 0xFF) std::abort();
    return 0;
}
