#include "memorylink.h"

namespace zel::test {

MemoryLink::MemoryLink(VirtualClock& clock, ChipModel& chip) : m_clock(clock), m_chip(chip) {
    m_chip.setSender([this](Bytes bytes, int64_t delay, int64_t rate) {
        m_clock.schedule(delay, [this, bytes = std::move(bytes), rate] { deliver(bytes, rate); });
    });
}

bool MemoryLink::open(int64_t rate, Parity parity, PortFailure& failure) {
    if (m_gone) {
        failure = PortFailure{8002, QStringLiteral("no such device")};
        return false;
    }
    if (m_opensToFail > 0) {
        --m_opensToFail;
        failure = m_failure;
        m_open = false;
        return false;
    }
    m_open = true;
    m_rate = rate;
    m_parity = parity;
    m_openings.push_back(Opening{rate, parity, m_clock.now()});
    return true;
}

void MemoryLink::close() {
    m_open = false;
}

bool MemoryLink::write(const Bytes& bytes) {
    const size_t n = m_writes++;
    if (!m_open || m_gone || n >= m_failWritesFrom) return false;
    m_chip.receive(bytes, m_rate, m_parity, m_clock.now());
    return true;
}

void MemoryLink::unplug() {
    m_gone = true;
    m_open = false;
}

void MemoryLink::failOpens(int count, PortFailure failure) {
    m_opensToFail = count;
    m_failure = std::move(failure);
}

void MemoryLink::deliver(const Bytes& bytes, int64_t rate) {
    if (!m_open || !m_receiver) return;
    Bytes received = bytes;
    if (m_chip.config().switchRate != 0 && rate != m_rate) {
        // Sent at one rate, sampled at another: the UART yields noise.
        ++m_garbled;
        for (uint8_t& b : received) b = static_cast<uint8_t>(~b);
    }
    if (m_pieceSize == 0 || received.size() <= m_pieceSize) {
        m_receiver(received);
        return;
    }
    for (size_t at = 0, piece = 0; at < received.size(); at += m_pieceSize, ++piece) {
        const size_t end = std::min(received.size(), at + m_pieceSize);
        Bytes part(received.begin() + static_cast<ptrdiff_t>(at),
                   received.begin() + static_cast<ptrdiff_t>(end));
        m_clock.schedule(static_cast<int64_t>(piece), [this, part = std::move(part)] {
            if (m_open && m_receiver) m_receiver(part);
        });
    }
}

}  // namespace zel::test
