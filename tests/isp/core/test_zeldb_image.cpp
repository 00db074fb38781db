// The database built into the control: encoding, sections, model rows, option rows, padding.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "gbk.h"
#include "test_zeldb_support.h"
#include "zeldb.h"

namespace {

class EmbeddedDb : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(zel::InstallDb(m_path));
    }
    QString read(const char* section, const QString& key) const {
        return zel::ReadDb(m_path, section, key);
    }
    // The key = value rows of a section, in file order.
    QStringList rows(const QString& section) const {
        const QString text = zel::DecodeGbk(zeltest::ReadBytes(m_path));
        QStringList found;
        bool inside = false;
        for (const QString& line : text.split(u'\n')) {
            if (line.startsWith(u'['))
                inside = line.trimmed() == "[" + section + "]";
            else if (inside && line.contains(u'=') && !line.startsWith(u';'))
                found << line;
        }
        return found;
    }

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath("zel.db");
};

TEST_F(EmbeddedDb, IsGbkWithAllSections) {
    const QByteArray bytes = zeltest::ReadBytes(m_path);
    ASSERT_EQ(bytes, zel::EmbeddedDbImage());
    const QString text = zel::DecodeGbk(bytes);
    EXPECT_FALSE(text.contains(QChar(0xFFFD)));
    EXPECT_EQ(zel::EncodeGbk(text), bytes);  // round trip: nothing was lost in decoding
    EXPECT_TRUE(text.contains(QString::fromUtf8("ZEL51H 系列")));

    const zel::DbText db = zel::DbText::fromText(text);
    for (const char* section :
         {"ZEL", "TYPE", "ID", "DPROC", "CPROC", "SPROC", "OPTION", "FORMAT", "PAR"})
        EXPECT_TRUE(db.hasSection(QString::fromLatin1(section))) << section;
    EXPECT_EQ(zel::DbVersion(m_path), zel::kEmbeddedDbVersion);
    EXPECT_TRUE(rows("SPROC").isEmpty());
}

TEST_F(EmbeddedDb, ModelRowsAreTheRecordsOfTheModelTable) {
    QFile tsv(ZEL_MODELS_TSV);
    ASSERT_TRUE(tsv.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(tsv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.first(), "id\ttype\tname\tflash\tram\teeprom\trecord");

    QStringList expected;
    const QStringList typeList = zel::LoadTypeList(m_path);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(u'\t');
        ASSERT_EQ(f.size(), 7) << lines[i].toStdString();
        expected << f[0] + "=" + f[6];
        EXPECT_EQ(read("ID", f[0]), f[6]);
        // Every record decodes to the facts listed beside it.
        const zel::ModelRecord rec = zel::DecodeModelRecord(read("ID", f[0]), typeList);
        EXPECT_EQ(rec.TypeCode, f[1].toInt()) << f[0].toStdString();
        EXPECT_EQ(rec.SeriesIndex, typeList.indexOf(f[1])) << f[0].toStdString();
        EXPECT_EQ(rec.Model, f[2]);
        EXPECT_EQ(rec.Flash, f[3].toLongLong()) << f[0].toStdString();
        EXPECT_EQ(rec.Memory, f[4].toLongLong()) << f[0].toStdString();
        EXPECT_EQ(rec.Eeprom, f[5].toLongLong()) << f[0].toStdString();
    }
    EXPECT_EQ(expected.size(), 519);
    EXPECT_EQ(rows("ID"), expected);
}

