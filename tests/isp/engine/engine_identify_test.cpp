// Identification: the check job, unknown models, series checks and missing step lists.
#include "harness.h"

#include <gtest/gtest.h>

namespace zel::test {
namespace {

TEST(EngineIdentify, CheckJobOfAD1ChipIsIdentificationOnly) {
    Harness h(D1Chip());
    h.engine.setSelectedSeries(kIndexD1);
    ASSERT_EQ(h.engine.Start(1), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.events.lines(),
              (std::vector<QString>{"V1000 检测单片机参数", "V100 等待启动标志...",
                                    "V500 检测到单片机：ZELH64AD", "V1001 参数检测完成"}));
    EXPECT_TRUE(h.chip.packets().empty());
    EXPECT_EQ(h.link.openings().size(), 1u);
    EXPECT_EQ(h.ctx.Chip.ModelId, "D103");
    EXPECT_EQ(h.ctx.Chip.Flash, 65536);
    EXPECT_EQ(h.ctx.Chip.OptionDescriptors.size(), 3);
    EXPECT_EQ(h.engine.DownType(), 1);
    EXPECT_TRUE(h.engine.success());
}

TEST(EngineIdentify, CheckJobOfAnotherSeriesAsksToAdoptIt) {
    Harness h(D1Chip());
    h.engine.setSelectedSeries(kIndexF0);
    h.events.setResume(false);  // a check job goes on whatever the host answers
    ASSERT_EQ(h.engine.Start(1), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.events.lines(),
              (std::vector<QString>{"V1000 检测单片机参数", "V100 等待启动标志...",
                                    "V500 检测到单片机：ZELH64AD", "I2 自动更换系列",
                                    "V1001 参数检测完成"}));
}

TEST(EngineIdentify, UnknownModelGivesTheFailureMessageTwice) {
    ChipConfig chip = PlainF0Chip();
    chip.idLow = kUnknownF0;
    Harness h(chip);
    h.supplyOnErase(Pattern(100));
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.events.lines(),
              (std::vector<QString>{"V1000 下载单片机程序", "V100 等待启动标志...",
                                    "V500 检测到单片机：未知型号 F0EE", "V1003 程序下载失败",
                                    "E12 未知型号的单片机", "V1003 程序下载失败"}));
    EXPECT_EQ(h.engine.endReason(), EndReason::UnknownModel);
    EXPECT_TRUE(h.chip.packets().empty());
    EXPECT_FALSE(h.link.isOpen());
}

struct SeriesCase {
    const char* name;
    int jobType;
    bool resume;
    std::vector<QString> tail;  // the events after the identification line
};

class DifferentSeries : public testing::TestWithParam<SeriesCase> {};

TEST_P(DifferentSeries, IsRefusedOrAdopted) {
    Harness h(OptionF0Chip());
    h.engine.setSelectedSeries(3);
    h.events.setResume(GetParam().resume);
    h.supplyOnErase(Pattern(100));
    ASSERT_EQ(h.engine.Start(GetParam().jobType), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    std::vector<QString> lines = h.events.lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[2], "V500 检测到单片机：ZELF0AOP");
    std::vector<QString> tail(lines.begin() + 3, lines.end());
    // Only the first and last events of a job that goes on matter here.
    if (tail.size() > GetParam().tail.size()) {
        tail.erase(tail.begin() + 1, tail.end() - 1);
    }
    EXPECT_EQ(tail, GetParam().tail);
}

INSTANTIATE_TEST_SUITE_P(
    EngineIdentify, DifferentSeries,
    testing::Values(SeriesCase{"DownloadRefused",
                               2,
                               false,
                               {"I1 系列不同", "E10 系列不同，已取消下载", "V1003 程序下载失败"}},
                    SeriesCase{"DownloadAdopted", 2, true, {"I1 系列不同", "V1001 程序下载成功"}},
                    SeriesCase{"ConfigureAlwaysRefused",
                               3,
                               true,
                               {"I1 系列不同", "E10 系列不同，已取消配置", "V1003 参数配置失败"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EngineIdentify, ConfigureJobWithoutStepsFailsRightAfterIdentification) {
    Harness h;  // F005 has no [SPROC] row, nor has its series
    ASSERT_EQ(h.engine.Start(3), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.events.lines(),
              (std::vector<QString>{"V1000 配置单片机选项", "V100 等待启动标志...",
                                    "V500 检测到单片机：ZELF05N", "V1003 参数配置失败"}));
    EXPECT_EQ(h.engine.endReason(), EndReason::NoSteps);
    EXPECT_TRUE(h.chip.packets().empty());
}

TEST(EngineIdentify, ConfigureJobFailsWithTheShippedDatabase) {
    // The database built into the control has no configure steps at all.
    Harness h(D1Chip(), QString());
    h.engine.setSelectedSeries(kIndexD1);
    ASSERT_EQ(h.engine.Start(3), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.events.lines().back(), "V1003 参数配置失败");
    EXPECT_EQ(h.engine.endReason(), EndReason::NoSteps);
}

TEST(EngineIdentify, ShortFrameWhileWaitingIsNotAStatusReply) {
    ChipConfig chip = PlainF0Chip();
    chip.syncBytesNeeded = 50;
    Harness h(chip);
    h.supplyOnErase(Pattern(100));
    ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
    h.clock.advance(100);
    // Noise that forms a complete but short frame.
    h.engine.BytesReceived(ChipModel::frame(Bytes{0x12, 0x34, 0x56}, 1));
    EXPECT_EQ(h.events.events().size(), 2u);
    EXPECT_TRUE(h.engine.Buzy());
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.events.lines()[2], "V500 检测到单片机：ZELF05N");
    EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
}

TEST(EngineIdentify, StatusReplyInSingleBytes) {
    Harness h(D1Chip());
    h.engine.setSelectedSeries(kIndexD1);
    h.link.setPieceSize(1);
    ASSERT_EQ(h.engine.Start(1), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.events.lines().back(), "V1001 参数检测完成");
    EXPECT_EQ(h.ctx.Chip.ModelId, "D103");
}

// The database is read when a job starts: an edit between two jobs counts from the second one,
// and the running job keeps the rows it started with.
TEST(EngineIdentify, EditedDatabaseCountsFromTheNextJob) {
    Harness h(D1Chip());
    h.engine.setSelectedSeries(kIndexD1);
    ASSERT_EQ(h.engine.Start(1), CallStatus::Ok);
    QString renamed = TestDatabaseText();
    renamed.replace(QStringLiteral("D103=8ZELH64AD00500"), QStringLiteral("D103=8ZELNEW0100500"));
    h.database.replace(MemoryChipDatabase::fromText(renamed).load());
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.ctx.Chip.Model, "ZELH64AD");

    h.chip.restart();
    ASSERT_EQ(h.engine.Start(1), CallStatus::Ok);
    ASSERT_TRUE(h.runUntilIdle());
    EXPECT_EQ(h.ctx.Chip.Model, "ZELNEW01");
    EXPECT_EQ(h.events.lines().back(), "V1001 参数检测完成");
}

// Two engines in one process (two ports) keep apart: what one identifies, the other never sees.
TEST(EngineIdentify, TwoEnginesShareNoState) {
    Harness d1(D1Chip());
    Harness f0(PlainF0Chip());
    d1.engine.setParameters({57600, kIndexD1});
    f0.engine.setParameters({0, kIndexF0});
    ASSERT_EQ(d1.engine.Start(1), CallStatus::Ok);
    ASSERT_TRUE(d1.runUntilIdle());
    EXPECT_EQ(f0.engine.chip().ModelId, "");
    ASSERT_EQ(f0.engine.Start(1), CallStatus::Ok);
    ASSERT_TRUE(f0.runUntilIdle());
    EXPECT_EQ(d1.engine.chip().ModelId, "D103");
    EXPECT_NE(f0.engine.chip().ModelId, "D103");
    EXPECT_FALSE(f0.engine.chip().ModelId.isEmpty());
    EXPECT_LE(d1.engine.chip().Baud, 57600);
    EXPECT_EQ(d1.engine.parameters().SelectedSeries, kIndexD1);
    EXPECT_EQ(f0.engine.parameters().SelectedSeries, kIndexF0);
}

}  // namespace
}  // namespace zel::test
