#include "core/inidocument.h"
#include "core/inifile.h"
#include "core/textcodec.h"
#include "privateprofile.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace korvan {
namespace {

const QByteArray kSample =
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

// The reading rules are the shared reader's and are tested with it; the editable document
// must find exactly what the reader finds, or an edit would change another line than a read
// shows.
TEST(IniDocument, ReadsWhatTheSharedReaderReads) {
    const IniDocument doc = IniDocument::fromBytes(kSample);
    const ktext::PrivateProfile profile = ktext::PrivateProfile::fromBytes(kSample);
    const char* const keys[][2] = {{"UserSet", "MCU"},      {"userset", "mcu"},
                                   {"UserSet", "UserFile"}, {"UserSet", "Empty"},
                                   {"Comm", "SEND"},        {"Comm", "Missing"},
                                   {"Nowhere", "MCU"},      {"UserSet", "; written by hand"}};
    for (const auto& [section, key] : keys)
        EXPECT_EQ(doc.value(section, key),
                  profile.value(QString::fromUtf8(section), QString::fromUtf8(key)))
            << section << "/" << key;
    EXPECT_EQ(doc.read("A", "k", "?"), "?");
}

TEST(IniDocument, WriteChangesOneLineAndKeepsTheRest) {
    IniDocument doc = IniDocument::fromBytes(kSample);
    doc.write("USERSET", "mcu", "5");
    doc.write("UserSet", "NewKey", "v");
    doc.write("Fresh", "k", "1");
    const QByteArray expected =
        "; written by hand\n"
        "[UserSet]\n"
        "MCU=5\n"
        "UserFile=\"  spaced  \"\n"
        "Empty=\n"
        "NewKey=v\n"
        "\n"
        "[Comm]\n"
        "Send=first\n"
        "send=second\n"
        "[usersET]\n"
        "MCU=9\n"
        "\n"
        "[Fresh]\n"
        "k=1\n";
    EXPECT_EQ(doc.toBytes(), expected);
}

TEST(IniDocument, LineBreaksInAValueCannotInjectLines) {
    IniDocument doc;
    doc.write("Comm", "Send", "AT\r\n[UserDown]\nExe=evil");
    EXPECT_FALSE(doc.hasSection("UserDown"));
    EXPECT_EQ(doc.read("Comm", "Send", ""), "AT  [UserDown] Exe=evil");
}

TEST(IniDocument, KeepsWindowsLineEnds) {
    IniDocument doc = IniDocument::fromBytes("[A]\r\nk=1\r\n");
    doc.write("A", "j", "2");
    EXPECT_EQ(doc.toBytes(), "[A]\r\nk=1\r\nj=2\r\n");
}

TEST(IniDocument, WritesGbkFilesFromOlderInstallationsBackAsUtf8) {
    const QString text = QStringLiteral("下载任务");
    const IniDocument gbk = IniDocument::fromBytes("[A]\nk=" + EncodeGbk(text) + "\n");
    EXPECT_EQ(gbk.read("A", "k", ""), text);
    EXPECT_TRUE(gbk.toBytes().contains(text.toUtf8()));
}

TEST(IniDocument, RemovesKeysAndSections) {
    IniDocument doc = IniDocument::fromBytes(kSample);
    doc.removeKey("UserSet", "Empty");
    doc.removeSection("userset");
    EXPECT_FALSE(doc.hasSection("UserSet"));
    EXPECT_EQ(doc.sectionNames(), QStringList{"Comm"});
    EXPECT_EQ(doc.keys("Comm"), (QStringList{"Send", "send"}));
}

TEST(IniFile, WriteIniCreatesAndUpdatesTheFileWithoutLeftovers) {
    test::TempHome home;
    const QString file = home.path("sub/dir/a.ini");
    EXPECT_EQ(ReadIni("S", "k", file, "dflt"), "dflt");
    ASSERT_TRUE(WriteIni("S", "k", "1", file));
    ASSERT_TRUE(WriteIni("S", "j", "2", file));
    EXPECT_EQ(ReadIni("s", "K", file, ""), "1");
    EXPECT_EQ(test::TempHome::read(file), "[S]\nk=1\nj=2\n");
    EXPECT_EQ(QDir(home.path("sub/dir")).entryList(QDir::Files), QStringList{"a.ini"});
}

TEST(IniFile, AnUnreadableFileIsNeverOverwritten) {
    test::TempHome home;
    // Something exists under the name but cannot be read as a file.
    const QString folder = home.path("folder.ini");
    QDir().mkpath(folder + "/inside");
    EXPECT_FALSE(WriteIni("S", "k", "1", folder));
    EXPECT_TRUE(QDir(folder + "/inside").exists());

    const QString file = home.write("locked.ini", "[S]\nk=precious\n");
    QFile::setPermissions(file, QFileDevice::WriteOwner);
    // With the rights to read it anyway (as root), the write is an ordinary update.
    const bool readable = QFile(file).open(QIODevice::ReadOnly);
    EXPECT_EQ(WriteIni("S", "j", "2", file), readable);
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(test::TempHome::read(file),
              readable ? QByteArray("[S]\nk=precious\nj=2\n") : QByteArray("[S]\nk=precious\n"));
}

TEST(IniFile, ConfigGoesToTheApplicationFolder) {
    test::TempHome home;
    SetCurrentAppPaths(home.paths());
    ASSERT_TRUE(WriteConfig("Config", "ComPort", "4"));
    EXPECT_EQ(ReadIni("Config", "ComPort", home.paths().AppPath + "Config.ini", ""), "4");
    EXPECT_EQ(ReadConfig("config", "comport", ""), "4");
}

}  // namespace
}  // namespace korvan
