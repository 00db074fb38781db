// What the chip hears on the line: framing checks, stray bytes and line rates.
#include <gtest/gtest.h>

#include "testhost.h"

namespace simtest {
namespace {

// A chip of each checksum width, synced, with the host at 1200 baud.
struct Synced {
    explicit Synced(const std::string& model, zelsim::ChipOptions o = {})
        : chip([&] {
              if (o.model.empty()) o = fastChip(model);
              return o;
          }()) {
        std::string error;
        started = chip.start(&error);
        host = std::make_unique<TestHost>(chip.slavePath(), &chip);
        status = host->sync(chip.model().bootloader.checksumWidth);
    }
    int width() const { return chip.model().bootloader.checksumWidth; }
    // The read-options command of the model, which needs no earlier command.
    Bytes readOptions() const {
        const auto& b = chip.model().bootloader;
        if (!b.readOptHasTail) return b.readOptHead;
        return cat({b.readOptHead,
                    {0x00, 0x36, 0x01, static_cast<uint8_t>(chip.model().id >> 8),
                     static_cast<uint8_t>(chip.model().id)}});
    }
    zelsim::VirtualChip chip;
    bool started = false;
    std::unique_ptr<TestHost> host;
    std::optional<Reply> status;
};

struct BadPacketCase {
    const char* name;
    std::function<void(Bytes&)> damage;
};

class BadPackets : public ::testing::TestWithParam<std::tuple<const char*, BadPacketCase>> {};

TEST_P(BadPackets, AreIgnoredAndTheNextGoodOneIsAnswered) {
    const auto& [model, bad] = GetParam();
    Synced s(model);
    ASSERT_TRUE(s.status);
    Bytes packet = hostPacket(s.readOptions(), s.width());
    bad.damage(packet);
    s.host->send(packet);
    ASSERT_TRUE(s.chip.waitUntil([](const auto& snap) { return snap.counters.badPackets == 1; },
                                 kPatience));
    // Replies come in order: the first one must belong to the good packet.
    const auto reply = s.host->command(s.readOptions(), s.width());
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->payload, s.status->payload);
    EXPECT_EQ(s.chip.snapshot().counters.replies, 2u);
}

INSTANTIATE_TEST_SUITE_P(
    BothWidths, BadPackets,
    ::testing::
        Combine(::testing::Values("F084", "D19A"),
                ::testing::Values(
                    BadPacketCase{"Checksum", [](Bytes& p) { p[p.size() - 2] ^= 0x01; }},
                    BadPacketCase{"EndByte", [](Bytes& p) { p.back() = 0x17; }},
                    BadPacketCase{"PayloadByte", [](Bytes& p) { p[5] ^= 0x40; }},
                    BadPacketCase{
                        "LengthTooShort",
                        [](Bytes& p) {
                            p[4] -= 1;
                            p.pop_back();
                        }},
                    BadPacketCase{"LengthBelowMinimum",
                                  [](Bytes& p) { p = {0x46, 0xB9, 0x6A, 0x00, 0x04}; }})),
    [](const auto& info) {
        return std::string(std::get<0>(info.param)) + std::get<1>(info.param).name;
    });

TEST(Line, StrayBytesBetweenPacketsAreSkipped) {
    Synced s("D19A");
    ASSERT_TRUE(s.status);
    const Bytes packet = hostPacket(s.readOptions(), 2);
    const Bytes noisy =
        cat({{0x7F, 0x7F, 0x46, 0x00, 0x12, 0x46, 0xB9, 0x00}, packet, {0x7F, 0x7F}, packet});
    s.host->send(noisy);
    EXPECT_TRUE(s.host->readReply(2));
    EXPECT_TRUE(s.host->readReply(2));
}

TEST(Line, PacketsSplitAcrossWritesAreReassembled) {
    Synced s("F084");
    ASSERT_TRUE(s.status);
    const Bytes packet = hostPacket(s.readOptions(), 1);
    for (uint8_t b : packet) s.host->send({b});
    EXPECT_TRUE(s.host->readReply(1));
}

TEST(Line, SyncAtAnotherRateGetsNoStatus) {
    zelsim::VirtualChip chip(fastChip("F084"));
    ASSERT_TRUE(chip.start());
    ASSERT_TRUE(chip.waitForState(zelsim::ChipState::BootWindow, kPatience));
    TestHost host(chip.slavePath());
    host.setRate(9600);
    for (int i = 0; i < 20; ++i) host.send({0x7F});
    ASSERT_TRUE(
        chip.waitUntil([](const auto& s) { return s.counters.garbledBytes == 20; }, kPatience));
    EXPECT_EQ(chip.snapshot().counters.statusReplies, 0u);
    EXPECT_TRUE(host.drain(100ms).empty());
    EXPECT_TRUE(host.sync(1)) << "the same bytes at 1200 baud are heard";
}

TEST(Line, CommandsAtAnotherRateAreGarbage) {
    Synced s("D19A");
    ASSERT_TRUE(s.status);
    s.host->moveTo(2400);
    s.host->sendPacket(s.readOptions(), 2);
    const uint64_t size = hostPacket(s.readOptions(), 2).size();
    ASSERT_TRUE(s.chip.waitUntil(
        [&](const auto& snap) { return snap.counters.garbledBytes == size; }, kPatience));
    s.host->setRate(1200);
    const auto reply = s.host->command(s.readOptions(), 2);
    ASSERT_TRUE(reply);
    EXPECT_EQ(s.chip.snapshot().counters.replies, 2u) << "status and one read, nothing else";
}

// A reply that goes out while the host's line is at another rate (a terminal has taken the
// port at the program's rate) is noise to the host: nothing of it arrives.
TEST(Line, RepliesWhileTheHostIsAtAnotherRateNeverArrive) {
    zelsim::ChipOptions o = fastChip("D19A");
    o.eraseMs = 2000;
    Synced s("D19A", o);
    ASSERT_TRUE(s.status);
    ASSERT_TRUE(s.host->command(enterProgramming(0x50, 0x07, 0xD19A), 2));
    const uint64_t packets = s.chip.snapshot().counters.packets;
    s.host->sendPacket(longErase(0x0400, 0x0400), 2);
    ASSERT_TRUE(s.chip.waitUntil(
        [&](const auto& snap) { return snap.counters.packets == packets + 1; }, kPatience));
    s.host->setRate(9600);
    ASSERT_TRUE(
        s.chip.waitUntil([](const auto& snap) { return snap.unheardBytes > 0; }, kPatience));
    EXPECT_EQ(s.chip.snapshot().counters.erases, 1u);
    EXPECT_TRUE(s.host->drain(50ms).empty());
    // Back at the chip's rate, the next command is answered, and its reply is the first
    // thing the host reads.
    s.host->setRate(1200);
    const auto reply = s.host->command(s.readOptions(), 2);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->payload, s.status->payload);
}

