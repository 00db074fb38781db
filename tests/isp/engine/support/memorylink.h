// An in-memory serial link between the engine and a ChipModel, timed by a VirtualClock. Bytes
// the chip sends reach the engine only while the port is open, and as line garbage when the
// port runs at another rate than the chip sent at.
#pragma once

#include "chipmodel.h"
#include "engineio.h"
#include "virtualclock.h"

#include <functional>
#include <vector>

namespace zel::test {

class MemoryLink : public IspPort {
  public:
    MemoryLink(VirtualClock& clock, ChipModel& chip);
    // Where the chip's bytes go (the engine's BytesReceived).
    void setReceiver(std::function<void(const Bytes&)> receiver) {
        m_receiver = std::move(receiver);
    }
    // Delivers each chip frame in pieces of this many bytes (0 = whole), one ms apart.
    void setPieceSize(size_t size) { m_pieceSize = size; }

    bool open(int64_t rate, Parity parity, PortFailure& failure) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    bool write(const Bytes& bytes) override;
    bool deviceGone() const override { return m_gone; }

    // The next `count` opens fail with this failure.
    void failOpens(int count, PortFailure failure = {8002, QStringLiteral("no such port")});
    // Writes fail from the `n`-th write on (counted from 0, start flags included).
    void failWritesFrom(size_t n) { m_failWritesFrom = n; }
    // The adapter is pulled out: the link closes, and every later open and write fails as
    // those of a vanished device do.
    void unplug();

    struct Opening {
        int64_t rate;
        Parity parity;
        int64_t time;
    };
    const std::vector<Opening>& openings() const { return m_openings; }
    size_t writes() const { return m_writes; }
    int garbled() const { return m_garbled; }

  private:
    void deliver(const Bytes& bytes, int64_t rate);

    VirtualClock& m_clock;
    ChipModel& m_chip;
    std::function<void(const Bytes&)> m_receiver;
    bool m_open = false;
    bool m_gone = false;
    int64_t m_rate = 0;
    Parity m_parity = Parity::None;
    size_t m_pieceSize = 0;
    int m_opensToFail = 0;
    PortFailure m_failure;
    size_t m_failWritesFrom = SIZE_MAX;
    size_t m_writes = 0;
    int m_garbled = 0;
    std::vector<Opening> m_openings;
};

}  // namespace zel::test
