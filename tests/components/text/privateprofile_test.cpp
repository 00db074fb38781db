// The one reader of INI text: the rules every settings file, the port table and zel.db share.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "gbkcodec.h"
#include "privateprofile.h"

namespace {

using ktext::PrivateProfile;

struct ReadCase {
    const char* name;
    const char* text;  // UTF-8
    const char* section;
    const char* key;
    std::optional<QString> value;
};

class ProfileReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReads, FollowThePrivateProfileRules) {
    const ReadCase& c = GetParam();
    const PrivateProfile profile = PrivateProfile::fromBytes(QByteArray(c.text));
    EXPECT_EQ(profile.value(QString::fromUtf8(c.section), QString::fromUtf8(c.key)), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ProfileReads,
    ::testing::Values(
        ReadCase{"Plain", "[A]\nk=v\n", "A", "k", "v"},
        ReadCase{"NamesIgnoreCase", "[Config]\nComPort=3\n", "CONFIG", "comport", "3"},
        ReadCase{"NamesAndValuesTrimmed", "  [ A ]  \n  k  =  v w  \n", "A", "k", "v w"},
        ReadCase{"OnePairOfQuotes", "[A]\nk=\"\" x \"\"\n", "A", "k", "\" x \""},
        ReadCase{"QuotesKeepBlanks", "[A]\nk=\" AT \"\n", "A", "k", " AT "},
        ReadCase{"LoneQuoteKept", "[A]\nk=\"x\n", "A", "k", "\"x"},
        ReadCase{"FirstKeyWins", "[A]\nk=1\nK=2\n", "A", "k", "1"},
        ReadCase{"FirstSectionWins", "[A]\nk=1\n[a]\nk=2\nj=3\n", "A", "j", std::nullopt},
        ReadCase{"EmptyValue", "[A]\nk=\n", "A", "k", ""},
        ReadCase{"MissingKey", "[A]\nk=1\n", "A", "x", std::nullopt},
        ReadCase{"MissingSection", "[A]\nk=1\n", "B", "k", std::nullopt},
        ReadCase{"KeyBeforeAnySection", "k=1\n[A]\n", "A", "k", std::nullopt},
        ReadCase{"CommentLine", "[A]\n;k=1\nk=2\n", "A", "k", "2"},
        ReadCase{"UnclosedHeaderIsNoSection", "[A]\n[B\nk=1\n", "A", "k", "1"},
        ReadCase{"CrLf", "[A]\r\nk=v\r\n", "A", "k", "v"},
        ReadCase{"LoneCr", "[A]\rj=1\rk=v\r", "A", "k", "v"},
        ReadCase{"EqualsInValue", "[A]\nk=a=b\n", "A", "k", "a=b"},
        ReadCase{"Utf8", "[Lang]\n1=下载(&D)\n", "lang", "1", QString::fromUtf8("下载(&D)")},
        ReadCase{"Utf8Bom", "\xEF\xBB\xBF[A]\nk=v\n", "A", "k", "v"}),
    [](const auto& info) { return std::string(info.param.name); });

// The settings rows KORVAN reads (Config.ini, .mcu files), UTF-8 with the platform's rules.
const QByteArray kSettings =
    "; written by hand\n"
    "[UserSet]\n"
    "  MCU = 3  \n"
    "UserFile=\"  spaced  \"\n"
    "Empty=\n"
    "\n"
    "[Comm]\n"
    "Send=first\n"
    "send=second\n"
    "[usersET]\n"
    "MCU=9\n";

// The database rows the control reads (zel.db), GBK with CR LF lines.
const QByteArray kDatabase =
    "; a comment line\r\n"
    "[ZEL]\r\n"
    "version = 101\r\n"
    "  [Id]  \r\n"
    "  d103 =  8ZELH64AD00500  \r\n"
    "E245=0\r\n"
    "E245=1\r\n"
    ";E246=2\r\n"
    "quoted=\"  kept blanks  \"\r\n"
    "inner = a ; b\r\n"
    "noequals\r\n"
    "[id]\r\n"
    "F000=second section of the same name\r\n"
    "[PAR]\n"
    "0=1,0,caption   ,x\n";

struct FileCase {
    const char* name;
    bool database;  // kDatabase read as GBK, else kSettings
    const char* section;
    const char* key;
    const char* expected;  // nullptr: missing
};

class ProfileFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(ProfileFiles, ReadTheirRows) {
    const FileCase& c = GetParam();
    const PrivateProfile profile =
        c.database ? PrivateProfile::fromBytes(kDatabase, ktext::ProfileEncoding::Gbk)
                   : PrivateProfile::fromBytes(kSettings);
    const std::optional<QString> expected =
        c.expected ? std::optional<QString>(QString::fromUtf8(c.expected)) : std::nullopt;
    EXPECT_EQ(profile.value(QString::fromUtf8(c.section), QString::fromUtf8(c.key)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProfileFiles,
    ::testing::Values(FileCase{"SettingsTrimmed", false, "UserSet", "MCU", "3"},
                      FileCase{"SettingsCaseAndFirstSection", false, "userset", "mcu", "3"},
                      FileCase{"SettingsQuotes", false, "UserSet", "UserFile", "  spaced  "},
                      FileCase{"SettingsEmptyIsPresent", false, "UserSet", "Empty", ""},
                      FileCase{"SettingsFirstKey", false, "Comm", "SEND", "first"},
                      FileCase{"SettingsMissingKey", false, "Comm", "Missing", nullptr},
                      FileCase{"SettingsMissingSection", false, "Nowhere", "MCU", nullptr},
                      FileCase{"SettingsComment", false, "UserSet", "; written by hand", nullptr},
                      FileCase{"DbVersion", true, "ZEL", "version", "101"},
                      FileCase{"DbCase", true, "zel", "VERSION", "101"},
                      FileCase{"DbTrimmed", true, "ID", "D103", "8ZELH64AD00500"},
                      FileCase{"DbKeyTrimmed", true, "ID", " D103 ", "8ZELH64AD00500"},
                      FileCase{"DbFirstRow", true, "ID", "E245", "0"},
                      FileCase{"DbCommentedOut", true, "ID", "E246", nullptr},
                      FileCase{"DbQuotes", true, "ID", "quoted", "  kept blanks  "},
                      FileCase{"DbSemicolonInside", true, "ID", "inner", "a ; b"},
                      FileCase{"DbNoEquals", true, "ID", "noequals", nullptr},
                      FileCase{"DbFirstSection", true, "ID", "F000", nullptr},
                      FileCase{"DbInnerBlanksLf", true, "PAR", "0", "1,0,caption   ,x"},
                      FileCase{"DbMissingSection", true, "NOPE", "version", nullptr},
                      FileCase{"DbMissingKey", true, "ZEL", "nope", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileQuotes, StrippedOnlyAsAnEnclosingPair) {
    const PrivateProfile p = PrivateProfile::fromBytes("[A]\na=\"x\nb=\"\"\"\nc=\"a\" b\"\n");
    EXPECT_EQ(p.read(u"A", u"a"), "\"x");
    EXPECT_EQ(p.read(u"A", u"b"), "\"");
    EXPECT_EQ(p.read(u"A", u"c"), "a\" b");
}

TEST(ProfileEncoding, DamagedGbkBytesSpoilOnlyTheirOwnRow) {
    QByteArray bytes = "[TYPE]\n0=" + ktext::EncodeGbk(u"ZEL51A 系列") + ":0,10\n";
    bytes += "bad=\x81\xFF\x80x\n";  // not GBK
    bytes += "after=fine\n";
    const PrivateProfile p = PrivateProfile::fromBytes(bytes, ktext::ProfileEncoding::Gbk);
    EXPECT_EQ(p.read(u"TYPE", u"0"), QString::fromUtf8("ZEL51A 系列:0,10"));
    EXPECT_TRUE(p.read(u"TYPE", u"bad").contains(QChar(0xFFFD)));
    EXPECT_EQ(p.read(u"TYPE", u"after"), "fine");
}

TEST(ProfileEncoding, SettingsFromOlderInstallationsAreGbk) {
    const QString text = QString::fromUtf8("下载任务");
    EXPECT_EQ(PrivateProfile::fromBytes("[A]\nk=" + ktext::EncodeGbk(text) + "\n").read(u"A", u"k"),
              text);
    EXPECT_EQ(
        PrivateProfile::fromBytes("\xEF\xBB\xBF[A]\nk=" + text.toUtf8() + "\n").read(u"A", u"k"),
        text);
}

TEST(ProfileEncoding, OneStrayByteTurnsOnlyItsOwnLineToGbk) {
    const QString path = QString::fromUtf8("D:/固件/新建/a.hex");
    const QByteArray bytes = "[UserSet]\nUserFile=\"" + path.toUtf8() +
                             "\"\n[Comm]\nSend=\xB2\xE2\xCA\xD4\nStray=a\xFF\n";
    const PrivateProfile p = PrivateProfile::fromBytes(bytes);
    EXPECT_EQ(p.read(u"UserSet", u"UserFile"), path);
    EXPECT_EQ(p.read(u"Comm", u"Send"), QString::fromUtf8("测试"));
    EXPECT_EQ(p.read(u"Comm", u"Stray"), QString::fromUtf8("a\uFFFD"));
}

TEST(ProfileEncoding, FallsBackToGbkAndReadsDatabasesAsGbk) {
    const QString text = QString::fromUtf8("[TYPE]\n0=ZEL51A 系列:0,10\n");
    const QByteArray gbk = ktext::EncodeGbk(text);
    ASSERT_NE(gbk, text.toUtf8());
    EXPECT_EQ(PrivateProfile::fromBytes(gbk).read(u"TYPE", u"0"),
              QString::fromUtf8("ZEL51A 系列:0,10"));
    EXPECT_EQ(PrivateProfile::fromBytes(gbk, ktext::ProfileEncoding::Gbk).read(u"TYPE", u"0"),
              QString::fromUtf8("ZEL51A 系列:0,10"));
}

TEST(ProfileLimits, ValuesAreCutAt2047Characters) {
    const QByteArray text = "[A]\nk=" + QByteArray(5000, 'x') + "\n";
    EXPECT_EQ(PrivateProfile::fromBytes(text).read(u"A", u"k").size(), 2047);
}

TEST(ProfileListing, SectionsAndKeysInOrderWithFirstSpellings) {
    const PrivateProfile p =
        PrivateProfile::fromBytes("[Ports]\nCOM2=b\ncom1=a\nCOM2=c\n[x]\n[PORTS]\n");
    EXPECT_EQ(p.sectionNames(), QStringList({"Ports", "x"}));
    EXPECT_EQ(p.keys(u"ports"), QStringList({"COM2", "com1"}));
    EXPECT_TRUE(p.hasSection(u"X"));
    EXPECT_TRUE(p.keys(u"none").isEmpty());
}

TEST(ProfileFiles, MissingFilesAndFoldersGiveNothing) {
    QTemporaryDir dir;
    EXPECT_FALSE(PrivateProfile::load(dir.filePath("absent.ini")));
    EXPECT_FALSE(PrivateProfile::load(dir.path()));
    EXPECT_FALSE(PrivateProfile::load(QString()));
    QFile file(dir.filePath("a.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[A]\nk=v\n");
    file.close();
    const auto loaded = PrivateProfile::load(dir.filePath("a.ini"));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->read(u"a", u"K"), "v");
}

}  // namespace
