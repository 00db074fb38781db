#include "zelsim/chipframing.h"

#include <algorithm>

namespace zelsim {
namespace {

constexpr uint8_t kHead0 = 0x46;
constexpr uint8_t kHead1 = 0xB9;
constexpr uint8_t kToChip = 0x6A;
constexpr uint8_t kToHost = 0x68;
constexpr uint8_t kEnd = 0x16;

uint32_t widthMask(int width) {
    return width >= 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1;
}

}  // namespace

std::vector<uint8_t> frameReply(std::span<const uint8_t> payload, int width) {
    const size_t n = payload.size();
    const auto w = static_cast<size_t>(width);
    std::vector<uint8_t> packet(5 + n + w + 1);
    packet[0] = kHead0;
    packet[1] = kHead1;
    packet[2] = kToHost;
    packet[3] = 0x00;
    packet[4] = static_cast<uint8_t>(n + 4 + w);
    std::copy(payload.begin(), payload.end(), packet.begin() + 5);
    uint32_t sum = 0;
    for (size_t i = 2; i < 5 + n; ++i) sum += packet[i];
    sum &= widthMask(width);
    for (size_t i = 0; i < w; ++i)
        packet[5 + n + i] = static_cast<uint8_t>(sum >> (8 * (w - 1 - i)));
    packet.back() = kEnd;
    return packet;
}

HostPacketParser::HostPacketParser(int checksumWidth) : m_width(checksumWidth) {}

void HostPacketParser::resync() {
    if (m_state == State::Body) ++m_rejected;
    m_state = State::Hunt;
    m_body.clear();
}

void HostPacketParser::restartWith(uint8_t byte) {
    m_body.clear();
    m_state = byte == kHead0 ? State::HeaderB9 : State::Hunt;
}

std::optional<std::vector<uint8_t>> HostPacketParser::feed(uint8_t byte) {
    switch (m_state) {
        case State::Hunt:
            if (byte == kHead0) m_state = State::HeaderB9;
            return std::nullopt;
        case State::HeaderB9:
            if (byte == kHead1)
                m_state = State::Direction;
            else
                restartWith(byte);
            return std::nullopt;
        case State::Direction:
            if (byte == kToChip)
                m_state = State::LengthHigh;
            else
                restartWith(byte);
            return std::nullopt;
        case State::LengthHigh:
            if (byte == 0x00)
                m_state = State::Length;
            else
                restartWith(byte);
            return std::nullopt;
        case State::Length:
            // At least one payload byte besides direction, length, sum and end byte.
            if (byte < 5 + m_width) {
                ++m_rejected;
                restartWith(byte);
                return std::nullopt;
            }
            m_length = byte;
            m_body.clear();
            m_state = State::Body;
            return std::nullopt;
        case State::Body:
            m_body.push_back(byte);
            if (m_body.size() + 3 < m_length) return std::nullopt;
            return finish();
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> HostPacketParser::finish() {
    m_state = State::Hunt;
    const size_t payloadSize = m_body.size() - static_cast<size_t>(m_width) - 1;
    uint32_t sum = kToChip + 0x00 + m_length;
    for (size_t i = 0; i < payloadSize; ++i) sum += m_body[i];
    sum &= widthMask(m_width);
    uint32_t sent = 0;
    for (int i = 0; i < m_width; ++i) sent = (sent << 8) | m_body[payloadSize + i];
    if (m_body.back() != kEnd || sent != sum) {
        ++m_rejected;
        m_body.clear();
        return std::nullopt;
    }
    std::vector<uint8_t> payload(m_body.begin(), m_body.begin() + payloadSize);
    m_body.clear();
    return payload;
}

}  // namespace zelsim
