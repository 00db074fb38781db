#include "views/chipinfolines.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

jobs::ChipRecord KnownChip() {
    jobs::ChipRecord c;
    c.model = "ZEL51D103";
    c.id = "D103";
    c.version = "4.3C";
    c.cpu = 11059200;
    c.flash = 4096;
    c.memory = 256;
    c.eeprom = 1536;
    c.sn = "";
    c.options = {"看门狗：  关闭", "振荡器：  外部晶振"};
    return c;
}

struct TreeCase {
    const char* name;
    jobs::ChipRecord chip;
    QVector<ChipTreeLine> expected;
};

class ChipTreeTest : public ::testing::TestWithParam<TreeCase> {};

TEST_P(ChipTreeTest, GivesTheLinesInOrder) {
    const TreeCase& c = GetParam();
    EXPECT_EQ(ChipTreeLines(c.chip), c.expected)
        << ChipTreeText(ChipTreeLines(c.chip), "  ").join('\n').toStdString();
}

TreeCase Known() {
    return {"known",
            KnownChip(),
            {{"MCU 内核", 4, false},
             {"MCU 型号：  ZEL51D103", 1, true},
             {"MCU 版本：  4.3C", 1, true},
             {"MCU 频率：  11.059200 MHz", 1, true},
             {"存储空间：  4096 B  (4 KB)", 1, true},
             {"内存空间：  256 Bytes", 1, true},
             {"EEPROM  ：  1536 B  (2 KB)", 1, true},
             {"MCU 选项", 5, false},
             {"看门狗：  关闭", 1, true},
             {"振荡器：  外部晶振", 1, true}}};
}

TreeCase Unknown() {
    jobs::ChipRecord c = KnownChip();
    c.model.clear();
    c.id = "F7A0";
    c.cpu = 24000000;
    return {"unknown",
            c,
            {{"MCU 内核", 4, false},
             {"MCU 型号：  未知型号 F7A0", 1, true},
             {"MCU 版本：  4.3C", 1, true},
             {"MCU 频率：  24.000000 MHz", 1, true}}};
}

TreeCase NoOptionsNoEepromWithSerial() {
    jobs::ChipRecord c = KnownChip();
    c.options.clear();
    c.eeprom = 0;
    c.flash = 8192;
    c.cpu = 1;
    c.sn = "00A1B2C3";
    return {"no options",
            c,
            {{"MCU 内核", 4, false},
             {"MCU 型号：  ZEL51D103", 1, true},
             {"MCU 版本：  4.3C", 1, true},
             {"MCU 频率：  0.000001 MHz", 1, true},
             {"存储空间：  8192 B  (8 KB)", 1, true},
             {"内存空间：  256 Bytes", 1, true},
             {"序 列 号：  00A1B2C3", 1, true},
             {"MCU 选项", 5, false},
             {"此型号不支持用户选项", 11, true}}};
}

TreeCase OneByteEeprom() {
    jobs::ChipRecord c = KnownChip();
    c.eeprom = 1;
    c.flash = 1535;
    c.options = {""};  // an option without words still gets its line
    return {"one byte",
            c,
            {{"MCU 内核", 4, false},
             {"MCU 型号：  ZEL51D103", 1, true},
             {"MCU 版本：  4.3C", 1, true},
             {"MCU 频率：  11.059200 MHz", 1, true},
             {"存储空间：  1535 B  (1 KB)", 1, true},
             {"内存空间：  256 Bytes", 1, true},
             {"EEPROM  ：  1 B  (0 KB)", 1, true},
             {"MCU 选项", 5, false},
             {"", 1, true}}};
}

INSTANTIATE_TEST_SUITE_P(Cases, ChipTreeTest,
                         ::testing::Values(Known(), Unknown(), NoOptionsNoEepromWithSerial(),
                                           OneByteEeprom()),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(KilobyteText, RoundsHalvesUp) {
    const struct {
        int64_t bytes;
        const char* text;
    } table[] = {{0, "0"},    {511, "0"},  {512, "1"},    {1535, "1"},
                 {1536, "2"}, {4096, "4"}, {65536, "64"}, {-1536, "-2"}};
    for (const auto& row : table) EXPECT_EQ(KilobyteText(row.bytes), row.text) << row.bytes;
}

TEST(CheckLines, CountDownFromTheWaitTime) {
    EXPECT_EQ(CheckStartLine(30), (ChipTreeLine{"检测单片机启动标志... 30", 4, false}));
    EXPECT_EQ(CheckWaitText(7), "等待启动标志... 7");
}

TEST(ChipTreeText, IndentsChildren) {
    EXPECT_EQ(ChipTreeText({{"A", 4, false}, {"b", 1, true}}, ">"), QStringList({"A", ">b"}));
}

}  // namespace
}  // namespace korvan
