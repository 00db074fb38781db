#include "core/history.h"
#include "core/inidocument.h"
#include "core/language.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

TEST(History, AnEighthFileDropsTheOldestAndAllSevenKeysAreWritten) {
    test::TempHome home;
    const QString config = home.paths().configFile();
    History history;
    QStringList files;
    for (int i = 1; i <= 8; ++i) files.append(home.write(QString("f%1.hex").arg(i), "x"));
    for (const QString& f : files) ASSERT_TRUE(history.add(HistoryKind::Files, f, config));
    ASSERT_EQ(history.files().size(), 7);
    EXPECT_EQ(history.files().first(), files[7]);
    EXPECT_EQ(history.files().last(), files[1]);
    EXPECT_EQ(History::load(config).files(), history.files());
    EXPECT_EQ(IniDocument::load(config).read("ListMenu", "List6", ""), files[1]);
}

TEST(History, AFileInOtherLetterCaseMovesToTheFront) {
    test::TempHome home;
    const QString config = home.paths().configFile();
    History history;
    history.add(HistoryKind::Files, "/p/A.hex", config);
    history.add(HistoryKind::Files, "/p/b.hex", config);
    history.add(HistoryKind::Files, "/P/a.HEX", config);
    EXPECT_EQ(history.files(), (QStringList{"/P/a.HEX", "/p/b.hex"}));
    const IniDocument doc = IniDocument::load(config);
    EXPECT_EQ(doc.read("ListMenu", "List2", "?"), "");  // the rest written empty
}

TEST(History, CommandsAreEqualByTheirPartBeforeTheLastSemicolon) {
    test::TempHome home;
    const QString config = home.paths().configFile();
    History history;
    history.add(HistoryKind::Commands, "12 34;9600,N,8,1", config);
    history.add(HistoryKind::Commands, "56;9600,N,8,1", config);
    history.add(HistoryKind::Commands, "12 34;19200,E,7,1", config);
    EXPECT_EQ(history.commands(), (QStringList{"12 34;19200,E,7,1", "56;9600,N,8,1"}));
    history.add(HistoryKind::Commands, "12 34", config);  // no ";": the whole text
    EXPECT_EQ(history.commands(), (QStringList{"12 34", "56;9600,N,8,1"}));
    EXPECT_FALSE(history.add(HistoryKind::Commands, "  ", config));
}

TEST(History, LoadDropsMissingFilesAndShortCommandsAndPacks) {
    test::TempHome home;
    const QString kept = home.write("kept.hex", "x");
    home.write(home.paths().configFile(),
               ("[ListMenu]\nList0=/no/such.hex\nList1=\nList2=" + kept +
                "\n"
                "[ListCode]\nList0= ab \nList3=  12 34;9600,N,8,1  \nList6=abcd\n")
                   .toUtf8());
    const History history = History::load(home.paths().configFile());
    EXPECT_EQ(history.files(), QStringList{kept});
    EXPECT_EQ(history.commands(), (QStringList{"12 34;9600,N,8,1", "abcd"}));
    EXPECT_EQ(history.menuCaptions(HistoryKind::Files), QStringList{"&1 kept.hex"});
    EXPECT_EQ(history.menuCaptions(HistoryKind::Commands),
              (QStringList{"&1 12 34;9600,N,8,1", "&2 abcd"}));
    EXPECT_TRUE(History{}.menuCaptions(HistoryKind::Files).isEmpty());
}

TEST(LangText, MissingFileOrEmptyValueKeepsTheDesignedCaption) {
    test::TempHome home;
    EXPECT_FALSE(LangTable::load(home.paths().langFile()).exists());
    EXPECT_EQ(LangTable::load(home.paths().langFile()).text(5, "下载"), "下载");
    home.write(home.paths().langFile(), "[Lang]\n5=Download\n6=\n");
    const LangTable table = LangTable::load(home.paths().langFile());
    EXPECT_TRUE(table.exists());
    EXPECT_EQ(table.text(5, "下载"), "Download");
    EXPECT_EQ(table.text(6, "取消"), "取消");
    SetCurrentAppPaths(home.paths());
    EXPECT_EQ(LangText(5, "x"), "Download");
}

}  // namespace
}  // namespace korvan
