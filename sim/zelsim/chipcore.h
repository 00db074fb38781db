// The behaviour of a ZEL chip and its serial bootloader, without any I/O: bytes come in with
// the rate the host's line was set to, replies go out as transmissions at the chip's rate, and
// time is whatever the caller says it is. The driver (VirtualChip) connects it to a terminal.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "zelsim/chipframing.h"
#include "zelsim/chipmodel.h"
#include "zelsim/faultplan.h"
#include "zelsim/flashmemory.h"
#include "zelsim/softstart.h"
#include "zelsim/statusblock.h"

namespace zelsim {

enum class ChipState {
    Off,         // power cycle in progress: the chip hears nothing
    BootWindow,  // listening at 1200 baud for the sync byte
    Session,     // identified itself; executing bootloader commands
    Running,     // running the program in flash
    HungUp       // the line was closed on purpose (fault)
};

const char* stateName(ChipState state);

// Totals since the chip was created.
struct ChipCounters {
    uint64_t boots = 0;      // boot windows opened
    uint64_t syncBytes = 0;  // sync bytes heard in boot windows
    uint64_t statusReplies = 0;
    uint64_t packets = 0;          // well-formed host packets
    uint64_t badPackets = 0;       // packets dropped for their length, checksum or end byte
    uint64_t garbledBytes = 0;     // bytes sent at a rate the chip was not listening at
    uint64_t ignoredCommands = 0;  // well-formed packets the bootloader does not act on
    uint64_t replies = 0;          // replies put on the line
    uint64_t lostReplies = 0;      // baud replies given up: the host never came to the rate
    uint64_t erases = 0;
    uint64_t blocksWritten = 0;
    uint64_t blockRetries = 0;  // blocks written with the retry command (30)
    uint64_t repeatedCommands = 0;
    uint64_t refusedWrites = 0;
    uint64_t optionWrites = 0;
    uint64_t programRuns = 0;
    uint64_t softStarts = 0;
    uint64_t powerOns = 0;  // supply switched on from outside
};

// What happened in the current (or last) boot session; the run report is made from it.
struct SessionStats {
    uint64_t erases = 0;
    uint64_t blocksWritten = 0;
    uint64_t blockRetries = 0;
    uint64_t repeatedCommands = 0;
    uint64_t optionWrites = 0;
    double finalRate = 1200;
    uint8_t lastEndCommand = 0;         // 82 or 52 once an end command arrived
    std::optional<uint32_t> hostClock;  // the clock the host sent with the options
};

// EndCommand: the first end command arrived; the flash is final. Raised before its reply is
// put on the line.
enum class ChipEvent {
    PowerCycle,
    BootWindowOpen,
    Identified,
    EndCommand,
    ProgramRun,
    HangUp,
    SoftStart
};

// Bytes to put on the line, at a rate.
struct Transmission {
    std::vector<uint8_t> bytes;
    double rate = 1200;
};

struct ChipConfig {
    ChipModel model;
    StatusSetup status;  // status.reportedId already chosen (faults included)
    FaultPlan faults;
    int bootDelayMs = 300;
    int eraseMs = 100;
    int rebootMs = 1000;  // after a program run; negative: never
    std::optional<SoftStart> softStart;
    uint32_t seed = 1;
    // The supply is switched from outside (a DTR-powered board): the chip starts without power,
    // boots only when setPower(true) comes, and never power-cycles by itself.
    bool externalPower = false;
    // Added to every wait for the host (its switch to a new rate, the second end command), so
    // that a host slowed down by a starved machine is not taken for one that went away.
    int hostSlackMs = 0;
};

class ChipCore {
  public:
    static constexpr double kBootRate = 1200;
    static constexpr int kSyncsToAnswer = 3;
    // A baud reply waits this long, then for the host to be at the new rate for kRateSettleMs,
    // and is given up after kRateWaitMs.
    static constexpr int kBaudReplyDelayMs = 100;
    static constexpr int kRateSettleMs = 10;
    static constexpr int kRateWaitMs = 1000;
    // Sync bytes this long after the last exchange mean the user power-cycled for a new job.
    static constexpr int kIdleBeforeResyncMs = 500;
    // How long the chip waits for the second end command before it runs the program anyway.
    static constexpr int kSecondEndWaitMs = 1000;
    // Block write answers: written (the code depends on the series), write failed and should
    // be sent again, and refused (outside the flash, or no erase before it).
    static constexpr uint8_t kReplyWrittenOneByteSum = 0x80;
    static constexpr uint8_t kReplyWrittenTwoByteSum = 0x00;
    static constexpr uint8_t kReplyWriteAgain = 0x81;
    static constexpr uint8_t kReplyRefused = 0x83;

    ChipCore(ChipConfig config, std::span<const uint8_t> initialFlash);

