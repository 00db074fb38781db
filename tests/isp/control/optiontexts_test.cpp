// The option rows as shown in either language: zel.db stays Chinese data, its captions and
// choices translate on the way to the screen, and the Chinese rows stay exactly as stored.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <map>

#include "optionlayout.h"
#include "optionmodel.h"
#include "optiontexts.h"
#include "translations.h"

namespace {

using korvan::i18n::Language;
using zel::options::OptionModel;
using zel::options::OptionRow;
using zel::options::ShownRow;

class OptionTexts : public ::testing::Test {
  protected:
    void TearDown() override { korvan::i18n::installTranslations(Language::Chinese); }
};

// The rows of a model built from [PAR] values, ids "0", "1"...
std::vector<ShownRow> Shown(const QStringList& parValues) {
    OptionModel model;
    QStringList ids;
    for (qsizetype i = 0; i < parValues.size(); ++i) ids << QString::number(i);
    model.Build(ids, [&parValues](const QString& id) { return parValues.value(id.toInt()); });
    std::vector<ShownRow> rows;
    for (int i = 0; i < model.OptCount(); ++i)
        rows.push_back(zel::options::ShowRow(model.row(i), i));
    return rows;
}

struct RowCase {
    const char* name;
    Language language;
    QString par;
    QString caption;      // as shown, "<number><separator><caption>"
    QStringList choices;  // the two choices, or the list items
    bool translated;
};

TEST_F(OptionTexts, RowsShownInTheInstalledLanguage) {
    const QString cycle = QStringLiteral("1,0,周期(双倍速)：   ,12T(单倍速)       ,6T(双倍速)");
    const QString list = QStringLiteral("2,1,振荡器等待时钟数(掉电/复位)：       ,4096,8192");
    const QString unknown = QStringLiteral("1,0,自定义选项：   ,是        ,否");
    const RowCase cases[] = {
        {"Chinese as stored, padding and all",
         Language::Chinese,
         cycle,
         QStringLiteral("1、周期(双倍速)：   "),
         {QStringLiteral("12T(单倍速)"), QStringLiteral("6T(双倍速)")},
         false},
        {"English caption and choices",
         Language::English,
         cycle,
         QStringLiteral("1. Machine cycle:"),
         {QStringLiteral("12T (normal)"), QStringLiteral("6T (double)")},
         true},
        {"a list's numbers stay",
         Language::English,
         list,
         QStringLiteral("1. Osc. wait cycles:"),
         {QStringLiteral("4096"), QStringLiteral("8192")},
         true},
        {"a caption without translation stays Chinese",
         Language::English,
         unknown,
         QStringLiteral("1、自定义选项：   "),
         {QStringLiteral("Yes"), QStringLiteral("No")},
         false},
        {"an invalid entry",
         Language::English,
         QStringLiteral("1"),
         QStringLiteral("Invalid parameter"),
         {},
         false},
        {"an invalid entry in Chinese",
         Language::Chinese,
         QStringLiteral("1"),
         QString::fromUtf16(OptionModel::kInvalidCaption),
         {},
         false},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(korvan::i18n::installTranslations(c.language));
        const std::vector<ShownRow> rows = Shown({c.par});
        ASSERT_EQ(rows.size(), 1u);
        const OptionRow& r = rows[0].row;
        EXPECT_EQ(r.caption, c.caption);
        EXPECT_EQ(rows[0].translated, c.translated);
        QStringList choices = r.items;
        if (r.kind() == zel::options::RowKind::Choice) choices = {r.firstText(), r.secondText()};
        EXPECT_EQ(choices, c.choices);
    }
}

TEST_F(OptionTexts, ChineseRowsAreTheModelsRows) {
    ASSERT_TRUE(korvan::i18n::installTranslations(Language::Chinese));
    OptionModel model;
    const QStringList par = {
        QStringLiteral("1,1,上电复位增加额外的复位延时：        ,是        ,否"),
        QStringLiteral("2,7,冷启动后看门狗预分频数：            ,2,4,8")};
    model.Build({QStringLiteral("0"), QStringLiteral("1")},
                [&par](const QString& id) { return par.value(id.toInt()); });
    std::vector<ShownRow> rows;
    for (int i = 0; i < model.OptCount(); ++i)
        rows.push_back(zel::options::ShowRow(model.row(i), i));
    zel::options::PadTranslatedRows(rows, [](const QString& t) { return int(t.size()) * 100; });
    for (int i = 0; i < model.OptCount(); ++i) {
        const OptionRow& a = model.row(i);
        const OptionRow& b = rows[size_t(i)].row;
        EXPECT_EQ(a.caption, b.caption);
        EXPECT_EQ(a.captionField, b.captionField);
        EXPECT_EQ(a.firstField, b.firstField);
        EXPECT_EQ(a.secondField, b.secondField);
        EXPECT_EQ(a.items, b.items);
    }
}

// Translated captions have no padding of their own: the choices of every translated row must
// still start in one column, and the second choice must clear the first.
TEST_F(OptionTexts, TranslatedChoicesInOneColumnClearOfEachOther) {
    ASSERT_TRUE(korvan::i18n::installTranslations(Language::English));
    std::vector<ShownRow> rows = Shown({
        QStringLiteral("1,0,MCU 时钟源：     ,外部晶振或时钟    ,内部RC振荡器"),
        QStringLiteral("1,1,上电自动用有关参数启动看门狗：      ,是        ,否"),
        QStringLiteral("2,7,冷启动后看门狗预分频数：            ,2,4,8"),
        QStringLiteral("1,0,自定义选项：   ,是        ,否"),
    });
    const auto width = [](const QString& t) { return static_cast<int>(t.size()) * 100; };
    const QString untranslated = rows[3].row.captionField;
    zel::options::PadTranslatedRows(rows, width);
    int column = -1;
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const zel::options::RowGeometry g = zel::options::LayoutRow(rows[i].row, width);
        const int left =
            rows[i].row.kind() == zel::options::RowKind::List ? g.listLeft : g.firstLeft;
        if (column < 0) column = left;
        EXPECT_EQ(left, column);
        if (rows[i].row.kind() == zel::options::RowKind::Choice) {
            EXPECT_GE(g.secondLeft, g.firstLeft + g.firstWidth + zel::options::design::kChoiceGap);
        }
    }
    EXPECT_EQ(rows[3].row.captionField, untranslated);
}

