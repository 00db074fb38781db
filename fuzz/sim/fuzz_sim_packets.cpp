// Host packet reassembly: every payload it hands out must have come from a well-formed packet.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "zelsim/chipframing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (int width : {1, 2}) {
        zelsim::HostPacketParser parser(width);
        for (size_t i = 0; i < size; ++i) {
            const auto payload = parser.feed(data[i]);
            if (!payload) continue;
            // The packet ended here; it is the length byte plus two header bytes long.
            const size_t length = payload->size() + 4 + static_cast<size_t>(width);
            if (payload->empty() || i + 1 < length + 2 || data[i] != 0x16) std::abort();
            const size_t start = i + 1 - (length + 2);  // index of the 46 header byte
            if (data[start] != 0x46 || data[start + 1] != 0xB9 || data[start + 4] != length)
                std::abort();
        }
    }
    return 0;
}
