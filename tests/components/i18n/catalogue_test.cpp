#include "catalogcheck.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <string>
#include <vector>

namespace korvan::i18n::test {
namespace {

QByteArray ts(const QByteArray& messages, const QByteArray& language = "en_US") {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" "
           "language=\"" +
           language + "\">\n<context><name>ctx</name>\n" + messages + "</context>\n</TS>\n";
}

struct CheckCase {
    const char* name;
    QByteArray xml;
    const char* problem;  // a part of the one problem expected; nullptr: none
};

TEST(CatalogueCheck, FindsWhatLeavesAUserWithoutEnglish) {
    const CheckCase cases[] = {
        {"sound",
         ts("<message><source>下载 %1</source><translation>Download %1</translation></message>"),
         nullptr},
        {"unfinished",
         ts("<message><source>下载</source><translation type=\"unfinished\">Download</translation>"
            "</message>"),
         "unfinished"},
        {"empty", ts("<message><source>下载</source><translation></translation></message>"),
         "no translation"},
        {"blank", ts("<message><source>下载</source><translation>  </translation></message>"),
         "empty translation"},
        {"vanished",
         ts("<message><source>下载</source><translation type=\"vanished\">Download</translation>"
            "</message>"),
         "vanished"},
        {"obsolete",
         ts("<message><source>下载</source><translation type=\"obsolete\">Download</translation>"
            "</message>"),
         "obsolete"},
        {"placeholder lost",
         ts("<message><source>%1 完成 %2</source><translation>%1 done</translation></message>"),
         "placeholders %1 %2"},
        {"placeholder once too often",
         ts("<message><source>%1：%2</source><translation>%1: %2 (%2)</translation></message>"),
         "placeholders"},
        {"placeholders reordered is fine",
         ts("<message><source>%1 的 %2</source><translation>%2 of %1</translation></message>"),
         nullptr},
        {"a per cent sign is no placeholder",
         ts("<message><source>误差超过 3%，%1</source><translation>over 3%, %1</translation>"
            "</message>"),
         nullptr},
        {"%10 is not %1",
         ts("<message><source>%10</source><translation>%1</translation></message>"),
         "placeholders"},
        {"numerus forms each checked",
         ts("<message numerus=\"yes\"><source>%n 个串口 %1</source><translation>"
            "<numerusform>one port %1</numerusform><numerusform>%n ports</numerusform>"
            "</translation></message>"),
         "placeholders"},
        {"Chinese left in English",
         ts("<message><source>下载</source><translation>下载</translation></message>"),
         "Chinese left"},
        {"Chinese in a Chinese catalogue is fine",
         ts("<message><source>下载</source><translation>下載</translation></message>", "zh_TW"),
         nullptr},
        {"not XML", "<TS><context>", "not a readable"},
        {"not a .ts", "<?xml version=\"1.0\"?><html/>", "not a .ts"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList problems = catalogueProblems(c.xml);
        if (!c.problem) {
            EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
            continue;
        }
        ASSERT_EQ(problems.size(), 1) << problems.join('\n').toStdString();
        EXPECT_TRUE(problems[0].contains(QString::fromUtf8(c.problem)))
            << problems[0].toStdString();
    }
}

QStringList shippedCatalogues() {
    QStringList paths;
    const QDir folder(QStringLiteral(KORVAN_TRANSLATIONS_DIR));
    for (const QString& name : folder.entryList({QStringLiteral("*.ts")}, QDir::Files))
        paths += folder.filePath(name);
    return paths;
}

// By path, as std::string so that a failure names the file readably.
std::vector<std::string> shippedCataloguePaths() {
    std::vector<std::string> paths;
    for (const QString& path : shippedCatalogues()) paths.push_back(path.toStdString());
    return paths;
}

class ShippedCatalogue : public ::testing::TestWithParam<std::string> {};

// Every entry of every catalogue in translations/ is finished and keeps its placeholders.
TEST_P(ShippedCatalogue, EveryEntryTranslated) {
    QFile file(QString::fromStdString(GetParam()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << GetParam();
    const QStringList problems = catalogueProblems(file.readAll());
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Translations, ShippedCatalogue,
                         ::testing::ValuesIn(shippedCataloguePaths()), [](const auto& info) {
                             QString name =
                                 QFileInfo(QString::fromStdString(info.param)).completeBaseName();
                             name.replace(QLatin1Char('-'), QLatin1Char('_'));
                             return name.toStdString();
                         });

TEST(ShippedCatalogues, EveryModuleHasOne) {
    QStringList names;
    for (const QString& path : shippedCatalogues()) names += QFileInfo(path).fileName();
    for (const char* wanted : {"zel_en.ts", "zel-db_en.ts", "korvan-cli_en.ts"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(wanted))) << wanted;
}

}  // namespace
}  // namespace korvan::i18n::test