// korvan-cli shows captions without their colon and the chip record's "caption：  choice"
// lines; both translate, and stay exactly as given in Chinese or without a translation.
TEST_F(OptionTexts, CaptionsAndRecordLines) {
    const struct {
        Language language;
        QString (*shown)(const QString&);
        QString given, expected;
    } cases[] = {
        {Language::English, zel::options::DbCaption, "MCU 时钟源", "Clock source"},
        {Language::English, zel::options::DbCaption, "MCU 时钟源：", "Clock source:"},
        {Language::English, zel::options::DbCaption, "自定义选项", "自定义选项"},
        {Language::Chinese, zel::options::DbCaption, "MCU 时钟源", "MCU 时钟源"},
        {Language::English, zel::options::DbOptionLine, "MCU 时钟源：     外部晶振或时钟",
         "Clock source: External"},
        {Language::English, zel::options::DbOptionLine, "RESET2引脚功能： P4.6",
         "RESET2 pin: P4.6"},
        {Language::English, zel::options::DbOptionLine, "自定义选项：  自定义值",
         "自定义选项：  自定义值"},
        {Language::Chinese, zel::options::DbOptionLine, "MCU 时钟源：     外部晶振或时钟",
         "MCU 时钟源：     外部晶振或时钟"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(korvan::i18n::installTranslations(c.language));
        EXPECT_EQ(c.shown(c.given).toStdString(), c.expected.toStdString());
    }
}

// Every series name, caption and choice of the database shipped with the control has its
// English text.
TEST_F(OptionTexts, EveryShippedDatabaseTextTranslated) {
    QFile file(QStringLiteral(ZEL_DB_TEMPLATE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString db = QString::fromUtf8(file.readAll());
    const qsizetype par = db.indexOf(QStringLiteral("[PAR]"));
    ASSERT_GE(par, 0);
    ASSERT_TRUE(korvan::i18n::installTranslations(Language::English));
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    int texts = 0;
    QStringList missing;
    for (const QString& line : db.mid(par).split(QLatin1Char('\n')).mid(1)) {
        if (line.startsWith(QLatin1Char('['))) break;
        for (const QString& field :
             line.section(QLatin1Char('='), 1).split(QLatin1Char(',')).mid(2)) {
            if (!field.contains(han)) continue;
            ++texts;
            if (zel::options::DbText(field).contains(han)) missing << field.trimmed();
        }
    }
    // The series names of [TYPE]: "<index>=<name>:<parameters>".
    const qsizetype type = db.indexOf(QStringLiteral("[TYPE]"));
    ASSERT_GE(type, 0);
    for (const QString& line : db.mid(type).split(QLatin1Char('\n')).mid(1)) {
        if (line.startsWith(QLatin1Char('['))) break;
        const QString name = line.section(QLatin1Char('='), 1).section(QLatin1Char(':'), 0, 0);
        if (!name.contains(han)) continue;
        ++texts;
        if (zel::options::DbText(name).contains(han)) missing << name;
    }
    EXPECT_GT(texts, 38);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QLatin1Char('|')).toStdString();
}

}  // namespace
