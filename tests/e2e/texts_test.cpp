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

// A chip as identification leaves it (the rate and the series do not show in the lines).
jobs::ChipRecord Chip(const char* model, const char* id, const char* version, qint64 cpu,
                      qint64 flash, qint64 memory, qint64 eeprom, const char* sn,
                      const QStringList& options) {
    jobs::ChipRecord chip;
    chip.model = model;
    chip.id = id;
    chip.version = version;
    chip.cpu = cpu;
    chip.flash = flash;
    chip.memory = memory;
    chip.eeprom = eeprom;
    chip.sn = sn;
    chip.options = options;
    return chip;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ChipInfo,
    ::testing::Values(
        InfoCase{"KnownWithEepromAndSerial",
                 Chip("ZELX", "E103", "6.2 C", 11059200, 4096, 256, 1536, "00-1A", {"A：  1"}),
                 {"MCU 内核", "MCU 型号：  ZELX", "MCU 版本：  6.2 C", "MCU 频率：  11.059200 MHz",
                  "存储空间：  4096 B  (4 KB)", "内存空间：  256 Bytes",
                  "EEPROM  ：  1536 B  (2 KB)", "序 列 号：  00-1A", "MCU 选项", "A：  1"}},
        InfoCase{"HalfKilobyteRoundsUpOthersDown",
                 Chip("ZELY", "F003", "5.1 A", 12000000, 1535, 128, 0, "", {}),
                 {"MCU 内核", "MCU 型号：  ZELY", "MCU 版本：  5.1 A", "MCU 频率：  12.000000 MHz",
                  "存储空间：  1535 B  (1 KB)", "内存空间：  128 Bytes", "MCU 选项",
                  "此型号不支持用户选项"}},
        InfoCase{"UnknownModelStopsAfterTheClock",
                 Chip("", "D1FE", "6.2 C", 24000000, 0, 0, 0, "", {}),
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
