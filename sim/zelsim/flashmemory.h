// The chip's program flash. It behaves like real NOR flash: erasing sets bytes to FF and
// programming can only clear bits (new = old AND data), so writing over unerased bytes shows.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zelsim {

class FlashMemory {
  public:
    // A blank flash of `size` bytes, holding `initial` from address 0 where given.
    explicit FlashMemory(size_t size, std::span<const uint8_t> initial = {});

    size_t size() const { return m_bytes.size(); }
    const std::vector<uint8_t>& bytes() const { return m_bytes; }

    // Erases `count` bytes from `start`, clipped to the flash.
    void erase(size_t start, size_t count);
    void eraseAll() { erase(0, m_bytes.size()); }
    // Programs `data` at `address`; false (and nothing changed) when it would leave the flash.
    bool program(size_t address, std::span<const uint8_t> data);

  private:
    std::vector<uint8_t> m_bytes;
};

}  // namespace zelsim
