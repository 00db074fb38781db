// Whole downloads and configure jobs against the chip model.
#include "harness.h"

#include <gtest/gtest.h>

namespace zel::test {
namespace {

std::vector<uint8_t> Commands(const ChipModel& chip) {
    std::vector<uint8_t> commands;
    for (const HostPacket& p : chip.packets()) commands.push_back(p.command());
    return commands;
}

struct Line {
    QString text;
    bool success;
    bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Line& line) {
    return os << line.text.toStdString() << (line.success ? " [success]" : "");
}

std::vector<Line> LinesWithSuccess(const EventRecorder& events) {
    std::vector<Line> lines;
    const std::vector<QString> texts = events.lines();
    for (size_t i = 0; i < texts.size(); ++i)
        lines.push_back({texts[i], events.events()[i].success});
    return lines;
}

TEST(EngineDownload, ThreeHundredBytesGiveTheExactEventSequence) {
    Harness h;
    const Bytes data = Pattern(300);
    ASSERT_TRUE(h.download(data));

    const std::vector<Line> expected{{"V1000 下载单片机程序", false},
                                     {"V100 等待启动标志...", false},
                                     {"V500 检测到单片机：ZELF05N", true},
                                     {"V101 设置波特率：115200bps...", true},
                                     {"V102 擦除单片机程序...", true},
                                     {"V103 写入单片机程序...", true},
                                     {"P33", false},
                                     {"P67", false},
                                     {"P100", false},
                                     {"V1001 程序下载成功", true}};
    EXPECT_EQ(LinesWithSuccess(h.events), expected);
    EXPECT_EQ(h.engine.endReason(), EndReason::Completed);
    EXPECT_TRUE(h.engine.success());
    EXPECT_FALSE(h.link.isOpen());

    // With no options the option write and read are skipped: after the data comes END1.
    const std::vector<uint8_t> commands{0x8F, 0x8E, 0x80, 0x80, 0x80, 0x80, 0x80,
                                        0x84, 0x00, 0x00, 0x00, 0x82, 0x52};
    EXPECT_EQ(Commands(h.chip), commands);
    EXPECT_EQ(h.chip.blockWrites(),
              (std::vector<std::pair<uint8_t, int64_t>>{{0x00, 0}, {0x00, 0x80}, {0x00, 0x100}}));
    EXPECT_EQ(Bytes(h.chip.flash().begin(), h.chip.flash().begin() + 300), data);
    EXPECT_EQ(std::count(h.chip.flash().begin() + 300, h.chip.flash().begin() + 384, 0xFF), 84);
    EXPECT_EQ(h.chip.lostPackets(), 0);

    std::vector<std::pair<int64_t, Parity>> openings;
    for (const auto& o : h.link.openings()) openings.emplace_back(o.rate, o.parity);
    const std::vector<std::pair<int64_t, Parity>> expectedOpenings{
        {1200, Parity::None},   {1200, Parity::None}, {1200, Parity::None},
        {115200, Parity::None}, {1200, Parity::None}, {115200, Parity::None}};
    EXPECT_EQ(openings, expectedOpenings);
    EXPECT_EQ(h.link.garbled(), 0);
}

TEST(EngineDownload, EraseWaitsFlashSizeOverEightPlus800ms) {
    Harness h;
    ASSERT_TRUE(h.download(Pattern(300)));
    // 16 KB of flash: 16384 / 8 + 800.
    const std::vector<int> intervals = h.clock.intervalsArmed(EngineTimer::Timer2);
    EXPECT_EQ(std::count(intervals.begin(), intervals.end(), 2848), 1);
    EXPECT_EQ(std::count(intervals.begin(), intervals.end(), 1500),
              static_cast<long>(intervals.size()) - 1);
    const auto erase = h.chip.packetsWithCommand(0x84);
    ASSERT_EQ(erase.size(), 1u);
    // Short erase form of the F0 series: 84, low byte of the end, six times 33.
    EXPECT_EQ(erase[0].payload, (Bytes{0x84, 0x2C, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33}));
}

TEST(EngineDownload, DataHandedOverInTheEraseAnnouncementIsWritten) {
    Harness h;
    h.engine.SetData(Pattern(2000, 9));  // replaced by what the handler supplies
    const Bytes code = Pattern(300, 3);
    const Bytes serial{0x12, 0x34, 0x56, 0x78};
    h.supplyOnErase(code, {{serial, 0xFFFC}});
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());

    EXPECT_EQ(h.events.progress(), (std::vector<int>{25, 50, 75, 100}));
    EXPECT_EQ(h.chip.blockWrites(), (std::vector<std::pair<uint8_t, int64_t>>{
                                        {0x00, 0}, {0x00, 0x80}, {0x00, 0x100}, {0x00, 0xFF80}}));
    const Bytes& flash = h.chip.flash();
    EXPECT_EQ(Bytes(flash.begin(), flash.begin() + 300), code);
    EXPECT_EQ(Bytes(flash.begin() + 0xFFFC, flash.end()), serial);
    EXPECT_EQ(std::count(flash.begin() + 0xFF80, flash.begin() + 0xFFFC, 0xFF), 0x7C);
    EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
}

TEST(EngineDownload, DataChangesAfterTheEraseAreRefused) {
    Harness h;
    const Bytes code = Pattern(200);
    h.supplyOnErase(code);
    std::vector<CallStatus> late;
    h.events.onViewInfo(103, [&] {
        late.push_back(h.engine.SetData(Pattern(200, 77)));
        late.push_back(h.engine.AppendData(Bytes{1}, 0x1000));
    });
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(late, (std::vector<CallStatus>{CallStatus::DataLocked, CallStatus::DataLocked}));
    EXPECT_EQ(Bytes(h.chip.flash().begin(), h.chip.flash().begin() + 200), code);
    // Once the job is over the data can change again.
    EXPECT_EQ(h.engine.SetData(Bytes{1}), CallStatus::Ok);
}

TEST(EngineDownload, NoDataEndsTheJobBeforeTheErase) {
    Harness h;
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.events.lines().back(), "V1003 程序下载失败");
    EXPECT_EQ(h.engine.endReason(), EndReason::NoData);
    EXPECT_TRUE(h.chip.packetsWithCommand(0x84).empty());
}

