// Reading zel.db from its file: missing pieces, edits between lookups, the version number.
#include <gtest/gtest.h>
#include <utime.h>

#include <QFile>
#include <QTemporaryDir>
#include <ctime>
#include <functional>

#include "gbk.h"
#include "test_zeldb_support.h"
#include "zeldb.h"

namespace {

using zeltest::WriteBytes;

// The rules of reading are the shared private-profile reader's (tested with it); here: the
// file side of the database.

TEST(DbReaderFile, MissingFileOrPathGivesEmpty) {
    QTemporaryDir dir;
    EXPECT_EQ(zel::ReadDb(dir.filePath("absent.db"), "ZEL", "version"), "");
    EXPECT_EQ(zel::ReadDb(QString(), "ZEL", "version"), "");
    EXPECT_EQ(zel::ReadDb(dir.path(), "ZEL", "version"), "");  // a folder is no database
    EXPECT_EQ(zel::DbVersion(dir.filePath("absent.db")), 0);
}

// Every way of reading a database file sees an edit at once, even one of the same size under
// the same time stamp: nothing is kept that a stamp would have to invalidate.
TEST(DbReaderFile, EveryReadSeesAnEditOfTheSameSize) {
    using Read = std::function<QString(const QString&)>;
    const std::pair<const char*, Read> readers[] = {
        {"ReadDb", [](const QString& path) { return zel::ReadDb(path, "ZEL", "version"); }},
        {"FileChipDatabase",
         [](const QString& path) {
             return zel::FileChipDatabase(path).load()->read(u"ZEL", u"version");
         }},
        {"Reusing",
         [](const QString& path) {
             return zel::LoadDbFileReusing(path)->read(u"ZEL", u"version");
         }},
    };
    for (const auto& [name, read] : readers) {
        QTemporaryDir dir;
        const QString path = dir.filePath("zel.db");
        const utimbuf old{std::time(nullptr) - 3600, std::time(nullptr) - 3600};
        for (const char* version : {"100", "102", "103"}) {
            ASSERT_TRUE(WriteBytes(path, QByteArray("[ZEL]\nversion=") + version + "\n"));
            ASSERT_EQ(utime(QFile::encodeName(path).constData(), &old), 0);
            EXPECT_EQ(read(path), version) << name;
            EXPECT_EQ(read(path), version) << name;
        }
        ASSERT_TRUE(QFile::remove(path));
        EXPECT_EQ(read(path), "") << name;
    }
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
