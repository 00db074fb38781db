// cZelInfo: the host's view of the identified chip, and the option texts it decodes.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "gbk.h"
#include "zeldb.h"
#include "zelinfo.h"

namespace {

// A caption as the database stores it: padded with blanks to `width` GBK bytes.
QString Padded(const char* caption, int width) {
    QString text = QString::fromUtf8(caption);
    return text + QString(width - zel::GbkWidth(text), u' ');
}

std::vector<uint8_t> StatusWith(std::initializer_list<std::pair<int, uint8_t>> bytes) {
    std::vector<uint8_t> status(40, 0);
    for (const auto& [index, value] : bytes) status[static_cast<size_t>(index)] = value;
    return status;
}

struct RowCase {
    const char* descriptor;
    const char* parRow;
    std::vector<uint8_t> status;
    const char* expected;
};

class OptionText : public ::testing::TestWithParam<RowCase> {};

TEST_P(OptionText, FollowsKindPolarityAndBits) {
    const RowCase& c = GetParam();
    EXPECT_EQ(zel::DecodeOptionText(c.descriptor, QString::fromUtf8(c.parRow), c.status),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OptionText,
    ::testing::Values(
        // Kind 1: polarity 0 shows field 3 for a set bit, polarity 1 shows field 4.
        RowCase{"1-0-1", "1,0,Cap ,on  ,off ", {0x02}, "Cap on"},
        RowCase{"1-0-1", "1,0,Cap ,on  ,off ", {0xFD}, "Cap off"},
        RowCase{"3-0-7", "1,1,Cap ,yes ,no", {0x80}, "Cap no"},
        RowCase{"3-0-7", "1,1,Cap ,yes ,no", {0x7F}, "Cap yes"},
        RowCase{"3-0-7", "1,5,Cap ,yes ,no", {0x80}, ""},  // a polarity naming no choice
        RowCase{"3-0-7", "1,5,Cap ,yes ,no", {0x00}, ""},
        // Kind 2: bits high..low select field 3 + value.
        RowCase{"21-1-2-0", "2,7,Div ,a,b,c,d,e,f  ,g,h", {0x00, 0xFD}, "Div f"},
        RowCase{"2-0-5-4", "2,3,Wait,4096,8192,16384,32768", {0x20}, "Wait16384"},
        RowCase{"2-0-0-2", "2,3,Wait,4096,8192", {0xFF}, "Wait4096"},  // high below low
        RowCase{"2-0-1-0", "2,0,Few,a,b", {0x03}, ""},                 // value without a choice
        // Malformed rows and descriptors.
        RowCase{"1-0-1", "1,0", {0x02}, ""}, RowCase{"1-0-1", "", {0x02}, ""},
        RowCase{"1-0-1", "3,0,Cap,a,b", {0x02}, ""}, RowCase{"1-1-1", "1,0,Cap,a,b", {0x02}, ""},
        RowCase{"1-0-8", "1,0,Cap,a,b", {0xFF}, ""}, RowCase{"1-0", "1,0,Cap,a,b", {0xFF}, ""},
        RowCase{"1-x-1", "1,0,Cap,a,b", {0xFF}, ""}, RowCase{"1--1-1", "1,0,Cap,a,b", {0xFF}, ""},
        RowCase{"2-0-5", "2,0,Cap,a,b", {0xFF}, ""}, RowCase{"2-0-9-0", "2,0,Cap,a,b", {0xFF}, ""},
        RowCase{"", "1,0,Cap,a,b", {0xFF}, ""}));

class ZelInfoOverDb : public ::testing::Test {
  protected:
    void SetUp() override { m_ctx.Db = zel::EmbeddedDb(); }
    void identify(const char* modelId, uint8_t series) {
        m_ctx.Chip.ModelId = modelId;
        m_ctx.Chip.SeriesByte = series;
        m_ctx.Chip.OptionDescriptors = zel::LoadOptionDescriptors(*m_ctx.Db, modelId, series);
    }
    zel::ZelContext m_ctx;
};

TEST_F(ZelInfoOverDb, DecodesEveryOptionOfAChip) {
    identify("D103", 0xD1);
    m_ctx.Chip.StatusBytes = StatusWith({{23, 0x41}, {24, 0x02}, {25, 0x2B}, {27, 0x01}});
    const zel::cZelInfo info(m_ctx);
    const QStringList expected{
        Padded("MCU 时钟源：", 17) + QString::fromUtf8("外部晶振或时钟"),
        Padded("P1.0/P1.1控制：", 17) + QString::fromUtf8("与下载无关"),
        Padded("擦除FLASH数据：", 17) + QString::fromUtf8("下载时擦除"),
        Padded("振荡器增益：", 17) + QString::fromUtf8("低增益(<12M)"),
        Padded("RESET引脚功能：", 17) + QString::fromUtf8("复位脚"),
        Padded("RESET2引脚功能：", 17) + "P4.6",
        Padded("上电复位增加额外的复位延时：", 36) + QString::fromUtf8("是"),
        Padded("上电自动用有关参数启动看门狗：", 36) + QString::fromUtf8("否"),
        Padded("空闭/睡眠状态停止看门狗计数：", 36) + QString::fromUtf8("否"),
        Padded("冷启动后看门狗预分频数：", 36) + "16"};
    ASSERT_EQ(info.OptCount(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(info.OptList(static_cast<int16_t>(i)), expected[i]) << i;
    EXPECT_EQ(info.OptList(-1), "");
    EXPECT_EQ(info.OptList(static_cast<int16_t>(expected.size())), "");
}

TEST_F(ZelInfoOverDb, ReadsTheEditedStatusBytesEachTime) {
    identify("F001", 0xF0);
    m_ctx.Chip.StatusBytes = StatusWith({{19, 0x01}});
    const zel::cZelInfo info(m_ctx);
    EXPECT_EQ(info.OptList(0), Padded("周期(双倍速)：", 17) + QString::fromUtf8("12T(单倍速)"));
    m_ctx.Chip.StatusBytes[19] = 0x00;
    EXPECT_EQ(info.OptList(0), Padded("周期(双倍速)：", 17) + QString::fromUtf8("6T(双倍速)"));
    m_ctx.Chip.StatusBytes.resize(10);  // a reply too short for the option bytes
    EXPECT_EQ(info.OptList(0), "");
}

TEST_F(ZelInfoOverDb, CountsNoOptionsForZeroOrNoRow) {
    const zel::cZelInfo info(m_ctx);
    for (const auto& [id, series] :
         {std::pair{"E245", 0xE2}, std::pair{"FFE1", 0xFF}, std::pair{"", 0x00}}) {
        identify(id, static_cast<uint8_t>(series));
        EXPECT_EQ(info.OptCount(), 0) << id;
        EXPECT_EQ(info.OptList(0), "") << id;
    }
}

TEST(ZelInfo, ShowsTheContext) {
    zel::ZelContext ctx;
    ctx.Chip.Model = "ZELH64AD";
    ctx.Chip.Cpu = 11059200;
    ctx.Chip.Version = "6.2 C";
    ctx.Chip.Flash = 65536;
    ctx.Chip.Memory = 1280;
    ctx.Chip.Eeprom = 1024;
    ctx.Chip.Baud = 115200;
    ctx.Chip.ModelId = "D103";
    ctx.Chip.Sn = "00-1A-02-03-04-05-06";
    ctx.Chip.SeriesIndex = 7;
    const zel::cZelInfo first(ctx);
    EXPECT_EQ(first.model(), "ZELH64AD");
    EXPECT_EQ(first.cpu(), 11059200);
    EXPECT_EQ(first.version(), "6.2 C");
    EXPECT_EQ(first.flash(), 65536);
    EXPECT_EQ(first.memory(), 1280);
    EXPECT_EQ(first.eeprom(), 1024);
    EXPECT_EQ(first.baud(), 115200);
    EXPECT_EQ(first.id(), "D103");
    EXPECT_EQ(first.sn(), "00-1A-02-03-04-05-06");
    EXPECT_EQ(first.index(), 7);

    const zel::cZelInfo second(ctx);
    ctx.Chip.Baud = 9600;
    EXPECT_EQ(second.baud(), 9600);
    EXPECT_EQ(first.baud(), 9600);  // every view shows the same state

    ctx.Chip.Cpu = int64_t{5} << 32;  // out of a Long's range: clamped, not wrapped
    EXPECT_EQ(first.cpu(), INT32_MAX);
}

}  // namespace
