// The table at the end of a gang download: its columns line up on a terminal whatever mix of
// Chinese and Latin text the rows hold, and it names the ports that failed.
#include "porttable.h"

#include <gtest/gtest.h>

namespace korvan::cli {
namespace {

struct WidthCase {
    const char* text;
    int width;
    int fitTo;
    const char* fitted;
};

class Width : public ::testing::TestWithParam<WidthCase> {};

TEST_P(Width, CountsChineseCharactersAsTwoColumns) {
    const WidthCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(DisplayWidth(text), c.width);
    EXPECT_EQ(FitWidth(text, c.fitTo), QString::fromUtf8(c.fitted));
}

INSTANTIATE_TEST_SUITE_P(
    Terminal, Width,
    ::testing::Values(WidthCase{"", 0, 5, ""}, WidthCase{"/dev/ttyUSB0", 12, 8, "/dev/tty"},
                      WidthCase{"成功", 4, 4, "成功"},
                      // Half a character does not fit.
                      WidthCase{"成功", 4, 3, "成"},
                      WidthCase{"写入单片机程序... [##]", 22, 10, "写入单片机"},
                      WidthCase{"（可选）", 8, 7, "（可选"}));

// The display column at which `cell` starts in `line`.
int ColumnOf(const QString& line, const QString& cell) {
    const qsizetype at = line.indexOf(cell);
    return at < 0 ? -1 : DisplayWidth(line.left(at));
}

TEST(PortTable, ColumnsLineUpAndTheFailedPortIsNamed) {
    JobSummary s;
    s.ports = {
        PortSummary{"/dev/pts/12", "ZELH64AD", "D103", "success", "", 1, 1, {7}, 1500},
        PortSummary{"COM3", "", "", "timeout", "通讯超时退出", 0, 1, {}, 30020},
        PortSummary{"/dev/ttyUSB0", "ZELB62", "E202", "success", "", 1, 1, {8}, 980},
    };
    s.unusedSerials = {5};
    const QStringList lines = PortTableLines(s);
    ASSERT_EQ(lines.size(), 6) << lines.join('\n').toStdString();
    const QString& heading = lines[0];
    const int model = ColumnOf(heading, "型号");
    const int result = ColumnOf(heading, "结果");
    const int serials = ColumnOf(heading, "增量(N)");
    EXPECT_EQ(ColumnOf(lines[1], "ZELH64AD"), model);
    EXPECT_EQ(ColumnOf(lines[2], "-"), model);
    EXPECT_EQ(ColumnOf(lines[3], "ZELB62"), model);
    EXPECT_EQ(ColumnOf(lines[1], "成功"), result);
    EXPECT_EQ(ColumnOf(lines[2], "超时"), result);
    EXPECT_EQ(ColumnOf(lines[3], "成功"), result);
    EXPECT_EQ(ColumnOf(lines[1], " 7"), serials - 1);
    EXPECT_TRUE(lines[2].startsWith("COM3 ")) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].endsWith("通讯超时退出")) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains("30.02 秒")) << lines[2].toStdString();
    EXPECT_EQ(lines[4], "未使用的增量(N)：5");
    EXPECT_EQ(lines[5], "共 3 个串口：2 个成功，1 个失败");
}

TEST(PortTable, RepeatedDownloadsShowHowManyChipsEachPortDid) {
    JobSummary s;
    s.ports = {PortSummary{"A", "ZELH64AD", "D103", "success", "", 3, 3, {}, 1},
               PortSummary{"B", "ZELH64AD", "D103", "failed", "程序下载失败", 1, 3, {}, 1}};
    const QStringList lines = PortTableLines(s);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_FALSE(lines[0].contains("增量(N)")) << "no serial column without serial numbers";
    EXPECT_TRUE(lines[1].contains("成功 3/3")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].contains("失败 1/3")) << lines[2].toStdString();
}

}  // namespace
}  // namespace korvan::cli
