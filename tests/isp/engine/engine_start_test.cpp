// Starting, waiting for the chip and cancelling.
#include "enginetexts.h"
#include "harness.h"

#include <gtest/gtest.h>

namespace zel::test {
namespace {

TEST(EngineStart, RefusesJobTypesOutsideOneToThree) {
    for (int type : {0, 4, -1, 99}) {
        Harness h;
        EXPECT_EQ(h.engine.Start(type), CallStatus::BadJobType) << type;
        EXPECT_FALSE(h.engine.Buzy());
        EXPECT_EQ(h.engine.DownType(), 0);
        EXPECT_TRUE(h.events.events().empty());
        EXPECT_TRUE(h.link.openings().empty());
    }
}

TEST(EngineStart, StartWhileBusyChangesNothing) {
    Harness h;
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    const size_t eventsBefore = h.events.events().size();
    EXPECT_EQ(h.engine.Start(1), CallStatus::Busy);
    EXPECT_EQ(h.engine.Start(2), CallStatus::Busy);
    EXPECT_EQ(h.engine.DownType(), 2);
    EXPECT_EQ(h.events.events().size(), eventsBefore);
    EXPECT_EQ(h.link.openings().size(), 1u);
}

TEST(EngineStart, OpensAt1200AndSendsTheStartFlagEvery10ms) {
    ChipConfig config = PlainF0Chip();
    config.syncBytesNeeded = 1000000;  // a chip that stays silent
    Harness h(config);
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    ASSERT_EQ(h.link.openings().size(), 1u);
    EXPECT_EQ(h.link.openings()[0].rate, 1200);
    EXPECT_EQ(h.link.openings()[0].parity, Parity::None);
    EXPECT_EQ(h.events.lines(),
              (std::vector<QString>{"V1000 下载单片机程序", "V100 等待启动标志..."}));
    EXPECT_TRUE(h.engine.Buzy());

    h.clock.advance(9);
    EXPECT_EQ(h.chip.syncBytesSeen(), 0);
    h.clock.advance(1);
    EXPECT_EQ(h.chip.syncBytesSeen(), 1);
    // No time-out while waiting: only the host ends the wait.
    h.clock.advance(60000);
    EXPECT_EQ(h.chip.syncBytesSeen(), 6001);
    EXPECT_TRUE(h.engine.Buzy());
    EXPECT_EQ(h.events.events().size(), 2u);
}

TEST(EngineStart, PortThatCannotBeOpenedRaisesErrorOneTwice) {
    Harness h;
    h.link.failOpens(1, PortFailure{8005, QStringLiteral("held by another program")});
    EXPECT_EQ(h.engine.Start(2), CallStatus::PortFailed);
    EXPECT_EQ(h.events.lines(),
              (std::vector<QString>{"E1 串行端口已打开或者无效", "E1 串行端口已打开或者无效"}));
    EXPECT_FALSE(h.engine.Buzy());
    EXPECT_EQ(h.engine.lastPortFailure().code, 8005);
    EXPECT_EQ(h.engine.endReason(), EndReason::PortOpenFailed);
    h.clock.advance(1000);
    EXPECT_EQ(h.link.writes(), 0u);
    // The port works again: the next start goes ahead.
    EXPECT_EQ(h.engine.Start(2), CallStatus::Ok);
}

TEST(EngineCancel, SecondCancelRaisesNothing) {
    Harness h;
    h.supplyOnErase(Pattern(1000));
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    // Cancel in the middle of the block writes.
    ASSERT_TRUE(h.clock.runUntil([&] { return h.events.progress().size() == 3; }, 60000));
    h.events.clear();
    EXPECT_EQ(h.engine.CancelDown(true), CallStatus::Ok);
    EXPECT_EQ(h.events.lines(), (std::vector<QString>{"V1002 取消程序下载"}));
    EXPECT_FALSE(h.engine.Buzy());
    EXPECT_FALSE(h.link.isOpen());
    EXPECT_EQ(h.engine.DownType(), 0);
    EXPECT_EQ(h.engine.endReason(), EndReason::Cancelled);

    EXPECT_EQ(h.engine.CancelDown(true), CallStatus::NothingToStop);
    const size_t packets = h.chip.packets().size();
    h.clock.advance(10000);  // late replies and stale timers change nothing
    EXPECT_EQ(h.events.events().size(), 1u);
    EXPECT_EQ(h.chip.packets().size(), packets);
    EXPECT_FALSE(h.clock.isArmed(EngineTimer::Timer1));
    EXPECT_FALSE(h.clock.isArmed(EngineTimer::Timer2));
    EXPECT_FALSE(h.clock.isArmed(EngineTimer::Timer3));
}

TEST(EngineCancel, CancelByTheProgramReportsFailure) {
    for (int type : {1, 2, 3}) {
        ChipConfig config = PlainF0Chip();
        config.syncBytesNeeded = 1000;
        Harness h(config);
        ASSERT_EQ(h.engine.Start(type), CallStatus::Ok);
        h.clock.advance(500);
        h.events.clear();
        EXPECT_EQ(h.engine.CancelDown(false), CallStatus::Ok);
        ASSERT_EQ(h.events.events().size(), 1u);
        EXPECT_EQ(h.events.events()[0].index, 1003);
        EXPECT_EQ(h.events.events()[0].text, events::failedText(static_cast<JobType>(type)));
    }
}

TEST(EngineCancel, NothingToCancelBeforeAnyJob) {
    Harness h;
    EXPECT_EQ(h.engine.CancelDown(true), CallStatus::NothingToStop);
    EXPECT_TRUE(h.events.events().empty());
}

TEST(EngineCancel, AfterAFinishedJobTheJobTypeStillNamesTheCancelMessage) {
    Harness h;
    ASSERT_TRUE(h.download(Pattern(100)));
    EXPECT_EQ(h.engine.DownType(), 2);
    h.events.clear();
    EXPECT_EQ(h.engine.CancelDown(true), CallStatus::Ok);
    EXPECT_EQ(h.events.lines(), (std::vector<QString>{"V1002 取消程序下载"}));
    EXPECT_EQ(h.engine.CancelDown(true), CallStatus::NothingToStop);
}

}  // namespace
}  // namespace zel::test