    // Power on: the boot window opens after the boot delay, or, with a soft start, the
    // program in flash runs until the soft-start bytes arrive.
    void powerUp(int64_t nowMs);
    // The supply of an externally powered chip: on opens the boot window after the boot delay,
    // off silences the chip at once. Repeating the current state does nothing.
    void setPower(bool on, int64_t nowMs);
    bool powered() const { return m_powered; }
    // One byte from the host, sent while its line was at `hostRate`. A byte that arrived
    // around a change of the host's settings also names the rate before the change; the
    // bootloader takes the new one, the soft-start detector either.
    void receive(uint8_t byte, double hostRate, int64_t nowMs, double earlierRate = 0);
    // Lets time pass; `hostRate` is the host's line rate now.
    void tick(double hostRate, int64_t nowMs);

    std::vector<Transmission> takeTransmissions();
    std::vector<ChipEvent> takeEvents();
    // When tick() must run next (absolute ms); INT64_MAX when nothing is due.
    int64_t nextWake(int64_t nowMs) const;

    ChipState state() const { return m_state; }
    double rate() const { return m_rate; }
    const ChipConfig& config() const { return m_config; }
    const ChipModel& model() const { return m_config.model; }
    const ChipCounters& counters() const { return m_counters; }
    const SessionStats& session() const { return m_stats; }
    const FlashMemory& flash() const { return m_flash; }
    const std::vector<uint8_t>& statusPayload() const { return m_status; }

    void setLog(std::function<void(const std::string&)> log) { m_log = std::move(log); }

  private:
    struct PendingReply {
        std::vector<uint8_t> packet;
        double rate = kBootRate;
        int64_t notBefore = 0;
        std::optional<double> awaitHostRate;
        int64_t giveUpAt = 0;
        int64_t matchedSince = -1;
    };

    void powerCycle(int64_t now);
    void openBootWindow(int64_t now);
    void resetSession();
    void runProgram(int64_t now);
    void hearBootWindow(uint8_t byte, double hostRate, int64_t now);
    void hearSession(uint8_t byte, double hostRate, double earlierRate, int64_t now);
    void hearRunning(uint8_t byte, double hostRate, double earlierRate, int64_t now);
    bool userPowerCycled(uint8_t byte, double hostRate, int64_t now);
    void sendStatus(int64_t now);
    void servePending(double hostRate, int64_t now);
    void transmit(PendingReply& reply, int64_t now);

    // Commands (chipcommands.cpp).
    void handleCommand(const std::vector<uint8_t>& p, int64_t now);
    bool handleEnterProgramming(const std::vector<uint8_t>& p, int64_t now);
    bool handleReadOptions(const std::vector<uint8_t>& p, int64_t now);
    bool handleBaud(const std::vector<uint8_t>& p, int64_t now);
    bool handleErase(const std::vector<uint8_t>& p, int64_t now);
    bool handleBlockWrite(const std::vector<uint8_t>& p, int64_t now);
    bool handleOptionWrite(const std::vector<uint8_t>& p, int64_t now);
    bool handleEnd(const std::vector<uint8_t>& p, int64_t now);
    std::optional<std::pair<size_t, size_t>> eraseRange(const std::vector<uint8_t>& p) const;

    // Queues a reply to the current packet; `reply` is the payload.
    void reply(std::vector<uint8_t> payload, int64_t now, int64_t notBefore = -1,
               std::optional<double> awaitHostRate = std::nullopt);
    std::vector<uint8_t> framed(const std::vector<uint8_t>& payload, uint64_t replyNumber);
    void log(const std::string& line) const;
    void event(ChipEvent e) { m_events.push_back(e); }

    ChipConfig m_config;
    FlashMemory m_flash;
    std::vector<uint8_t> m_status;
    ChipState m_state = ChipState::Off;
    double m_rate = kBootRate;
    int64_t m_bootAt = 0;
    bool m_powered = true;
    std::optional<int64_t> m_rebootAt;
    std::optional<int64_t> m_secondEndDeadline;
    int m_syncRun = 0;
    int m_idleSyncRun = 0;
    int64_t m_lastExchange = 0;

    // Session state.
    HostPacketParser m_parser;
    uint64_t m_packetNumber = 0;
    bool m_programming = false;
    bool m_erased = false;
    bool m_firstEndSeen = false;
    std::optional<std::array<uint8_t, 4>> m_testedParams;
    std::vector<uint8_t> m_lastPacket;
    std::map<uint32_t, int> m_naksLeft;

    std::deque<uint8_t> m_softStartWindow;
    std::deque<PendingReply> m_pending;
    std::vector<Transmission> m_out;
    std::vector<ChipEvent> m_events;
    ChipCounters m_counters;
    SessionStats m_stats;
    std::mt19937 m_random;
    std::function<void(const std::string&)> m_log;
};

}  // namespace zelsim
