// The bootloader's command set, as the chip executes it. Commands are recognised by their
// exact layout for the chip's series; anything else is ignored, so a host that builds a packet
// wrongly gets silence, as from a real chip. Where every step list of the database puts one
// command before another (enter programming before erase, erase before writing, the first end
// command before the second), the chip insists on that order.
#include <algorithm>
#include <cmath>

#include "zelsim/chipcore.h"
#include "zelsim/clockmath.h"

namespace zelsim {
namespace {

constexpr uint8_t kBaudTest = 0x8F;
constexpr uint8_t kBaudConfirm = 0x8E;
constexpr uint8_t kBaudTag = 0x28;
constexpr uint8_t kErase = 0x84;
constexpr uint8_t kWriteCommand = 0x00;
constexpr uint8_t kRewriteCommand = 0x30;
constexpr uint8_t kOptionWrite = 0x8D;
constexpr uint8_t kFirstEnd = 0x82;
constexpr uint8_t kSecondEnd = 0x52;
constexpr size_t kBlockSize = 128;
constexpr size_t kBlockCommandSize = 7 + kBlockSize;
constexpr size_t kLongEraseSize = 135;
constexpr size_t kErasePage = 512;

std::string hex2(uint8_t b) {
    static const char* digits = "0123456789ABCDEF";
    return {digits[b >> 4], digits[b & 15]};
}

bool startsWith(const std::vector<uint8_t>& p, std::initializer_list<uint8_t> head) {
    return p.size() >= head.size() && std::equal(head.begin(), head.end(), p.begin());
}

unsigned be16(const std::vector<uint8_t>& p, size_t at) {
    return (p[at] << 8) | p[at + 1];
}

}  // namespace

void ChipCore::handleCommand(const std::vector<uint8_t>& p, int64_t now) {
    ++m_packetNumber;
    ++m_counters.packets;
    m_lastExchange = now;
    const bool enterProgramming = p.size() == 7 && p[0] == model().bootloader.enterCode &&
                                  p[1] == model().bootloader.enterMode;
    if (p == m_lastPacket && !enterProgramming) {
        ++m_counters.repeatedCommands;
        ++m_stats.repeatedCommands;
    }
    m_lastPacket = p;
    const bool handled = handleEnterProgramming(p, now) || handleReadOptions(p, now) ||
                         handleBaud(p, now) || handleErase(p, now) || handleBlockWrite(p, now) ||
                         handleOptionWrite(p, now) || handleEnd(p, now);
    if (!handled) {
        ++m_counters.ignoredCommands;
        log("packet " + std::to_string(m_packetNumber) + " (command " + hex2(p[0]) + ", " +
            std::to_string(p.size()) + " bytes) ignored");
    }
}

bool ChipCore::handleEnterProgramming(const std::vector<uint8_t>& p, int64_t now) {
    const BootloaderVariant& b = model().bootloader;
    if (p.size() != 7 || !startsWith(p, {b.enterCode, b.enterMode, 0x00, 0x36, 0x01})) return false;
    const unsigned id = be16(p, 5);
    if (id != model().id && id != m_config.status.reportedId) return false;
    m_programming = true;
    log("enter programming");
    reply(p, now);
    return true;
}

bool ChipCore::handleReadOptions(const std::vector<uint8_t>& p, int64_t now) {
    const BootloaderVariant& b = model().bootloader;
    std::vector<uint8_t> expected = b.readOptHead;
    if (b.readOptHasTail)
        expected.insert(expected.end(), {0x00, 0x36, 0x01, static_cast<uint8_t>(model().id >> 8),
                                         static_cast<uint8_t>(model().id)});
    if (p != expected) return false;
    log("read options");
    reply(m_status, now);
    return true;
}

bool ChipCore::handleBaud(const std::vector<uint8_t>& p, int64_t now) {
    const bool test = p.size() == 7 && p[0] == kBaudTest && p[5] == kBaudTag;
    const bool confirm = p.size() == 6 && p[0] == kBaudConfirm && p[5] == kBaudTag;
    if (!test && !confirm) return false;
    const std::array<uint8_t, 4> params{p[1], p[2], p[3], p[4]};
    const auto rate =
        rateFromParams(model().bootloader.rateMethod, params, m_config.status.frequency);
    if (!rate) return false;
    // The chip only switches to a rate it has just tested.
    if (confirm && m_testedParams != params) return false;
    const std::string rateText = std::to_string(std::lround(*rate));
    if (test) {
        m_testedParams = params;
        log("baud test at " + rateText + " baud");
    } else {
        m_rate = *rate;
        m_stats.finalRate = *rate;
        log("baud confirmed: now at " + rateText + " baud");
    }
    // The answer comes at the new rate; after a test the chip listens at its old rate again.
    reply(p, now, now + kBaudReplyDelayMs, *rate);
    return true;
}

std::optional<std::pair<size_t, size_t>> ChipCore::eraseRange(const std::vector<uint8_t>& p) const {
    const auto flash = static_cast<size_t>(model().flashSize);
    const unsigned flashField = static_cast<unsigned>(flash & 0xFFFF);
    // A size field of 0 stands for the full 64 KB, which does not fit in two bytes.
    auto sized = [&](unsigned field) -> std::pair<size_t, size_t> {
        return {0, std::min(flash, field == 0 ? size_t{65536} : size_t{field})};
    };
    switch (model().bootloader.erase) {
        case EraseLayout::Short:
            if (p.size() != 8 ||
                !std::all_of(p.begin() + 2, p.end(), [](uint8_t b) { return b == 0x33; }))
                return std::nullopt;
            return std::pair<size_t, size_t>{0, flash};
        case EraseLayout::Sized:
            if (p.size() != 8 || !startsWith(p, {kErase, 0xFF, 0x00}) || p[5] != 0x00 ||
                be16(p, 6) != flashField)
                return std::nullopt;
            return sized(be16(p, 3));
        case EraseLayout::Fixed:
            if (p.size() != 8 || !startsWith(p, {kErase, 0xFF, 0x00}) || p[5] != 0x00 ||
                p[6] != 0x6F || p[7] != 0xFF)
                return std::nullopt;
            return sized(be16(p, 3));
        case EraseLayout::Long: {
            if (p.size() != kLongEraseSize || !startsWith(p, {kErase, 0xFF, 0x00}) ||
                p[5] != 0x00 || be16(p, 6) != flashField)
                return std::nullopt;
            if (!std::all_of(p.begin() + 8, p.begin() + 19, [](uint8_t b) { return b == 0; }))
                return std::nullopt;
            // Then a descending run 80 7F ... 0E and the last value once more.
            for (size_t i = 19; i + 1 < p.size(); ++i)
                if (p[i] != 0x80 - (i - 19)) return std::nullopt;
            if (p.back() != 0x0E) return std::nullopt;
            return sized(be16(p, 3));
        }
    }
    return std::nullopt;
}

bool ChipCore::handleErase(const std::vector<uint8_t>& p, int64_t now) {
    if (p.empty() || p[0] != kErase || !m_programming) return false;
    const auto range = eraseRange(p);
    if (!range) return false;
    // The host sizes its erase in whole pages; a partial page would be a host mistake, but
    // flash can only erase pages, so the chip rounds up.
    const size_t count = std::min(static_cast<size_t>(model().flashSize),
                                  (range->second + kErasePage - 1) / kErasePage * kErasePage);
    m_flash.erase(range->first, count);
    m_erased = true;
    ++m_counters.erases;
    ++m_stats.erases;
    log("erase of " + std::to_string(count) + " bytes");
    reply({kErase}, now, now + std::max(0, m_config.eraseMs));
    return true;
}

bool ChipCore::handleBlockWrite(const std::vector<uint8_t>& p, int64_t now) {
    if (p.size() != kBlockCommandSize || (p[0] != kWriteCommand && p[0] != kRewriteCommand) ||
        p[5] != 0x00 || p[6] != kBlockSize)
        return false;
    const uint32_t address = (uint32_t{p[1]} << 24) | (p[2] << 16) | (p[3] << 8) | p[4];
    const uint32_t block = address / kBlockSize;
    if (m_config.faults.hangupAtBlock == block) {
        log("hanging up at block " + std::to_string(block) + " (fault)");
        m_state = ChipState::HungUp;
        m_pending.clear();
        event(ChipEvent::HangUp);
        return true;
    }
    if (!m_programming || !m_erased) {
        ++m_counters.refusedWrites;
        log("block " + std::to_string(block) + " refused: no erase in this session");
        reply({kReplyRefused}, now);
        return true;
    }
    auto nak = m_naksLeft.find(block);
    if (nak != m_naksLeft.end() && nak->second > 0) {
        --nak->second;
        log("block " + std::to_string(block) + " answered 81 (fault)");
        reply({kReplyWriteAgain}, now);
        return true;
    }
    const std::span<const uint8_t> data(p.data() + 7, kBlockSize);
    if (!m_flash.program(address, data)) {
        ++m_counters.refusedWrites;
        log("block at " + std::to_string(address) + " refused: beyond the flash");
        reply({kReplyRefused}, now);
        return true;
    }
    ++m_counters.blocksWritten;
    ++m_stats.blocksWritten;
    if (p[0] == kRewriteCommand) {
        ++m_counters.blockRetries;
        ++m_stats.blockRetries;
    }
    reply(
        {model().bootloader.checksumWidth == 1 ? kReplyWrittenOneByteSum : kReplyWrittenTwoByteSum},
        now);
    return true;
}

bool ChipCore::handleOptionWrite(const std::vector<uint8_t>& p, int64_t now) {
    if (p.empty() || p[0] != kOptionWrite || !m_programming) return false;
    std::optional<uint32_t> clock;
    if (!takeOptionWrite(model(), std::span<const uint8_t>(p).subspan(1), m_status, &clock))
        return false;
    if (clock) m_stats.hostClock = clock;
    ++m_counters.optionWrites;
    ++m_stats.optionWrites;
    log("options written");
    reply({kOptionWrite}, now);
    return true;
}

bool ChipCore::handleEnd(const std::vector<uint8_t>& p, int64_t now) {
    if (p.size() == 1 && p[0] == kFirstEnd) {
        m_firstEndSeen = true;
        m_stats.lastEndCommand = kFirstEnd;
        event(ChipEvent::EndCommand);
        reply(p, now);
        if (model().sessionEndsWithSecondEnd) {
            m_secondEndDeadline = now + kSecondEndWaitMs + m_config.hostSlackMs;
            log("first end command; waiting for the second");
        } else {
            runProgram(now);
        }
        return true;
    }
    if (p.size() == 3 && p[0] == kSecondEnd && p[1] == model().bootloader.end2Mode &&
        p[2] == 0x00 && m_firstEndSeen) {
        m_stats.lastEndCommand = kSecondEnd;
        reply(p, now);
        runProgram(now);
        return true;
    }
    return false;
}

}  // namespace zelsim
