// Retries after "81", response time-outs and failures of the link.
#include "harness.h"

#include <gtest/gtest.h>

namespace zel::test {
namespace {

using Writes = std::vector<std::pair<uint8_t, int64_t>>;

bool IsBlock(const HostPacket& p) {
    return p.command() == 0x00 || p.command() == 0x30;
}

TEST(EngineRetry, RetryReplyToBlockFiveResendsBlockFour) {
    Harness h;
    bool refused = false;
    h.chip.setScript([&](const HostPacket& p, size_t) {
        if (IsBlock(p) && p.blockAddress() == 5 * 128 && !refused) {
            refused = true;
            return Answer::reply(Bytes{0x81});
        }
        return Answer::normal();
    });
    const Bytes data = Pattern(7 * 128);
    ASSERT_TRUE(h.download(data));
    const Writes expected{{0x00, 0},     {0x00, 0x80},  {0x00, 0x100}, {0x00, 0x180}, {0x00, 0x200},
                          {0x00, 0x280}, {0x30, 0x200}, {0x00, 0x280}, {0x00, 0x300}};
    EXPECT_EQ(h.chip.blockWrites(), expected);
    EXPECT_EQ(h.events.progress(), (std::vector<int>{14, 29, 43, 57, 71, 71, 86, 100}));
    EXPECT_EQ(Bytes(h.chip.flash().begin(), h.chip.flash().begin() + 7 * 128), data);
    EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
}

TEST(EngineRetry, RetryReplyToTheFirstBlockResendsTheFirstBlock) {
    Harness h;
    bool refused = false;
    h.chip.setScript([&](const HostPacket& p, size_t) {
        if (IsBlock(p) && !refused) {
            refused = true;
            return Answer::reply(Bytes{0x81});
        }
        return Answer::normal();
    });
    ASSERT_TRUE(h.download(Pattern(200)));
    EXPECT_EQ(h.chip.blockWrites(), (Writes{{0x00, 0}, {0x30, 0}, {0x00, 0x80}}));
    EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
}

struct RetryCase {
    int refusals;
    bool completes;
};

class RetriesInARow : public testing::TestWithParam<RetryCase> {};

TEST_P(RetriesInARow, FiveEndTheJob) {
    Harness h;
    int refusals = 0;
    h.chip.setScript([&](const HostPacket& p, size_t) {
        if (IsBlock(p) && (p.blockAddress() == 0x100 || refusals > 0) &&
            refusals < GetParam().refusals) {
            ++refusals;
            return Answer::reply(Bytes{0x81});
        }
        return Answer::normal();
    });
    ASSERT_TRUE(h.download(Pattern(3 * 128)));
    EXPECT_EQ(refusals, GetParam().refusals);
    if (GetParam().completes) {
        EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
    } else {
        EXPECT_EQ(h.events.lines().back(), "V1003 程序下载失败");
        EXPECT_EQ(h.engine.endReason(), EndReason::RetriesExhausted);
        // Each retry went one block further back, and stopped at the first block.
        const Writes writes = h.chip.blockWrites();
        EXPECT_EQ(Writes(writes.begin() + 2, writes.end()),
                  (Writes{{0x00, 0x100}, {0x30, 0x80}, {0x30, 0}, {0x30, 0}, {0x30, 0}}));
    }
}

INSTANTIATE_TEST_SUITE_P(EngineRetry, RetriesInARow,
                         testing::Values(RetryCase{4, true}, RetryCase{5, false}));

TEST(EngineRetry, OptionWriteRetriesUpToFiveTimes) {
    for (const RetryCase& c : {RetryCase{4, true}, RetryCase{5, false}}) {
        Harness h(OptionF0Chip());
        int refusals = 0;
        h.chip.setScript([&](const HostPacket& p, size_t) {
            if (p.command() == 0x8D && refusals < c.refusals) {
                ++refusals;
                return Answer::reply(Bytes{0x81});
            }
            return Answer::normal();
        });
        ASSERT_EQ(h.engine.Start(3), CallStatus::Ok);
        ASSERT_TRUE(h.runUntilIdle());
        EXPECT_EQ(h.events.lines().back(),
                  c.completes ? "V1001 参数配置完成" : "V1003 参数配置失败");
        // Four refusals and the accepted fifth, or five refusals.
        EXPECT_EQ(h.chip.packetsWithCommand(0x8D).size(), 5u);
        EXPECT_EQ(h.events.of(RecordedEvent::ViewInfo, 105).size(), 1u);
    }
}

TEST(EngineRetry, UnexpectedBlockReplyFailsEvenWhenTheEndCommandIsNext) {
    // The FF list runs 4,5,8: an odd reply to the only block moves on to the end step on its
    // way out, which must not turn the failure into a success.
    Harness h(FfChip());
    h.chip.setScript([](const HostPacket& p, size_t) {
        return IsBlock(p) ? Answer::reply(Bytes{0x55}) : Answer::normal();
    });
    ASSERT_TRUE(h.download(Pattern(100)));
    EXPECT_EQ(h.events.lines().back(), "V1003 程序下载失败");
    EXPECT_EQ(h.engine.endReason(), EndReason::UnexpectedReply);
    EXPECT_FALSE(h.engine.success());
    EXPECT_TRUE(h.chip.packetsWithCommand(0x82).empty());
}

struct TimeOutCase {
    const char* name;
    std::vector<uint8_t> silentCommands;  // one silence per entry, on the first such packet
    bool completes;
};

class TimeOuts : public testing::TestWithParam<TimeOutCase> {};

TEST_P(TimeOuts, TwoAreSurvivedTheThirdEndsTheJob) {
    Harness h;
    std::vector<uint8_t> silences = GetParam().silentCommands;
    std::vector<int64_t> silentAt;
    h.chip.setScript([&](const HostPacket& p, size_t) {
        const auto it = std::find(silences.begin(), silences.end(), p.command());
        if (it == silences.end()) return Answer::normal();
        silences.erase(it);
        silentAt.push_back(p.time);
        return Answer::silent();
    });
    const Bytes data = Pattern(300);
    ASSERT_TRUE(h.download(data));
    ASSERT_EQ(silentAt.size(), GetParam().silentCommands.size());
    if (GetParam().completes) {
        EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
        EXPECT_EQ(Bytes(h.chip.flash().begin(), h.chip.flash().begin() + 300), data);
    } else {
        EXPECT_EQ(h.events.lines().back(), "V1003 程序下载失败");
        EXPECT_EQ(h.engine.endReason(), EndReason::TimedOut);
        EXPECT_EQ(h.events.events().back().time, silentAt.back() + 1500);
    }
}

INSTANTIATE_TEST_SUITE_P(EngineRetry, TimeOuts,
                         testing::Values(TimeOutCase{"One", {0x80}, true},
                                         TimeOutCase{"TwoOnOneCommand", {0x80, 0x80}, true},
                                         TimeOutCase{"TwoApart", {0x80, 0x00}, true},
                                         TimeOutCase{
                                             "ThreeOnOneCommand", {0x80, 0x80, 0x80}, false},
                                         TimeOutCase{"ThreeAnywhere", {0x8E, 0x00, 0x80}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EngineRetry, TimedOutCommandIsSentAgainUnchanged) {
    Harness h;
    bool silenced = false;
    h.chip.setScript([&](const HostPacket& p, size_t) {
        if (IsBlock(p) && p.blockAddress() == 0x80 && !silenced) {
            silenced = true;
            return Answer::silent();
        }
        return Answer::normal();
    });
    ASSERT_TRUE(h.download(Pattern(300)));
    std::vector<HostPacket> second;
    for (const HostPacket& p : h.chip.packets()) {
        if (IsBlock(p) && p.blockAddress() == 0x80) second.push_back(p);
    }
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].payload, second[1].payload);
    EXPECT_EQ(second[1].time - second[0].time, 1500);
}

TEST(EngineRetry, SilentEraseIsSentAgainAfterTheEraseTime) {
    Harness h;
    bool silenced = false;
    h.chip.setScript([&](const HostPacket& p, size_t) {
        if (p.command() == 0x84 && !silenced) {
            silenced = true;
            return Answer::silent();
        }
        return Answer::normal();
    });
    ASSERT_TRUE(h.download(Pattern(300)));
    const auto erases = h.chip.packetsWithCommand(0x84);
    ASSERT_EQ(erases.size(), 2u);
    EXPECT_EQ(erases[1].time - erases[0].time, 16384 / 8 + 800);
    EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
}

TEST(EngineRetry, FailedWriteEndsTheJob) {
    Harness h;
    h.supplyOnErase(Pattern(300));
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    ASSERT_TRUE(h.clock.runUntil([&] { return !h.chip.packetsWithCommand(0x84).empty(); }, 60000));
    h.link.failWritesFrom(h.link.writes());
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.events.lines().back(), "V1003 程序下载失败");
    EXPECT_EQ(h.engine.endReason(), EndReason::PortWriteFailed);
    EXPECT_FALSE(h.link.isOpen());
}

TEST(EngineRetry, PortLostAtTheNewRateEndsTheJob) {
    Harness h;
    h.supplyOnErase(Pattern(300));
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    ASSERT_TRUE(h.clock.runUntil([&] { return !h.chip.packetsWithCommand(0x8F).empty(); }, 60000));
    h.link.failOpens(1);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.events.lines(),
              (std::vector<QString>{"V1000 下载单片机程序", "V100 等待启动标志...",
                                    "V500 检测到单片机：ZELF05N", "V101 设置波特率：115200bps...",
                                    "E1 串行端口已打开或者无效", "V1003 程序下载失败"}));
    EXPECT_EQ(h.engine.endReason(), EndReason::PortOpenFailed);
}

}  // namespace
}  // namespace zel::test