TEST_F(EmbeddedDb, SeriesRowsListTheirParameters) {
    const QStringList types = zel::LoadTypeList(m_path);
    const char* const params[] = {"0,10,11,4,13,20",           "1,10,11,4,15,31,3,24,25,21",
                                  "1,10,11,4,31,3,24,25,21,2", "1,10,11,30,24,25,21",
                                  "1,10,11,4,17,3,24,25,21",   "1,10,11,30,24,25,21",
                                  "1,10,11,32,24,25,21",       "1,10,11,4,15,16,3,24,25,21"};
    ASSERT_EQ(types.size(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(zel::LoadSeriesParameters(*zel::LoadDbFile(m_path), types, i).join(u','),
                  params[i])
            << i;
    EXPECT_TRUE(zel::LoadSeriesParameters(*zel::LoadDbFile(m_path), types, 8).isEmpty());
    EXPECT_TRUE(zel::LoadSeriesParameters(*zel::LoadDbFile(m_path), types, -1).isEmpty());
}

TEST_F(EmbeddedDb, OptionSectionEndsWithModelsWithoutOptions) {
    const QStringList option = rows("OPTION");
    const QStringList noOptions = QStringLiteral(
                                      "E245 E265 E275 E276 E2C5 E2E5 E2F5 E2F6 E61E E67E E69E "
                                      "E6FE D23E D27E D2BE D2FE D31F D35F D39F D3DF E105 E106 "
                                      "E125 E126 E165 E166 E185 E186 E1A5 E1A6 E1E5 E1E6")
                                      .split(u' ');
    ASSERT_EQ(noOptions.size(), 32);
    ASSERT_EQ(option.size(), 11 + 32);
    for (qsizetype i = 0; i < 32; ++i) EXPECT_EQ(option[11 + i], noOptions[i] + "=0");
    const QString text = zel::DecodeGbk(zeltest::ReadBytes(m_path));
    EXPECT_TRUE(text.contains(QString::fromUtf8("\n;以下不支持选项\nE245=0\n")));
    for (const QString& row : option) EXPECT_FALSE(row.contains(u' ')) << row.toStdString();
}

struct ParCase {
    int id;
    int kind;
    int first;
    const char* caption;
    int captionWidth;
    int choiceWidth;  // 0: a list row, whose choices are not padded
    const char* choices;
};

class EmbeddedPar : public EmbeddedDb, public ::testing::WithParamInterface<ParCase> {};

TEST_P(EmbeddedPar, CaptionAndFirstChoiceArePaddedInGbkBytes) {
    const ParCase& c = GetParam();
    const QStringList fields = read("PAR", QString::number(c.id)).split(u',');
    ASSERT_GE(fields.size(), 5);
    EXPECT_EQ(fields[0], QString::number(c.kind));
    EXPECT_EQ(fields[1], QString::number(c.first));
    EXPECT_EQ(fields[2].trimmed(), QString::fromUtf8(c.caption));
    EXPECT_EQ(zel::GbkWidth(fields[2]), c.captionWidth);
    QStringList choices;
    for (qsizetype i = 3; i < fields.size(); ++i) choices << fields[i].trimmed();
    EXPECT_EQ(choices.join(u'|'), QString::fromUtf8(c.choices));
    if (c.choiceWidth) {
        EXPECT_EQ(fields.size(), 5);
        EXPECT_EQ(zel::GbkWidth(fields[3]), c.choiceWidth);
        EXPECT_EQ(fields[4], fields[4].trimmed());
    } else {
        for (qsizetype i = 3; i < fields.size(); ++i) EXPECT_EQ(fields[i], fields[i].trimmed());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EmbeddedPar,
    ::testing::Values(
        ParCase{0, 1, 0, "周期(双倍速)：", 17, 18, "12T(单倍速)|6T(双倍速)"},
        ParCase{1, 1, 0, "MCU 时钟源：", 17, 18, "外部晶振或时钟|内部RC振荡器"},
        ParCase{2, 2, 3, "振荡器等待时钟数(掉电/复位)：", 36, 0, "4096|8192|16384|32768"},
        ParCase{3, 1, 1, "上电复位增加额外的复位延时：", 36, 10, "是|否"},
        ParCase{4, 1, 0, "振荡器增益：", 17, 18, "高增益|低增益(<12M)"},
        ParCase{10, 1, 0, "P1.0/P1.1控制：", 17, 18, "与下载无关|下载时必需接地"},
        ParCase{11, 1, 0, "擦除FLASH数据：", 17, 18, "下载时不擦除|下载时擦除"},
        ParCase{13, 1, 0, "内部扩展 RAM：", 17, 18, "允许访问(推荐)|禁止访问"},
        ParCase{15, 1, 0, "RESET引脚功能：", 17, 18, "复位脚|P4.7(RC时仍为复位)"},
        ParCase{16, 1, 1, "RESET2引脚功能：", 17, 18, "复位脚|P4.6"},
        ParCase{17, 1, 1, "RESET2引脚功能：", 17, 18, "复位脚|P1.2"},
        ParCase{20, 1, 0, "启动看门狗后：", 17, 18, "复位关闭看门狗|停电关闭看门狗"},
        ParCase{21, 2, 7, "冷启动后看门狗预分频数：", 36, 0, "2|4|8|16|32|64|128|256"},
        ParCase{22, 1, 1, "看门狗启动后禁改分频数：", 36, 10, "是|否"},
        ParCase{23, 1, 1, "启动看门狗后禁改其控制寄存器：", 36, 10, "是|否"},
        ParCase{24, 1, 1, "上电自动用有关参数启动看门狗：", 36, 10, "是|否"},
        ParCase{25, 1, 1, "空闭/睡眠状态停止看门狗计数：", 36, 10, "是|否"},
        ParCase{30, 1, 0, "复位电压(版本5.4以上)：", 36, 10, "高|低"},
        ParCase{31, 1, 1, "复位电压(12M以上建议选高)：", 36, 10, "高|低"},
        ParCase{32, 1, 1, "复位电压(版本5.7以上)：", 36, 10, "高|低"}));

TEST_F(EmbeddedDb, ParSectionHoldsExactlyTheListedParameters) {
    QStringList ids;
    for (const QString& row : rows("PAR")) ids << row.section(u'=', 0, 0);
    EXPECT_EQ(ids.join(u','), "0,1,2,3,4,10,11,13,15,16,17,20,21,22,23,24,25,30,31,32");
}

}  // namespace