TEST(EngineDownload, EvenParitySeriesWithOptions) {
    Harness h(D1Chip());
    h.engine.setSelectedSeries(kIndexD1);
    int commits = 0;
    bool committedBeforeAnnouncement = false;
    h.engine.setOptionCommitter([&] {
        ++commits;
        committedBeforeAnnouncement = h.events.of(RecordedEvent::ViewInfo, 105).empty();
        h.ctx.Chip.StatusBytes[23] = 0xA5;  // the editor's choice
    });
    const Bytes data = Pattern(256);
    ASSERT_TRUE(h.download(data));

    EXPECT_EQ(h.events.lines(),
              (std::vector<QString>{"V1000 下载单片机程序", "V100 等待启动标志...",
                                    "V500 检测到单片机：ZELH64AD", "V101 设置波特率：115200bps...",
                                    "V102 擦除单片机程序...", "V103 写入单片机程序...", "P50",
                                    "P100", "V105 设置单片机选项...", "V1001 程序下载成功"}));
    // Step list 0,3,1,2,4,5,7,6,8: the job ends as soon as END1 is out.
    const std::vector<uint8_t> commands{0x50, 0x8F, 0x8E, 0x84, 0x00, 0x00, 0x69, 0x8D, 0x82};
    EXPECT_EQ(Commands(h.chip), commands);
    EXPECT_EQ(commits, 1);
    EXPECT_TRUE(committedBeforeAnnouncement);
    const auto options = h.chip.packetsWithCommand(0x8D);
    ASSERT_EQ(options.size(), 1u);
    EXPECT_EQ(Bytes(options[0].payload.begin(), options[0].payload.begin() + 4),
              (Bytes{0x8D, 0xA5, 0x22, 0x33}));
    EXPECT_EQ(h.chip.lostPackets(), 0);
    for (const HostPacket& p : h.chip.packets()) EXPECT_EQ(p.parity, Parity::Even);
    EXPECT_EQ(h.link.openings().at(0).parity, Parity::None);
    EXPECT_EQ(Bytes(h.chip.flash().begin(), h.chip.flash().begin() + 256), data);
    EXPECT_EQ(h.ctx.Chip.Sn, "01-02-03-04-05-06-07");
}

TEST(EngineDownload, ListEndingWithTheFirstEndCommandFinishesAtOnce) {
    Harness h(FfChip());
    ASSERT_TRUE(h.download(Pattern(128)));
    EXPECT_EQ(Commands(h.chip).back(), 0x82);
    EXPECT_TRUE(h.chip.packetsWithCommand(0x52).empty());
    EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
}

TEST(EngineDownload, SilentEndIsCompleteAfterTheGrace) {
    Harness h;
    int64_t endSent = -1;
    h.chip.setScript([&](const HostPacket& p, size_t) {
        if (p.command() != 0x82) return Answer::normal();
        endSent = p.time;
        return Answer::silent();
    });
    ASSERT_TRUE(h.download(Pattern(10)));
    EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
    EXPECT_EQ(h.events.events().back().time, endSent + 500);
    EXPECT_TRUE(h.chip.packetsWithCommand(0x52).empty());
}

TEST(EngineDownload, RepliesSplitAtAnyPointStillComplete) {
    for (size_t piece : {1u, 2u, 5u, 7u}) {
        Harness h;
        h.link.setPieceSize(piece);
        const Bytes data = Pattern(500);
        ASSERT_TRUE(h.download(data)) << piece;
        EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功") << piece;
        EXPECT_EQ(Bytes(h.chip.flash().begin(), h.chip.flash().begin() + 500), data) << piece;
    }
}

TEST(EngineConfigure, WritesTheOptionsWhenTheDatabaseHasSteps) {
    Harness h(OptionF0Chip());
    ASSERT_EQ(h.engine.Start(3), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.events.lines(),
              (std::vector<QString>{"V1000 配置单片机选项", "V100 等待启动标志...",
                                    "V500 检测到单片机：ZELF0AOP", "V101 设置波特率：115200bps...",
                                    "V105 设置单片机选项...", "V1001 参数配置完成"}));
    const auto options = h.chip.packetsWithCommand(0x8D);
    ASSERT_EQ(options.size(), 1u);
    EXPECT_EQ(options[0].payload, (Bytes{0x8D, 0x5A, 0xFF, 0xF6, 0xFF}));
    EXPECT_TRUE(h.chip.packetsWithCommand(0x84).empty());
}

}  // namespace
}  // namespace zel::test
