// The chip's side of the packet format. Replies go out as 46 B9 68 00 L <payload> <sum> 16;
// host packets (46 B9 6A 00 L <payload> <sum> 16) are checked byte by byte as they arrive.
// L counts from the direction byte through the end byte; the sum covers the direction byte
// through the payload and is sent big-endian in the series' width.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zelsim {

// A complete reply packet around `payload`, with a checksum of `width` bytes (1 or 2).
std::vector<uint8_t> frameReply(std::span<const uint8_t> payload, int width);

// Reassembles host packets from single bytes. Anything that is not a well-formed packet with
// the right length, checksum and end byte is dropped without a trace on the line, as the
// bootloader does; the count of dropped packets is kept for the report.
class HostPacketParser {
  public:
    explicit HostPacketParser(int checksumWidth);

    // Takes one byte; returns the payload when this byte completed a good packet.
    std::optional<std::vector<uint8_t>> feed(uint8_t byte);
    // The line carried something unreadable: a packet in progress cannot be trusted.
    void resync();

    uint64_t rejectedPackets() const { return m_rejected; }
    bool midPacket() const { return m_state != State::Hunt; }

  private:
    enum class State { Hunt, HeaderB9, Direction, LengthHigh, Length, Body };

    std::optional<std::vector<uint8_t>> finish();
    void restartWith(uint8_t byte);

    int m_width;
    State m_state = State::Hunt;
    uint8_t m_length = 0;
    std::vector<uint8_t> m_body;  // bytes after the length byte
    uint64_t m_rejected = 0;
};

}  // namespace zelsim
