// Each fault of the chip does what it says.
#include <gtest/gtest.h>

#include <thread>

#include "testhost.h"
#include "zeldb.h"

namespace simtest {
namespace {

const Bytes kReadOptions = {0x50};  // F0 series: needs no earlier command
const Bytes kEnter = enterProgramming(0x80, 0x02, 0xF084);
const Bytes kErase = {0x84, 0x00, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33};

zelsim::ChipOptions withFault(const std::string& fault, const std::string& model = "F084") {
    zelsim::ChipOptions o = fastChip(model);
    std::string error;
    EXPECT_TRUE(zelsim::addFault(o.faults, fault, &error)) << error;
    return o;
}

TEST(Faults, DropLeavesOnePacketUnanswered) {
    zelsim::VirtualChip chip(withFault("drop=2"));
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    ASSERT_TRUE(host.sync(1));
    ASSERT_TRUE(host.command(kReadOptions, 1));
    host.sendPacket(kReadOptions, 1);
    ASSERT_TRUE(chip.waitUntil([](const auto& s) { return s.counters.packets == 2; }, kPatience));
    ASSERT_TRUE(host.command(kReadOptions, 1)) << "the host's repeat is answered";
    EXPECT_TRUE(host.drain(50ms).empty());
    EXPECT_EQ(chip.snapshot().counters.replies, 3u);
    EXPECT_EQ(chip.snapshot().counters.repeatedCommands, 2u);
}

TEST(Faults, NakAnswersABlockWith81AsOftenAsAsked) {
    zelsim::VirtualChip chip(withFault("nak=1:2"));
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    ASSERT_TRUE(host.sync(1));
    ASSERT_TRUE(host.command(kEnter, 1));
    ASSERT_TRUE(host.command(kErase, 1));
    const Bytes expected = {0x80, 0x81, 0x80, 0x81, 0x80, 0x80};
    const uint32_t addresses[] = {0, 128, 0, 128, 0, 128};
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto reply = host.command(blockWrite(addresses[i], Bytes(128, 0x5A), i > 1), 1);
        ASSERT_TRUE(reply) << i;
        EXPECT_EQ(reply->payload[0], expected[i]) << i;
    }
    EXPECT_EQ(chip.image()[128], 0x5A);
    EXPECT_EQ(chip.snapshot().session.blockRetries, 3u) << "written again with 30";
}

TEST(Faults, NoisePrecedesEveryReplyButNeverLooksLikeOne) {
    zelsim::VirtualChip chip(withFault("noise"));
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    ASSERT_TRUE(host.sync(1));
    host.sendPacket(kReadOptions, 1);
    ASSERT_TRUE(chip.waitUntil([](const auto& s) { return s.counters.replies == 2; }, kPatience));
    const Bytes line = host.drain(50ms);
    const Bytes start = {0x46, 0xB9, 0x68};
    const auto header = std::search(line.begin(), line.end(), start.begin(), start.end());
    ASSERT_NE(header, line.end());
    EXPECT_GT(header - line.begin(), 0) << "noise before the reply";
    EXPECT_EQ(std::count(line.begin(), header, 0x68), 0);
}

// An adapter that cannot run above 115200: at 230400 the chip's answers reach the host as
// garbage that never starts a frame, and the host's packets reach the chip the same way.
TEST(Faults, MaxRateGarblesEveryByteAboveTheRate) {
    zelsim::VirtualChip chip(withFault("max-rate=115200", "D19A"));
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    ASSERT_TRUE(host.sync(2));
    EXPECT_EQ(chip.snapshot().adapterGarbledBytes, 0u) << "1200 baud passes untouched";
    const Bytes params = {0xC0, 0xFD, 0x3F, 0x06};  // 230400 at 11.0592 MHz
    for (uint8_t command : {0x8F, 0x8E}) {          // the test, then the confirm: the chip switches
        const uint64_t replies = chip.snapshot().counters.replies;
        const uint64_t heard = chip.snapshot().counters.packets;
        host.setRate(1200);
        host.sendPacket(cat({{command}, params, {0x28}, command == 0x8F ? Bytes{0x83} : Bytes{}}),
                        2);
        ASSERT_TRUE(
            chip.waitUntil([&](const auto& s) { return s.counters.packets == heard + 1; }, 5s));
        host.setRate(230400);
        ASSERT_TRUE(
            chip.waitUntil([&](const auto& s) { return s.counters.replies == replies + 1; }, 5s));
        const Bytes garbage = host.drain(100ms);
        EXPECT_FALSE(garbage.empty()) << "the answer arrives, garbled";
        for (uint8_t b : garbage) EXPECT_GE(b, 0x80);
    }
    const uint64_t packets = chip.snapshot().counters.packets;
    const uint64_t garbled = chip.snapshot().adapterGarbledBytes;
    host.sendPacket({0x50}, 2);
    ASSERT_TRUE(
        chip.waitUntil([&](const auto& s) { return s.adapterGarbledBytes >= garbled + 8; }, 3s));
    EXPECT_EQ(chip.snapshot().counters.packets, packets) << "no packet heard at 230400";
}

TEST(Faults, MaxRateNeedsARate) {
    zelsim::FaultPlan plan;
    std::string error;
    for (const char* bad : {"max-rate", "max-rate=", "max-rate=fast", "max-rate=1199"})
        EXPECT_FALSE(zelsim::addFault(plan, bad, &error)) << bad;
    EXPECT_TRUE(plan.empty());
    ASSERT_TRUE(zelsim::addFault(plan, "max-rate=230400", &error)) << error;
    EXPECT_EQ(plan.maxLineRate, 230400u);
    EXPECT_FALSE(plan.empty());
}

TEST(Faults, MuteSyncNeverAnswers) {
    zelsim::VirtualChip chip(withFault("mute-sync"));
    ASSERT_TRUE(chip.start());
    ASSERT_TRUE(chip.waitForState(zelsim::ChipState::BootWindow, kPatience));
    TestHost host(chip.slavePath());
    for (int i = 0; i < 30; ++i) host.send({0x7F});
    ASSERT_TRUE(
        chip.waitUntil([](const auto& s) { return s.counters.syncBytes == 30; }, kPatience));
    EXPECT_TRUE(host.drain(50ms).empty());
    EXPECT_EQ(chip.snapshot().counters.statusReplies, 0u);
}

struct IdentityCase {
    const char* fault;
    bool sameSeries;
    bool listed;
};

class IdentityFaults : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(IdentityFaults, StatusNamesAnotherModel) {
    const IdentityCase& c = GetParam();
    zelsim::VirtualChip chip(withFault(c.fault, "D19A"));
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    const auto status = host.sync(2);
    ASSERT_TRUE(status);
    const uint16_t id = static_cast<uint16_t>((status->payload[20] << 8) | status->payload[21]);
    EXPECT_NE(id, 0xD19A);
    EXPECT_EQ(id >> 8 == 0xD1, c.sameSeries);
    const QString key = QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')).toUpper();
    EXPECT_EQ(zel::LookupModelRecord(QString::fromStdString(testDatabase()), key).isEmpty(),
              !c.listed);
}

INSTANTIATE_TEST_SUITE_P(Both, IdentityFaults,
                         ::testing::Values(IdentityCase{"unknown-id", true, false},
                                           IdentityCase{"other-series", false, true}),
                         [](const auto& info) {
                             return std::string(info.param.fault) == "unknown-id"
                                        ? std::string("UnknownId")
                                        : std::string("OtherSeries");
                         });

TEST(Faults, HangupClosesTheLineAtTheBlock) {
    zelsim::VirtualChip chip(withFault("hangup=1"));
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    ASSERT_TRUE(host.sync(1));
    ASSERT_TRUE(host.command(kEnter, 1));
    ASSERT_TRUE(host.command(kErase, 1));
    ASSERT_TRUE(host.command(blockWrite(0, Bytes(128, 0x11)), 1));
    host.sendPacket(blockWrite(128, Bytes(128, 0x22)), 1);
    EXPECT_TRUE(host.hungUp(kPatience));
    ASSERT_TRUE(chip.waitForFinish(kPatience));
    EXPECT_EQ(chip.snapshot().state, zelsim::ChipState::HungUp);
    EXPECT_EQ(chip.image()[128], 0xFF);
}

struct CorruptCase {
    const char* fault;
    size_t offset;  // -1: the end byte
    bool status;
};

class CorruptFaults : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(CorruptFaults, FlipOneByteOfOneReply) {
    const CorruptCase& c = GetParam();
    zelsim::VirtualChip chip(withFault(c.fault));
    ASSERT_TRUE(chip.start());
    ASSERT_TRUE(chip.waitForState(zelsim::ChipState::BootWindow, kPatience));
    TestHost host(chip.slavePath());
    for (int i = 0; i < 3; ++i) host.send({0x7F});
    if (!c.status) {
        ASSERT_TRUE(host.readReply(1));
        host.sendPacket(kReadOptions, 1);
    }
    ASSERT_TRUE(chip.waitUntil(
        [&](const auto& s) { return s.counters.replies == (c.status ? 1u : 2u); }, kPatience));
    const Bytes raw = host.drain(50ms);
    zelsim::ChipOptions clean = fastChip("F084");
    zelsim::VirtualChip reference(clean);
    ASSERT_TRUE(reference.start());
    const Bytes expected = [&] {
        TestHost other(reference.slavePath());
        auto status = other.sync(1);
        return status ? status->raw : Bytes{};
    }();
    ASSERT_EQ(raw.size(), expected.size());
    const size_t at = c.offset == size_t(-1) ? raw.size() - 1 : c.offset;
    for (size_t i = 0; i < raw.size(); ++i)
        EXPECT_EQ(raw[i], i == at ? expected[i] ^ 0xFF : expected[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(Replies, CorruptFaults,
                         ::testing::Values(CorruptCase{"corrupt=0", size_t(-1), true},
                                           CorruptCase{"corrupt=0:7", 7, true},
                                           CorruptCase{"corrupt=1:5", 5, false}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace simtest
