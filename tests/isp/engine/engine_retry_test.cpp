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
    const char* name;
    int64_t block;  // of three; 2 is the last
    int refusals;   // of that block, in a row; -1 = for ever
    bool completes;
};

class RetriesInARow : public testing::TestWithParam<RetryCase> {};

// The chip refuses one block a number of times in a row. Each refusal steps back to the block
// before it (the first block stays), and five refusals of any block end the job at once, however
// long the chip would go on refusing: the block before going through again does not clear the
// count.
TEST_P(RetriesInARow, FiveOfTheSameBlockEndTheJob) {
    const RetryCase& c = GetParam();
    const int64_t address = c.block * 128;
    Harness h;
    int refusals = 0;
    h.chip.setScript([&](const HostPacket& p, size_t) {
        if (IsBlock(p) && p.blockAddress() == address &&
            (c.refusals < 0 || refusals < c.refusals)) {
            ++refusals;
            return Answer::reply(Bytes{0x81});
        }
        return Answer::normal();
    });
    const Bytes data = Pattern(3 * 128);
    ASSERT_TRUE(h.download(data));
    Writes expected;
    for (int64_t b = 0; b < c.block; ++b) expected.emplace_back(0x00, b * 128);
    expected.emplace_back(0x00, address);
    const int resends = c.completes ? c.refusals : 4;
    for (int i = 0; i < resends; ++i) {
        if (c.block == 0) {
            expected.emplace_back(0x30, 0);
        } else {
            expected.emplace_back(0x30, address - 128);
            expected.emplace_back(0x00, address);
        }
    }
    if (c.completes) {
        for (int64_t b = c.block + 1; b < 3; ++b) expected.emplace_back(0x00, b * 128);
    }
    EXPECT_EQ(h.chip.blockWrites(), expected);
    if (c.completes) {
        EXPECT_EQ(refusals, c.refusals);
        EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
        EXPECT_EQ(Bytes(h.chip.flash().begin(), h.chip.flash().begin() + 3 * 128), data);
        return;
    }
    EXPECT_EQ(refusals, 5);
    EXPECT_EQ(h.events.lines().back(), "V1003 程序下载失败");
    EXPECT_EQ(h.engine.endReason(), EndReason::RetriesExhausted);
    EXPECT_FALSE(h.engine.success());
    // The fifth refusal ends the job itself; no response time-out was needed.
    int64_t firstWrite = -1;
    for (const HostPacket& p : h.chip.packets()) {
        if (IsBlock(p) && p.blockAddress() == address) {
            firstWrite = p.time;
            break;
        }
    }
    ASSERT_GE(firstWrite, 0);
    EXPECT_LT(h.events.events().back().time - firstWrite, 1500);
}

INSTANTIATE_TEST_SUITE_P(EngineRetry, RetriesInARow,
                         testing::Values(RetryCase{"FirstBlockFourTimes", 0, 4, true},
                                         RetryCase{"FirstBlockFiveTimes", 0, 5, false},
                                         RetryCase{"FirstBlockForEver", 0, -1, false},
                                         RetryCase{"SecondBlockFourTimes", 1, 4, true},
                                         RetryCase{"SecondBlockFiveTimes", 1, 5, false},
                                         RetryCase{"SecondBlockForEver", 1, -1, false},
                                         RetryCase{"LastBlockFourTimes", 2, 4, true},
                                         RetryCase{"LastBlockFiveTimes", 2, 5, false},
                                         RetryCase{"LastBlockForEver", 2, -1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Once the third block is refused the chip refuses everything: each refusal steps one block
// further back, stops at the first block, and the fifth ends the job.
TEST(EngineRetry, RefusalsInARowStepBackToTheFirstBlock) {
    Harness h;
    int refusals = 0;
    h.chip.setScript([&](const HostPacket& p, size_t) {
        if (IsBlock(p) && (p.blockAddress() == 0x100 || refusals > 0)) {
            ++refusals;
            return Answer::reply(Bytes{0x81});
        }
        return Answer::normal();
    });
    ASSERT_TRUE(h.download(Pattern(3 * 128)));
    EXPECT_EQ(refusals, 5);
    EXPECT_EQ(h.events.lines().back(), "V1003 程序下载失败");
    EXPECT_EQ(h.engine.endReason(), EndReason::RetriesExhausted);
    const Writes writes = h.chip.blockWrites();
    EXPECT_EQ(Writes(writes.begin() + 2, writes.end()),
              (Writes{{0x00, 0x100}, {0x30, 0x80}, {0x30, 0}, {0x30, 0}, {0x30, 0}}));
}

TEST(EngineRetry, OptionWriteRetriesUpToFiveTimes) {
    for (const RetryCase& c : {RetryCase{"Four", 0, 4, true}, RetryCase{"Five", 0, 5, false}}) {
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
    int slackMs = 0;
};

class TimeOuts : public testing::TestWithParam<TimeOutCase> {};

TEST_P(TimeOuts, TwoAreSurvivedTheThirdEndsTheJob) {
    Harness h;
    h.engine.setReplySlack(GetParam().slackMs);
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
        EXPECT_EQ(h.events.events().back().time, silentAt.back() + 1500 + GetParam().slackMs);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EngineRetry, TimeOuts,
    testing::Values(TimeOutCase{"One", {0x80}, true},
                    TimeOutCase{"TwoOnOneCommand", {0x80, 0x80}, true},
                    TimeOutCase{"TwoApart", {0x80, 0x00}, true},
                    TimeOutCase{"ThreeOnOneCommand", {0x80, 0x80, 0x80}, false},
                    TimeOutCase{"ThreeAnywhere", {0x8E, 0x00, 0x80}, false},
                    TimeOutCase{"ThreeWithSlack", {0x80, 0x80, 0x80}, false, 2000}),
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
