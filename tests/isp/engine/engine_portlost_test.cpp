// An adapter pulled out mid-job: the job ends at once, says why, and never as a success unless
// the program was already on the chip.
#include "enginetexts.h"
#include "harness.h"

#include <gtest/gtest.h>

namespace zel::test {
namespace {

const QString kLost = QStringLiteral("E2 ") + events::portLostText();

// Host packets that mark the points where the adapter goes.
constexpr uint8_t kBaudTest = 0x8F, kErase = 0x84, kBlock = 0x00, kEnd1 = 0x82;

struct LossCase {
    const char* name;
    uint8_t afterCommand;  // 0: while the start flag is still being sent
    bool announced;        // the adapter reports the loss; else only the next write fails
    std::vector<QString> tail;
    EndReason reason;
};

class PortLoss : public testing::TestWithParam<LossCase> {};

TEST_P(PortLoss, EndsTheJobAtOnce) {
    const LossCase& c = GetParam();
    Harness h;
    h.supplyOnErase(Pattern(3 * 128));
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    const bool reached =
        c.afterCommand == 0
            ? h.clock.runUntil([&] { return h.link.writes() > 3; }, 1000)
            : h.clock.runUntil([&] { return !h.chip.packetsWithCommand(c.afterCommand).empty(); },
                               60000);
    ASSERT_TRUE(reached);
    const int64_t lostAt = h.clock.now();
    h.link.unplug();
    if (c.announced) {
        h.engine.PortLost();
        EXPECT_FALSE(h.engine.Buzy());  // no time-out, no retry: over on the spot
        EXPECT_EQ(h.clock.now(), lostAt);
    }
    const size_t writes = h.link.writes();
    ASSERT_TRUE(h.runUntilIdle());
    const std::vector<QString> lines = h.events.lines();
    ASSERT_GE(lines.size(), c.tail.size());
    EXPECT_EQ(std::vector<QString>(lines.end() - ptrdiff_t(c.tail.size()), lines.end()), c.tail);
    EXPECT_EQ(h.engine.endReason(), c.reason);
    EXPECT_FALSE(h.link.isOpen());
    // Whatever armed timers were left, nothing more goes to the vanished device.
    EXPECT_LE(h.link.writes(), writes + 1);
    h.clock.advance(10000);
    EXPECT_LE(h.link.writes(), writes + 1);
}

const std::vector<QString> kFailed{kLost, "V1003 程序下载失败"};

INSTANTIATE_TEST_SUITE_P(
    Engine, PortLoss,
    testing::Values(
        LossCase{"WaitingForTheChip", 0, true, kFailed, EndReason::PortLost},
        LossCase{"StartFlagWriteFails", 0, false, kFailed, EndReason::PortLost},
        LossCase{"DuringTheRateChange", kBaudTest, true, kFailed, EndReason::PortLost},
        LossCase{"DuringTheErase", kErase, true, kFailed, EndReason::PortLost},
        LossCase{"BetweenBlocks", kBlock, true, kFailed, EndReason::PortLost},
        LossCase{"BlockWriteFails", kBlock, false, kFailed, EndReason::PortLost},
        // The end commands are out and every block was accepted: the program is on the chip.
        LossCase{"AfterTheEndCommand", kEnd1, true, {"V1001 程序下载成功"}, EndReason::Completed}),
    [](const testing::TestParamInfo<LossCase>& info) { return std::string(info.param.name); });

TEST(PortLoss, IsIgnoredWhileIdle) {
    Harness h;
    h.engine.PortLost();
    EXPECT_TRUE(h.events.lines().empty());
    ASSERT_TRUE(h.download(Pattern(128)));
    const size_t lines = h.events.lines().size();
    h.engine.PortLost();  // after the job: nothing more to say
    EXPECT_EQ(h.events.lines().size(), lines);
    EXPECT_EQ(h.engine.endReason(), EndReason::Completed);
}

TEST(PortLoss, AHandlerThatCancelsOnTheErrorEndsTheJobOnce) {
    Harness h;
    h.supplyOnErase(Pattern(128));
    h.events.onError([&](int index) {
        if (index == events::kErrorPortLost) h.engine.CancelDown(true);
    });
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    ASSERT_TRUE(h.clock.runUntil([&] { return h.link.writes() > 2; }, 1000));
    h.link.unplug();
    h.engine.PortLost();
    EXPECT_EQ(h.events.lines(),
              (std::vector<QString>{"V1000 下载单片机程序", "V100 等待启动标志...", kLost,
                                    "V1002 取消程序下载"}));
    EXPECT_EQ(h.engine.endReason(), EndReason::Cancelled);
}

}  // namespace
}  // namespace zel::test