// Baud parameters as a host computes them for 11.0592 MHz.
const Bytes kTimer8At115200 = {0xC0, 0xFA, 0x3F, 0x0C};
const Bytes kTimer8At57600 = {0xC0, 0xF4, 0x3F, 0x18};
const Bytes kTimer16At115200 = {0xFF, 0xFD, 0x00, 0x06};
// Reload 253 with the divisor 12: 230400 at 11.0592 MHz, 460800 at 22.1184 MHz.
const Bytes kTimer8Reload253 = {0xC0, 0xFD, 0x3F, 0x06};

Bytes baudTest(const Bytes& params) {
    return cat({{0x8F}, params, {0x28, 0x83}});
}

Bytes baudConfirm(const Bytes& params) {
    return cat({{0x8E}, params, {0x28}});
}

struct BaudCase {
    const char* model;
    Bytes params;
    unsigned rate;
    uint32_t frequency = 0;  // 0: the default 11.0592 MHz
    bool pace = false;       // bytes take their time on the line
};

class BaudRate : public ::testing::TestWithParam<BaudCase> {};

TEST_P(BaudRate, TestIsAnsweredAtTheNewRateAndConfirmSwitches) {
    const BaudCase& c = GetParam();
    zelsim::ChipOptions o = fastChip(c.model);
    if (c.frequency) o.frequency = c.frequency;
    o.pace = c.pace;
    Synced s(c.model, o);
    ASSERT_TRUE(s.status);
    const auto tested = s.host->baudCommand(baudTest(c.params), s.width(), c.rate);
    ASSERT_TRUE(tested);
    EXPECT_EQ(tested->payload, baudTest(c.params));
    // After a test the chip listens at 1200 baud again.
    s.host->setRate(1200);
    ASSERT_TRUE(s.host->command(s.readOptions(), s.width()));
    ASSERT_TRUE(s.host->baudCommand(baudConfirm(c.params), s.width(), c.rate));
    EXPECT_NEAR(s.chip.snapshot().rate, c.rate, c.rate * 0.03);
    // Now 1200 baud is garbage to it and the new rate works.
    s.host->moveTo(1200);
    s.host->sendPacket(s.readOptions(), s.width());
    ASSERT_TRUE(s.chip.waitUntil([](const auto& snap) { return snap.counters.garbledBytes > 0; },
                                 kPatience));
    s.host->setRate(c.rate);
    EXPECT_TRUE(s.host->command(s.readOptions(), s.width()));
}

