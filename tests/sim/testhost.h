// A minimal host for driving the virtual chip in tests: it opens the chip's terminal, sets the
// line rate, frames its own packets byte by byte and reads the chip's replies, checking their
// framing strictly. It deliberately shares no code with the product's host side.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "zelsim/virtualchip.h"

namespace simtest {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

// How long a test waits for something the chip is to do. A passing test returns as soon as it
// happens; the bound only ends a test whose chip never does it, and is long enough for a
// machine so busy that a reply takes seconds instead of milliseconds.
inline constexpr std::chrono::milliseconds kPatience = 60s;

// The bytes of all parts one after another.
Bytes cat(std::initializer_list<Bytes> parts);

// 46 B9 6A 00 L payload sum(width, big-endian) 16.
Bytes hostPacket(const Bytes& payload, int width);

// The clock the host computes from a status payload (sum of high bytes A, of low bytes B).
int64_t hostClockFromStatus(const Bytes& status);

// A chip reply as it came off the line.
struct Reply {
    Bytes payload;
    Bytes raw;  // from the 46 header byte through the end byte
};

class TestHost {
  public:
    // `chip`, when the chip runs in this process, lets the host wait until the chip has heard
    // a packet before it changes its line settings (bytes still unread at a change could have
    // gone out at either rate); without it the host pauses as a real one does.
    explicit TestHost(const std::string& path, const zelsim::VirtualChip* chip = nullptr);
    ~TestHost();
    bool isOpen() const { return m_fd >= 0; }

    void setRate(unsigned rate);
    // Sets the rate and waits until the chip has learned it, so that what is sent next went out
    // after the change and not around it (bytes around a change get the benefit of the doubt).
    void moveTo(unsigned rate);
    void send(const Bytes& bytes);
    void sendPacket(const Bytes& payload, int width) { send(hostPacket(payload, width)); }
    // The next well-framed reply (checksum of `width` bytes verified) within `timeout`.
    std::optional<Reply> readReply(int width, std::chrono::milliseconds timeout = kPatience);
    // Everything that arrives within `window`.
    Bytes drain(std::chrono::milliseconds window);
    // Sends 7F every 10 ms at 1200 baud until a reply arrives or `timeout` passes.
    std::optional<Reply> sync(int width, std::chrono::milliseconds timeout = kPatience);
    // A command and its reply.
    std::optional<Reply> command(const Bytes& payload, int width,
                                 std::chrono::milliseconds timeout = kPatience);
    // The baud test or confirm: sent at 1200, the reply awaited at `rate` as a host does.
    std::optional<Reply> baudCommand(const Bytes& payload, int width, unsigned rate);
    void close();
    // True when a read reports that the other side went away.
    bool hungUp(std::chrono::milliseconds timeout);

  private:
    bool readSome(std::chrono::milliseconds timeout);
    int m_fd = -1;
    const zelsim::VirtualChip* m_chip = nullptr;
    Bytes m_pending;
};

// A database file holding the built-in zel.db, made once per test binary.
const std::string& testDatabase();

// Options for a fast chip of `model` reading the test database.
zelsim::ChipOptions fastChip(const std::string& model);

// Payload builders for the commands, written out as the bootloader documents them.
Bytes enterProgramming(uint8_t code, uint8_t mode, uint16_t id);
Bytes blockWrite(uint32_t address, const Bytes& data, bool again = false);
Bytes longErase(unsigned size, unsigned flash);

}  // namespace simtest
