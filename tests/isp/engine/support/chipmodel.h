// A behavioural ZEL bootloader for engine tests: it answers the start flag with a status
// reply, parses the host's packets with its own framing code (so a framing fault in the host
// is caught, not mirrored), keeps a flash image, and can be told to answer chosen packets
// differently or not at all.
#pragma once

#include "enginetypes.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace zel::test {

struct ChipConfig {
    uint8_t idHigh = 0xF0;  // series byte
    uint8_t idLow = 0x05;
    int checksumWidth = 1;         // of the chip's own frames and of the frames it accepts
    bool evenParity = false;       // packets sent without it are lost on the line
    bool longStatus = false;       // model ID at bytes 20-21 of a 40-byte status payload
    uint16_t clockCount = 0x14F0;  // each of the eight clock counts
    uint8_t version = 0x62;
    uint8_t versionLetter = 'C';
    std::vector<std::pair<size_t, uint8_t>> statusOverrides;  // (index, value) in the status
    int syncBytesNeeded = 3;  // start-flag bytes seen before the chip answers
    int64_t statusDelay = 30;
    int64_t replyDelay = 5;
    int64_t eraseDelay = 300;
    // The rate the chip answers the baud commands at and listens at after the confirm;
    // 0 = no rate checking.
    int64_t switchRate = 0;
    size_t flashSize = 65536;
};

// One packet the chip took off the line.
struct HostPacket {
    Bytes payload;  // command code first
    int64_t rate;
    Parity parity;
    int64_t time;
    uint8_t command() const { return payload.empty() ? 0 : payload[0]; }
    // Address of a block write (command 00 or 30).
    int64_t blockAddress() const;
};

// What the chip does about one packet.
struct Answer {
    enum Kind { Normal, Silent, Reply } kind = Normal;
    Bytes payload;  // for Reply: the reply code and whatever follows
    static Answer normal() { return {}; }
    static Answer silent() { return {Silent, {}}; }
    static Answer reply(Bytes payload) { return {Reply, std::move(payload)}; }
};

class ChipModel {
  public:
    // Sends bytes to the host `delay` ms from now at `rate`.
    using Sender = std::function<void(Bytes bytes, int64_t delay, int64_t rate)>;

    explicit ChipModel(ChipConfig config = {});
    void setSender(Sender sender) { m_send = std::move(sender); }
    // Decides the answer to the n-th packet (0-based) before the chip's own rules do.
    void setScript(std::function<Answer(const HostPacket&, size_t n)> script) {
        m_script = std::move(script);
    }

    // Power off and on: the bootloader waits for the start flag again (flash is kept).
    void restart() {
        m_buffer.clear();
        m_statusSent = false;
        m_syncSeen = 0;
        m_listenRate = 1200;
    }

    // Bytes from the host at the host's port settings.
    void receive(const Bytes& bytes, int64_t rate, Parity parity, int64_t now);

    const ChipConfig& config() const { return m_config; }
    const std::vector<HostPacket>& packets() const { return m_packets; }
    std::vector<HostPacket> packetsWithCommand(uint8_t command) const;
    const Bytes& flash() const { return m_flash; }
    const Bytes& status() const { return m_status; }
    int syncBytesSeen() const { return m_syncSeen; }
    int lostPackets() const { return m_lost; }
    // The block addresses written, in order, with the command code used.
    std::vector<std::pair<uint8_t, int64_t>> blockWrites() const;

    // The chip-side framing, public for tests of the model itself.
    static Bytes frame(const Bytes& payload, int checksumWidth);

  private:
    void takePackets(int64_t rate, Parity parity, int64_t now);
    void answer(const HostPacket& packet);
    void reply(const Bytes& payload, int64_t delay, int64_t rate);
    Bytes buildStatus() const;

    ChipConfig m_config;
    Sender m_send;
    std::function<Answer(const HostPacket&, size_t)> m_script;
    Bytes m_buffer;
    Bytes m_flash;
    Bytes m_status;
    std::vector<HostPacket> m_packets;
    int m_syncSeen = 0;
    bool m_statusSent = false;
    int64_t m_listenRate = 1200;
    int m_lost = 0;
};

}  // namespace zel::test
