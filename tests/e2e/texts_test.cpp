// The texts korvan-cli builds itself: the chip information lines and the progress bar.
#include "chipinfotext.h"
#include "textoutput.h"

#include <gtest/gtest.h>

namespace korvan::cli {
namespace {

struct InfoCase {
    const char* name;
    jobs::ChipRecord chip;
    QStringList lines;
};

class ChipInfo : public ::testing::TestWithParam<InfoCase> {};

TEST_P(ChipInfo, LinesAsTheInformationTreeShowsThem) {
    EXPECT_EQ(ChipInfoLines(GetParam().chip), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ChipInfo,
    ::testing::Values(InfoCase{"KnownWithEepromAndSerial",
                               jobs::ChipRecord{.model = "ZELX",
                                                .id = "E103",
                                                .version = "6.2 C",
                                                .cpu = 11059200,
                                                .flash = 4096,
                                                .memory = 256,
                                                .eeprom = 1536,
                                                .sn = "00-1A",
                                                .options = {"A：  1"}},
                               {"MCU 内核", "MCU 型号：  ZELX", "MCU 版本：  6.2 C",
                                "MCU 频率：  11.059200 MHz", "存储空间：  4096 B  (4 KB)",
                                "内存空间：  256 Bytes", "EEPROM  ：  1536 B  (2 KB)",
                                "序 列 号：  00-1A", "MCU 选项", "A：  1"}},
                      InfoCase{"HalfKilobyteRoundsUpOthersDown",
                               jobs::ChipRecord{.model = "ZELY",
                                                .id = "F003",
                                                .version = "5.1 A",
                                                .cpu = 12000000,
                                                .flash = 1535,
                                                .memory = 128,
                                                .sn = "",
                                                .options = {}},
                               {"MCU 内核", "MCU 型号：  ZELY", "MCU 版本：  5.1 A",
                                "MCU 频率：  12.000000 MHz", "存储空间：  1535 B  (1 KB)",
                                "内存空间：  128 Bytes", "MCU 选项", "此型号不支持用户选项"}},
                      InfoCase{"UnknownModelStopsAfterTheClock",
                               jobs::ChipRecord{.model = "",
                                                .id = "D1FE",
                                                .version = "6.2 C",
                                                .cpu = 24000000,
                                                .sn = "",
                                                .options = {}},
                               {"MCU 内核", "MCU 型号：  未知型号 D1FE", "MCU 版本：  6.2 C",
                                "MCU 频率：  24.000000 MHz"}}),
    [](const ::testing::TestParamInfo<InfoCase>& info) { return std::string(info.param.name); });

TEST(ProgressBarText, FillsInProportion) {
    EXPECT_EQ(ProgressBar(0, 10), "[----------]   0%");
    EXPECT_EQ(ProgressBar(45, 10), "[####------]  45%");
    EXPECT_EQ(ProgressBar(100, 10), "[##########] 100%");
    EXPECT_EQ(ProgressBar(130, 4), "[####] 100%");
}

}  // namespace
}  // namespace korvan::cli
