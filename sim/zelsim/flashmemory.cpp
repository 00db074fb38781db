#include "zelsim/flashmemory.h"

#include <algorithm>

namespace zelsim {

FlashMemory::FlashMemory(size_t size, std::span<const uint8_t> initial) : m_bytes(size, 0xFF) {
    std::copy_n(initial.begin(), std::min(initial.size(), size), m_bytes.begin());
}

void FlashMemory::erase(size_t start, size_t count) {
    if (start >= m_bytes.size()) return;
    count = std::min(count, m_bytes.size() - start);
    std::fill_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(start), count, 0xFF);
}

bool FlashMemory::program(size_t address, std::span<const uint8_t> data) {
    if (address > m_bytes.size() || data.size() > m_bytes.size() - address) return false;
    for (size_t i = 0; i < data.size(); ++i) m_bytes[address + i] &= data[i];
    return true;
}

}  // namespace zelsim
