#include "chipmodel.h"

namespace zel::test {

namespace {

constexpr uint8_t kHead1 = 0x46, kHead2 = 0xB9, kToChip = 0x6A, kToHost = 0x68, kEnd = 0x16;

}  // namespace

int64_t HostPacket::blockAddress() const {
    if (payload.size() < 5) return -1;
    return (int64_t{payload[1]} << 24) | (int64_t{payload[2]} << 16) | (int64_t{payload[3]} << 8) |
           payload[4];
}

ChipModel::ChipModel(ChipConfig config)
    : m_config(std::move(config)), m_flash(m_config.flashSize, 0xFF) {
    m_status = buildStatus();
}

Bytes ChipModel::buildStatus() const {
    Bytes status(m_config.longStatus ? 40 : 21, 0x00);
    status[0] = 0x50;
    for (size_t k = 0; k < 8; ++k) {
        status[1 + 2 * k] = static_cast<uint8_t>(m_config.clockCount >> 8);
        status[2 + 2 * k] = static_cast<uint8_t>(m_config.clockCount & 0xFF);
    }
    status[17] = m_config.version;
    status[18] = m_config.versionLetter;
    const size_t idAt = m_config.longStatus ? 20 : 19;
    status[idAt] = m_config.idHigh;
    status[idAt + 1] = m_config.idLow;
    for (const auto& [index, value] : m_config.statusOverrides) {
        if (index < status.size()) status[index] = value;
    }
    return status;
}

Bytes ChipModel::frame(const Bytes& payload, int checksumWidth) {
    // 46 B9 | 68 00 L payload checksum 16, L counting from 68 through 16.
    const size_t length = 3 + payload.size() + static_cast<size_t>(checksumWidth) + 1;
    Bytes out{kHead1, kHead2, kToHost, 0x00, static_cast<uint8_t>(length)};
    uint32_t sum = kToHost + length;
    for (uint8_t b : payload) {
        out.push_back(b);
        sum += b;
    }
    if (checksumWidth == 2) out.push_back(static_cast<uint8_t>(sum >> 8));
    out.push_back(static_cast<uint8_t>(sum));
    out.push_back(kEnd);
    return out;
}

void ChipModel::receive(const Bytes& bytes, int64_t rate, Parity parity, int64_t now) {
    for (uint8_t b : bytes) {
        if (!m_statusSent && b == 0x7F && m_buffer.empty()) {
            ++m_syncSeen;
            if (m_syncSeen == m_config.syncBytesNeeded) {
                m_statusSent = true;
                reply(m_status, m_config.statusDelay, 1200);
            }
            continue;
        }
        m_buffer.push_back(b);
    }
    takePackets(rate, parity, now);
}

void ChipModel::takePackets(int64_t rate, Parity parity, int64_t now) {
    for (;;) {
        size_t start = 0;
        while (start + 1 < m_buffer.size() &&
               !(m_buffer[start] == kHead1 && m_buffer[start + 1] == kHead2)) {
            ++start;
        }
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<ptrdiff_t>(start));
        if (m_buffer.size() < 5) return;
        const size_t total = size_t{m_buffer[4]} + 2;
        if (m_buffer.size() < total) return;
        const Bytes packet(m_buffer.begin(), m_buffer.begin() + static_cast<ptrdiff_t>(total));
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<ptrdiff_t>(total));

        const int width = m_config.checksumWidth;
        uint32_t sum = 0;
        for (size_t i = 2; i + 1 + static_cast<size_t>(width) < total; ++i) sum += packet[i];
        uint32_t carried = packet[total - 2];
        if (width == 2) carried |= uint32_t{packet[total - 3]} << 8;
        const uint32_t mask = width == 2 ? 0xFFFF : 0xFF;
        const bool framed = packet[2] == kToChip && packet[3] == 0x00 &&
                            packet[total - 1] == kEnd && (sum & mask) == carried &&
                            total >= 6 + static_cast<size_t>(width);
        const bool heard = (m_config.switchRate == 0 || rate == m_listenRate) &&
                           (parity == Parity::Even) == m_config.evenParity;
        if (!framed || !heard) {
            ++m_lost;
            continue;
        }
        HostPacket host{Bytes(packet.begin() + 5, packet.end() - 1 - width), rate, parity, now};
        m_packets.push_back(host);
        answer(host);
    }
}

void ChipModel::answer(const HostPacket& packet) {
    const size_t n = m_packets.size() - 1;
    Answer decided = m_script ? m_script(packet, n) : Answer::normal();
    if (decided.kind == Answer::Silent) return;
    const uint8_t command = packet.command();
    int64_t delay = m_config.replyDelay;
    int64_t rate = m_listenRate;

    switch (command) {
        case 0x8F:  // baud test: answered at the new rate
        case 0x8E:  // baud confirm: from now on the chip listens at the new rate too
            if (m_config.switchRate != 0) {
                rate = m_config.switchRate;
                delay = 120;  // after the host's two pauses
                if (command == 0x8E) m_listenRate = m_config.switchRate;
            }
            break;
        case 0x84:
            std::fill(m_flash.begin(), m_flash.end(), 0xFF);
            delay = m_config.eraseDelay;
            break;
        case 0x00:
        case 0x30: {
            const int64_t address = packet.blockAddress();
            if (decided.kind == Answer::Normal && packet.payload.size() == 7 + 128) {
                for (size_t i = 0; i < 128; ++i) {
                    const size_t at = static_cast<size_t>(address) + i;
                    if (at < m_flash.size()) m_flash[at] = packet.payload[7 + i];
                }
            }
            break;
        }
        default:
            break;
    }
    if (decided.kind == Answer::Reply) {
        reply(decided.payload, delay, rate);
        return;
    }
    if (command == 0x52) {
        // The chip leaves its bootloader without a word; the next power-up starts afresh.
        m_statusSent = false;
        m_syncSeen = 0;
        m_listenRate = 1200;
        return;
    }
    const uint8_t code = command == 0x00 || command == 0x30 ? 0x80 : command;
    reply(Bytes{code}, delay, rate);
}

void ChipModel::reply(const Bytes& payload, int64_t delay, int64_t rate) {
    if (m_send) m_send(frame(payload, m_config.checksumWidth), delay, rate);
}

std::vector<HostPacket> ChipModel::packetsWithCommand(uint8_t command) const {
    std::vector<HostPacket> found;
    for (const HostPacket& p : m_packets) {
        if (p.command() == command) found.push_back(p);
    }
    return found;
}

std::vector<std::pair<uint8_t, int64_t>> ChipModel::blockWrites() const {
    std::vector<std::pair<uint8_t, int64_t>> writes;
    for (const HostPacket& p : m_packets) {
        if (p.command() == 0x00 || p.command() == 0x30)
            writes.emplace_back(p.command(), p.blockAddress());
    }
    return writes;
}

}  // namespace zel::test
