// Reading zel.db: INI rules, GBK decoding, missing pieces, edits between lookups.
#include <gtest/gtest.h>
#include <utime.h>

#include <QFile>
#include <QTemporaryDir>
#include <ctime>

#include "gbk.h"
#include "test_zeldb_support.h"
#include "zeldb.h"

namespace {

using zeltest::ReadBytes;
using zeltest::WriteBytes;

const char* const kSample =
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

struct ReadCase {
    const char* section;
    const char* key;
    const char* expected;
};

class DbReader : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DbReader, FollowsPrivateProfileRules) {
    QTemporaryDir dir;
    const QString path = dir.filePath("zel.db");
    ASSERT_TRUE(WriteBytes(path, kSample));
    EXPECT_EQ(zel::ReadDb(path, GetParam().section, GetParam().key),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DbReader,
    ::testing::Values(ReadCase{"ZEL", "version", "101"}, ReadCase{"zel", "VERSION", "101"},
                      ReadCase{"ID", "D103", "8ZELH64AD00500"},    // names ignore case, trimmed
                      ReadCase{"ID", " D103 ", "8ZELH64AD00500"},  //
                      ReadCase{"ID", "E245", "0"},                 // the first row of a key counts
                      ReadCase{"ID", "E246", ""},                  // commented out
                      ReadCase{"ID", "quoted", "  kept blanks  "}, ReadCase{"ID", "inner", "a ; b"},
                      ReadCase{"ID", "noequals", ""},
                      ReadCase{"ID", "F000", ""},  // only the first section of a name counts
                      ReadCase{"PAR", "0", "1,0,caption   ,x"},  // inner blanks kept, LF lines
                      ReadCase{"NOPE", "version", ""}, ReadCase{"ZEL", "nope", ""}));

TEST(DbReaderFile, MissingFileOrPathGivesEmpty) {
    QTemporaryDir dir;
    EXPECT_EQ(zel::ReadDb(dir.filePath("absent.db"), "ZEL", "version"), "");
    EXPECT_EQ(zel::ReadDb(QString(), "ZEL", "version"), "");
    EXPECT_EQ(zel::ReadDb(dir.path(), "ZEL", "version"), "");  // a folder is no database
    EXPECT_EQ(zel::DbVersion(dir.filePath("absent.db")), 0);
}

TEST(DbReaderFile, DecodesGbkAndSurvivesDamagedBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("zel.db");
    QByteArray bytes = "[TYPE]\n0=" + zel::EncodeGbk(u"ZEL51A 系列") + ":0,10\n";
    bytes += "bad=\x81\xFF\x80x\n";  // not GBK
    bytes += "after=fine\n";
    ASSERT_TRUE(WriteBytes(path, bytes));
    EXPECT_EQ(zel::ReadDb(path, "TYPE", "0"), QString::fromUtf8("ZEL51A 系列:0,10"));
    EXPECT_TRUE(zel::ReadDb(path, "TYPE", "bad").contains(QChar(0xFFFD)));
    EXPECT_EQ(zel::ReadDb(path, "TYPE", "after"), "fine");
}

TEST(DbReaderFile, SeesAnEditOfTheSameSize) {
    QTemporaryDir dir;
    const QString path = dir.filePath("zel.db");
    ASSERT_TRUE(WriteBytes(path, "[ZEL]\nversion=100\n"));
    // An old time stamp makes the reader keep its parse; the edit must still be seen.
    utimbuf old{std::time(nullptr) - 3600, std::time(nullptr) - 3600};
    ASSERT_EQ(utime(QFile::encodeName(path).constData(), &old), 0);
    EXPECT_EQ(zel::ReadDb(path, "ZEL", "version"), "100");
    EXPECT_EQ(zel::ReadDb(path, "ZEL", "version"), "100");
    ASSERT_TRUE(WriteBytes(path, "[ZEL]\nversion=102\n"));
    EXPECT_EQ(zel::ReadDb(path, "ZEL", "version"), "102");
    // A file just written may share its time stamp with the next edit; its bytes decide.
    ASSERT_TRUE(WriteBytes(path, "[ZEL]\nversion=103\n"));
    EXPECT_EQ(zel::ReadDb(path, "ZEL", "version"), "103");
    ASSERT_TRUE(WriteBytes(path, "[ZEL]\nversion=104\n"));
    EXPECT_EQ(zel::ReadDb(path, "ZEL", "version"), "104");
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(zel::ReadDb(path, "ZEL", "version"), "");
}

struct VersionCase {
    const char* text;
    int version;
};

class DbVersionText : public ::testing::TestWithParam<VersionCase> {};

TEST_P(DbVersionText, ReadsTheLeadingNumber) {
    QTemporaryDir dir;
    const QString path = dir.filePath("zel.db");
    ASSERT_TRUE(WriteBytes(path, QByteArray("[ZEL]\nversion=") + GetParam().text + "\n"));
    EXPECT_EQ(zel::DbVersion(path), GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(Texts, DbVersionText,
                         ::testing::Values(VersionCase{"101", 101}, VersionCase{"100", 100},
                                           VersionCase{"102beta", 102}, VersionCase{"abc", 0},
                                           VersionCase{"", 0}, VersionCase{"-5", -5},
                                           VersionCase{"99999999999999", 2147483647}));

TEST(Gbk, ConvertsBothWaysAndCountsWidth) {
    const QString text = QString::fromUtf8("周期(双倍速)：");
    EXPECT_EQ(zel::EncodeGbk(text),
              QByteArray("\xD6\xDC\xC6\xDA(\xCB\xAB\xB1\xB6\xCB\xD9)\xA3\xBA"));
    EXPECT_EQ(zel::DecodeGbk(zel::EncodeGbk(text)), text);
    EXPECT_EQ(zel::GbkWidth(text), 14);
    EXPECT_EQ(zel::GbkWidth(u"P1.0"), 4);
    EXPECT_EQ(zel::EncodeGbk(QString::fromUtf8("a😀b")), "a?b");  // not in the code page
    EXPECT_EQ(zel::DecodeGbk("\xD6"), QString(QChar(0xFFFD)));   // cut off at the end
}

}  // namespace