INSTANTIATE_TEST_SUITE_P(Methods, BaudRate,
                         ::testing::Values(BaudCase{"D19A", kTimer8At115200, 115200},
                                           BaudCase{"D19A", kTimer8At57600, 57600},
                                           BaudCase{"F084", kTimer16At115200, 115200},
                                           BaudCase{"E09A", kTimer8At115200, 115200},
                                           BaudCase{"D19A", kTimer8Reload253, 230400},
                                           BaudCase{"D19A", kTimer8Reload253, 230400, 0, true},
                                           BaudCase{"D19A", kTimer8Reload253, 460800, 22118400,
                                                    true}),
                         [](const auto& info) {
                             return std::string(info.param.model) +
                                    std::to_string(info.param.rate) +
                                    (info.param.pace ? "Paced" : "");
                         });

TEST(BaudRateRefusals, HostAtTheWrongRateGetsNoAnswer) {
    Synced s("D19A");
    ASSERT_TRUE(s.status);
    // Parameters for 115200, but the host moves to 57600 (or stays at 1200): the chip waits
    // for a line it could be understood on, then gives up.
    for (unsigned rate : {57600u, 1200u}) {
        const uint64_t lost = s.chip.snapshot().counters.lostReplies;
        const uint64_t packets = s.chip.snapshot().counters.packets;
        s.host->setRate(1200);
        s.host->sendPacket(baudTest(kTimer8At115200), 2);
        // The packet has left at 1200 baud before the host moves, as a host's drain makes sure.
        ASSERT_TRUE(s.chip.waitUntil(
            [&](const auto& snap) { return snap.counters.packets == packets + 1; }, kPatience));
        s.host->setRate(rate);
        ASSERT_TRUE(s.chip.waitUntil(
            [&](const auto& snap) { return snap.counters.lostReplies == lost + 1; }, kPatience));
        EXPECT_TRUE(s.host->drain(20ms).empty()) << rate;
    }
}

TEST(BaudRateRefusals, ConfirmWithoutATestIsIgnored) {
    Synced s("D19A");
    ASSERT_TRUE(s.status);
    s.host->sendPacket(baudConfirm(kTimer8At115200), 2);
    ASSERT_TRUE(s.chip.waitUntil(
        [](const auto& snap) { return snap.counters.ignoredCommands == 1; }, kPatience));
    EXPECT_EQ(s.chip.snapshot().rate, 1200);
}

TEST(BaudRateRefusals, ParametersOfTheOtherMethodAreIgnored) {
    Synced s("D19A");
    ASSERT_TRUE(s.status);
    s.host->sendPacket(baudTest(kTimer16At115200), 2);
    ASSERT_TRUE(s.chip.waitUntil(
        [](const auto& snap) { return snap.counters.ignoredCommands == 1; }, kPatience));
}

TEST(Line, HostMayCloseAndReopenBetweenCommands) {
    Synced s("F084");
    ASSERT_TRUE(s.status);
    s.host->close();
    TestHost again(s.chip.slavePath());
    ASSERT_TRUE(again.isOpen());
    EXPECT_TRUE(again.command(s.readOptions(), 1));
}

TEST(Line, PacedChipStillAnswers) {
    zelsim::ChipOptions o = fastChip("F084");
    o.pace = true;
    Synced s("F084", o);
    ASSERT_TRUE(s.status);
    EXPECT_TRUE(s.host->command(s.readOptions(), 1));
}

}  // namespace
}  // namespace simtest
