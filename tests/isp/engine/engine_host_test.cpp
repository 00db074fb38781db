// A host acting from inside the engine's events, as the control's host does.
#include "harness.h"

#include <gtest/gtest.h>

namespace zel::test {
namespace {

TEST(EngineHost, CancelInsideProgressStopsAtOnce) {
    Harness h;
    h.events.onProgress([&](int) {
        if (h.events.progress().size() == 2) h.engine.CancelDown(true);
    });
    ASSERT_TRUE(h.download(Pattern(5 * 128)));
    EXPECT_EQ(h.events.progress(), (std::vector<int>{20, 40}));
    EXPECT_EQ(h.events.lines().back(), "V1002 取消程序下载");
    EXPECT_EQ(h.chip.blockWrites().size(), 2u);
    h.clock.advance(5000);
    EXPECT_EQ(h.chip.blockWrites().size(), 2u);
}

TEST(EngineHost, CancelInsideTheEraseAnnouncementSendsNoErase) {
    Harness h;
    h.events.onViewInfo(102, [&] {
        h.engine.SetData(Pattern(10));
        h.engine.CancelDown(true);
    });
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_TRUE(h.chip.packetsWithCommand(0x84).empty());
    EXPECT_EQ(h.events.lines().back(), "V1002 取消程序下载");
    EXPECT_FALSE(h.clock.isArmed(EngineTimer::Timer2));
}

TEST(EngineHost, CancelInsideTheSeriesQuestionRaisesNoSeriesError) {
    Harness h;
    h.engine.setSelectedSeries(5);
    h.events.onInterrupt([&](int) { h.engine.CancelDown(true); });
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(
        h.events.lines(),
        (std::vector<QString>{"V1000 下载单片机程序", "V100 等待启动标志...",
                              "V500 检测到单片机：ZELF05N", "I1 系列不同", "V1002 取消程序下载"}));
    EXPECT_FALSE(h.link.isOpen());
}

TEST(EngineHost, NextDownloadStartsFromTheCompletionEvent) {
    Harness h;
    h.supplyOnErase(Pattern(200));
    int completed = 0;
    std::vector<CallStatus> restarts;
    h.events.onViewInfo(1001, [&] {
        if (++completed < 3) restarts.push_back(h.engine.Start(2));
    });
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    ASSERT_TRUE(h.clock.runUntil([&] { return completed == 3; }, 120000));
    EXPECT_EQ(restarts, (std::vector<CallStatus>{CallStatus::Ok, CallStatus::Ok}));
    EXPECT_FALSE(h.engine.Buzy());
    EXPECT_EQ(h.events.of(RecordedEvent::ViewInfo, 1003).size(), 0u);
    EXPECT_EQ(h.chip.packetsWithCommand(0x84).size(), 3u);
}

TEST(EngineHost, BytesDuringTheBaudChangeAreDropped) {
    Harness h;
    h.supplyOnErase(Pattern(100));
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    ASSERT_TRUE(
        h.clock.runUntil([&] { return h.engine.phase() == rules::Phase::Settling; }, 60000));
    const size_t eventsBefore = h.events.events().size();
    h.engine.BytesReceived(ChipModel::frame(Bytes{0x8F}, 1));
    EXPECT_EQ(h.engine.phase(), rules::Phase::Settling);
    EXPECT_EQ(h.events.events().size(), eventsBefore);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
    EXPECT_TRUE(std::any_of(h.trace.begin(), h.trace.end(),
                            [](const TraceRecord& r) { return r.kind == TraceKind::Stray; }));
}

}  // namespace
}  // namespace zel::test
