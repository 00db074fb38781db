#include "zelsim/chipcore.h"

#include <algorithm>
#include <climits>

#include "zelsim/clockmath.h"

namespace zelsim {

const char* stateName(ChipState state) {
    switch (state) {
        case ChipState::Off:
            return "off";
        case ChipState::BootWindow:
            return "boot window";
        case ChipState::Session:
            return "bootloader session";
        case ChipState::Running:
            return "running the program";
        case ChipState::HungUp:
            return "hung up";
    }
    return "?";
}

ChipCore::ChipCore(ChipConfig config, std::span<const uint8_t> initialFlash)
    : m_config(std::move(config)),
      m_flash(static_cast<size_t>(m_config.model.flashSize), initialFlash),
      m_status(buildStatusPayload(m_config.model, m_config.status)),
      m_parser(m_config.model.bootloader.checksumWidth),
      m_random(m_config.seed) {}

void ChipCore::log(const std::string& line) const {
    if (m_log) m_log(line);
}

void ChipCore::powerUp(int64_t now) {
    if (m_config.externalPower) {
        m_powered = false;
        m_state = ChipState::Off;
        m_bootAt = INT64_MAX;
        log("no power: waiting for DTR to switch the supply on");
        return;
    }
    if (m_config.softStart) {
        m_state = ChipState::Running;
        log("running the program in flash; waiting for the soft-start bytes");
        return;
    }
    powerCycle(now);
}

void ChipCore::setPower(bool on, int64_t now) {
    if (!m_config.externalPower || on == m_powered) return;
    m_powered = on;
    powerCycle(now);
    if (on) {
        ++m_counters.powerOns;
        log("power on");
    } else {
        m_bootAt = INT64_MAX;
        log("power off");
    }
}

void ChipCore::powerCycle(int64_t now) {
    m_state = ChipState::Off;
    m_bootAt = now + std::max(0, m_config.bootDelayMs);
    m_rebootAt.reset();
    m_secondEndDeadline.reset();
    m_pending.clear();
    event(ChipEvent::PowerCycle);
    log("power cycle");
}

void ChipCore::openBootWindow(int64_t now) {
    m_state = ChipState::BootWindow;
    m_rate = kBootRate;
    m_syncRun = 0;
    m_lastExchange = now;
    ++m_counters.boots;
    resetSession();
    event(ChipEvent::BootWindowOpen);
    log("boot window open, listening at 1200 baud");
}

void ChipCore::resetSession() {
    m_parser = HostPacketParser(m_config.model.bootloader.checksumWidth);
    m_packetNumber = 0;
    m_programming = m_erased = m_firstEndSeen = false;
    m_testedParams.reset();
    m_lastPacket.clear();
    m_naksLeft = m_config.faults.nakBlock;
    m_idleSyncRun = 0;
    m_stats = SessionStats{};
    m_stats.finalRate = kBootRate;
}

void ChipCore::runProgram(int64_t now) {
    m_state = ChipState::Running;
    m_secondEndDeadline.reset();
    m_softStartWindow.clear();
    ++m_counters.programRuns;
    if (m_config.rebootMs >= 0 && !m_config.externalPower) m_rebootAt = now + m_config.rebootMs;
    event(ChipEvent::ProgramRun);
    log("running the program");
}

void ChipCore::receive(uint8_t byte, double hostRate, int64_t now, double earlierRate) {
    switch (m_state) {
        case ChipState::Off:
        case ChipState::HungUp:
            return;
        case ChipState::BootWindow:
            hearBootWindow(byte, hostRate, now);
            return;
        case ChipState::Session:
            hearSession(byte, hostRate, earlierRate, now);
            return;
        case ChipState::Running:
            hearRunning(byte, hostRate, earlierRate, now);
            return;
    }
}

void ChipCore::hearBootWindow(uint8_t byte, double hostRate, int64_t now) {
    if (!ratesMatch(hostRate, kBootRate)) {
        ++m_counters.garbledBytes;
        m_syncRun = 0;
        return;
    }
    if (byte != 0x7F) {
        m_syncRun = 0;
        return;
    }
    ++m_counters.syncBytes;
    if (++m_syncRun < kSyncsToAnswer || m_config.faults.muteSync) return;
    sendStatus(now);
}

void ChipCore::sendStatus(int64_t now) {
    m_state = ChipState::Session;
    ++m_counters.statusReplies;
    event(ChipEvent::Identified);
    log("sync heard; sending the status reply");
    PendingReply r;
    r.packet = framed(m_status, 0);
    r.rate = kBootRate;
    r.notBefore = now;
    m_pending.push_back(std::move(r));
}

// A host starting a new job sends sync bytes at 1200 baud; when they come after a quiet spell
// the user has power-cycled the chip for that job.
bool ChipCore::userPowerCycled(uint8_t byte, double hostRate, int64_t now) {
    // Nobody stands at a switched supply: only the supply itself restarts the chip.
    if (m_config.externalPower) return false;
    if (byte != 0x7F || !ratesMatch(hostRate, kBootRate) || m_parser.midPacket()) {
        m_idleSyncRun = 0;
        return false;
    }
    if (++m_idleSyncRun < kSyncsToAnswer || !m_pending.empty() ||
        now - m_lastExchange < kIdleBeforeResyncMs)
        return false;
    log("sync bytes after a quiet spell: the chip is power-cycled for a new job");
    powerCycle(now);
    return true;
}

void ChipCore::hearSession(uint8_t byte, double hostRate, double earlierRate, int64_t now) {
    if (userPowerCycled(byte, hostRate, now)) return;
    // A byte that came with a settings change gets the benefit of the doubt: a host closes the
    // line after its last command and reopens it at once at another rate, and a real line had
    // carried the command long before.
    if (!ratesMatch(hostRate, m_rate) && !ratesMatch(earlierRate, m_rate)) {
        ++m_counters.garbledBytes;
        m_parser.resync();
        m_counters.badPackets = m_parser.rejectedPackets();
        return;
    }
    auto payload = m_parser.feed(byte);
    m_counters.badPackets = m_parser.rejectedPackets();
    if (payload) handleCommand(*payload, now);
}

void ChipCore::hearRunning(uint8_t byte, double hostRate, double earlierRate, int64_t now) {
    if (!m_config.softStart) return;
    const SoftStart& s = *m_config.softStart;
    // A host typically sends the soft start and at once reopens the port for the sync.
    if (!ratesMatch(hostRate, s.rate) && !ratesMatch(earlierRate, s.rate)) {
        m_softStartWindow.clear();
        return;
    }
    m_softStartWindow.push_back(byte);
    if (m_softStartWindow.size() > s.bytes.size()) m_softStartWindow.pop_front();
    if (!std::equal(m_softStartWindow.begin(), m_softStartWindow.end(), s.bytes.begin(),
                    s.bytes.end()))
        return;
    ++m_counters.softStarts;
    m_softStartWindow.clear();
    m_rebootAt.reset();
    event(ChipEvent::SoftStart);
    log("soft-start bytes received: entering the boot window");
    openBootWindow(now);
}

void ChipCore::tick(double hostRate, int64_t now) {
    if (m_state == ChipState::Off && now >= m_bootAt) openBootWindow(now);
    servePending(hostRate, now);
    if (m_state == ChipState::Session && m_secondEndDeadline && now >= *m_secondEndDeadline) {
        log("no second end command; running the program anyway");
        runProgram(now);
    }
    if (m_state == ChipState::Running && m_rebootAt && now >= *m_rebootAt && m_pending.empty())
        powerCycle(now);
}

void ChipCore::servePending(double hostRate, int64_t now) {
    while (!m_pending.empty() && m_state != ChipState::HungUp) {
        PendingReply& r = m_pending.front();
        if (now < r.notBefore) return;
        if (r.awaitHostRate) {
            if (now >= r.giveUpAt) {
                log("the host never switched to " + std::to_string(std::lround(*r.awaitHostRate)) +
                    " baud; the reply is lost");
                ++m_counters.lostReplies;
                m_pending.pop_front();
                continue;
            }
            if (!ratesMatch(hostRate, *r.awaitHostRate)) {
                r.matchedSince = -1;
                return;
            }
            if (r.matchedSince < 0) r.matchedSince = now;
            if (now - r.matchedSince < kRateSettleMs) return;
        }
        transmit(r, now);
        m_pending.pop_front();
    }
}

void ChipCore::transmit(PendingReply& reply, int64_t now) {
    ++m_counters.replies;
    // The exchange lasts until the last bit has left the chip.
    const double bits = reply.packet.size() * (m_config.model.bootloader.evenParity ? 11.0 : 10.0);
    m_lastExchange = now + static_cast<int64_t>(bits * 1000.0 / reply.rate);
    m_out.push_back({std::move(reply.packet), reply.rate});
}

std::vector<Transmission> ChipCore::takeTransmissions() {
    return std::exchange(m_out, {});
}

std::vector<ChipEvent> ChipCore::takeEvents() {
    return std::exchange(m_events, {});
}

int64_t ChipCore::nextWake(int64_t now) const {
    int64_t wake = INT64_MAX;
    if (m_state == ChipState::Off) wake = m_bootAt;
    if (!m_pending.empty()) {
        const PendingReply& r = m_pending.front();
        int64_t due = r.notBefore;
        // Waiting for the host to change its line: look again shortly.
        if (r.awaitHostRate) due = std::max(due, now + 2);
        wake = std::min(wake, due);
    }
    if (m_secondEndDeadline) wake = std::min(wake, *m_secondEndDeadline);
    if (m_state == ChipState::Running && m_rebootAt) wake = std::min(wake, *m_rebootAt);
    return wake;
}

void ChipCore::reply(std::vector<uint8_t> payload, int64_t now, int64_t notBefore,
                     std::optional<double> awaitHostRate) {
    if (m_config.faults.dropReplyTo.count(m_packetNumber)) {
        log("reply to packet " + std::to_string(m_packetNumber) + " dropped (fault)");
        return;
    }
    PendingReply r;
    r.packet = framed(payload, m_packetNumber);
    r.rate = awaitHostRate.value_or(m_rate);
    r.notBefore = notBefore < 0 ? now : notBefore;
    r.awaitHostRate = awaitHostRate;
    r.giveUpAt = now + kRateWaitMs + m_config.hostSlackMs;
    m_pending.push_back(std::move(r));
}

std::vector<uint8_t> ChipCore::framed(const std::vector<uint8_t>& payload, uint64_t replyNumber) {
    std::vector<uint8_t> packet = frameReply(payload, m_config.model.bootloader.checksumWidth);
    const auto corrupt = m_config.faults.corruptReply.find(replyNumber);
    if (corrupt != m_config.faults.corruptReply.end()) {
        const size_t at =
            corrupt->second < 0 ? packet.size() - 1 : static_cast<size_t>(corrupt->second);
        if (at < packet.size()) packet[at] ^= 0xFF;
        log("reply " + std::to_string(replyNumber) + " corrupted at byte " + std::to_string(at) +
            " (fault)");
    }
    if (m_config.faults.noise) {
        // Noise never contains the reply direction byte, so it cannot pass for a reply start.
        std::uniform_int_distribution<int> count(1, 6), value(0, 255);
        std::vector<uint8_t> noise(static_cast<size_t>(count(m_random)));
        for (uint8_t& b : noise) {
            do b = static_cast<uint8_t>(value(m_random));
            while (b == 0x68);
        }
        packet.insert(packet.begin(), noise.begin(), noise.end());
    }
    return packet;
}

}  // namespace zelsim
