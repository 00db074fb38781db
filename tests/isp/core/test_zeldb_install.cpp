// Installing the built-in database, and what the control and korvan-cli open.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "test_zeldb_support.h"
#include "zeldb.h"

namespace {

using zeltest::ReadBytes;
using zeltest::ScopedEnv;
using zeltest::WriteBytes;

struct InstallCase {
    const char* name;
    std::optional<QByteArray> existing;  // nullopt: no file
    bool replaced;
};

class DbInstall : public ::testing::TestWithParam<InstallCase> {};

TEST_P(DbInstall, ReplacesOnlyOlderFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath("zel.db");
    if (GetParam().existing) {
        ASSERT_TRUE(WriteBytes(path, *GetParam().existing));
    }

    EXPECT_TRUE(zel::InstallDb(path));
    const QByteArray now = ReadBytes(path);
    if (GetParam().replaced)
        EXPECT_EQ(now, zel::EmbeddedDbImage());
    else
        EXPECT_EQ(now, *GetParam().existing);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"zel.db"});  // no leftovers
}

INSTANTIATE_TEST_SUITE_P(
    Files, DbInstall,
    ::testing::Values(
        InstallCase{"Missing", std::nullopt, true}, InstallCase{"Empty", QByteArray(), true},
        InstallCase{"Version100", QByteArray("[ZEL]\nversion=100\n[SPROC]\nD1=0,6\n"), true},
        InstallCase{"NoVersion", QByteArray("[ID]\nD103=8X00500\n"), true},
        InstallCase{"NotANumber", QByteArray("[ZEL]\nversion=new\n"), true},
        InstallCase{"Version101", QByteArray("[ZEL]\nversion=101\n[SPROC]\nD1=0,6\n"), false},
        InstallCase{"Version102", QByteArray("[zel]\r\nVersion = 102\r\n"), false}),
    [](const auto& info) { return std::string(info.param.name); });

// A path below a plain file can never be created, whoever runs the test.
QString Uncreatable(const QTemporaryDir& dir) {
    WriteBytes(dir.filePath("file"), "x");
    return dir.filePath("file/zel/zel.db");
}

TEST(DbInstallFailure, ReportsAnUnwritablePath) {
    QTemporaryDir dir;
    EXPECT_FALSE(zel::InstallDb(Uncreatable(dir)));
    EXPECT_FALSE(zel::InstallDb(QString()));
}

TEST(DbInstall, CreatesTheFolder) {
    QTemporaryDir dir;
    EXPECT_TRUE(zel::InstallDb(dir.filePath("a/b/zel.db")));
    EXPECT_EQ(ReadBytes(dir.filePath("a/b/zel.db")), zel::EmbeddedDbImage());
}

TEST(DbOpen, FallsBackToTheBuiltInCopyWhenNoFileCanBeHad) {
    QTemporaryDir dir;
    const zel::InstalledDb db = zel::OpenInstalledDb(Uncreatable(dir));
    EXPECT_TRUE(db.embedded);
    ASSERT_TRUE(db.database);
    EXPECT_EQ(zel::SeriesCatalog::of(*db.database->load()).TypeList.size(), 8);
    EXPECT_EQ(zel::LookupModelRecord(*db.database->load(), "D103"), "8ZELH64AD00500");
}

TEST(DbOpen, InstallsAndReadsTheFileAtEveryLoad) {
    QTemporaryDir dir;
    const QString path = dir.filePath("zel.db");
    const zel::InstalledDb db = zel::OpenInstalledDb(path);
    EXPECT_FALSE(db.embedded);
    EXPECT_EQ(db.path, path);
    const zel::SeriesCatalog catalog = zel::SeriesCatalog::of(*db.database->load());
    EXPECT_EQ(catalog.TypeList, QStringList({"0", "1", "2", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(catalog.SeriesNames,
              QString::fromUtf8("ZEL51A 系列\r\nZEL51B 系列\r\nZEL51C 系列\r\nZEL51D 系列\r\n"
                                "ZEL51E 系列\r\nZEL51F 系列\r\nZEL51G 系列\r\nZEL51H 系列"));
    // An edit counts at the next load, with no time stamp to wait for.
    ASSERT_TRUE(WriteBytes(path, "[ZEL]\nversion=120\n[TYPE]\ntype=9,3\n9=Nine:1\n3=Three\n"));
    const zel::SeriesCatalog edited = zel::SeriesCatalog::of(*db.database->load());
    EXPECT_EQ(edited.TypeList, QStringList({"9", "3"}));
    EXPECT_EQ(edited.SeriesNames, "Nine\r\nThree");  // a row without ":" is all name
}

TEST(DbOpen, NewerFileIsLeftAsItIs) {
    QTemporaryDir dir;
    const QString path = dir.filePath("zel.db");
    ASSERT_TRUE(WriteBytes(path, "[ZEL]\nversion=120\n[TYPE]\ntype=9,3\n9=Nine:1\n3=Three\n"));
    const zel::InstalledDb db = zel::OpenInstalledDb(path);
    EXPECT_FALSE(db.embedded);
    EXPECT_EQ(zel::SeriesCatalog::of(*db.database->load()).TypeList, QStringList({"9", "3"}));
}

TEST(DbLocation, FollowsTheEnvironment) {
    QTemporaryDir dir;
    const ScopedEnv home("HOME", dir.path().toUtf8());
    {
        const ScopedEnv db("ZEL_DB", dir.filePath("own/x.db").toUtf8());
        EXPECT_EQ(zel::ResolveDbPath(), dir.filePath("own/x.db"));
    }
    const ScopedEnv db("ZEL_DB", std::nullopt);
    {
        const ScopedEnv data("XDG_DATA_HOME", dir.filePath("data").toUtf8());
        EXPECT_EQ(zel::ResolveDbPath(), dir.filePath("data/zel/zel.db"));
    }
    for (const std::optional<QByteArray>& data :
         {std::optional<QByteArray>(), std::optional<QByteArray>(""),
          std::optional<QByteArray>("relative/dir")}) {
        const ScopedEnv xdg("XDG_DATA_HOME", data);
        EXPECT_EQ(zel::ResolveDbPath(), dir.filePath(".local/share/zel/zel.db"));
    }
    // No home of the user's own: no place at all, never "/" or a made-up folder.
    const ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);
    for (const std::optional<QByteArray>& noHome :
         {std::optional<QByteArray>(), std::optional<QByteArray>(""),
          std::optional<QByteArray>("relative"),
          std::optional<QByteArray>(dir.filePath("nonexistent").toUtf8())}) {
        const ScopedEnv unset("HOME", noHome);
        EXPECT_EQ(zel::ResolveDbPath(), QString());
        EXPECT_TRUE(zel::OpenInstalledDb().embedded);
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("nonexistent")));
}

}  // namespace
