#include "core/inidocument.h"
#include "core/inifile.h"
#include "core/settingsfilecheck.h"
#include "core/textcodec.h"
#include "privateprofile.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

TEST(IniDocument, OneStrayByteSpoilsNothingAndIsNeverWrittenAsReplacementCharacters) {
    const QString path = QString::fromUtf8("D:/固件/新建/a.hex");
    const QByteArray stray = "Note=\xE4\xB8\xFF\xAD";  // neither UTF-8 nor GBK
    const QByteArray bytes = "[UserSet]\nUserFile=\"" + path.toUtf8() + "\"\n" + stray +
                             "\nOld=" + EncodeGbk(u"下载") + "\n";
    IniDocument doc = IniDocument::fromBytes(bytes);
    EXPECT_EQ(doc.read("UserSet", "UserFile", ""), path);
    EXPECT_EQ(doc.read("UserSet", "Old", ""), QString::fromUtf8("下载"));
    // Written back as read (a key written with its own value changes nothing either).
    doc.write("UserSet", "Note", doc.read("UserSet", "Note", ""));
    doc.write("UserSet", "MCU", "2");
    const QByteArray out = doc.toBytes();
    EXPECT_TRUE(out.contains(path.toUtf8()));
    EXPECT_TRUE(out.contains(stray + '\n'));
    EXPECT_TRUE(out.contains(QString::fromUtf8("Old=下载").toUtf8()));
    EXPECT_FALSE(out.contains("\xEF\xBF\xBD"));  // U+FFFD in UTF-8
}

TEST(IniFile, SettingsFilesThatAreTooLargeOrSpecialAreNeitherReadNorWritten) {
    test::TempHome home;
    QByteArray big = "[Config]\nComPort=4\n";
    big += QByteArray(IniDocument::kMaxSettingsFileBytes, ';');
    const QString large = home.write("Config.ini", big);
    ktext::FileError error;
    EXPECT_TRUE(IniDocument::load(large, &error).isEmpty());
    EXPECT_EQ(error.kind, ktext::FileError::TooLarge);
    EXPECT_FALSE(IniDocument::loadForUpdate(large));
    EXPECT_EQ(ReadIni("Config", "ComPort", large, "1"), "1");
    EXPECT_FALSE(WriteIni("Config", "ComPort", "5", large));
    EXPECT_EQ(test::TempHome::read(large), big);
    // A FIFO named like the settings would hang a plain open() for ever.
    const QString fifo = home.path("Lang.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_TRUE(IniDocument::load(fifo, &error).isEmpty());
    EXPECT_EQ(error.kind, ktext::FileError::NotRegular);
    EXPECT_FALSE(WriteIni("Lang", "1", "x", fifo));
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    // Both are named at start; an absent registry file is not.
    AppPaths paths = home.paths();
    paths.AppPath = home.path("");
    const QStringList refused = RefusedSettingsFiles(paths);
    ASSERT_EQ(refused.size(), 2) << refused.join('|').toStdString();
    EXPECT_TRUE(refused[0].contains(large));
    EXPECT_TRUE(refused[1].contains(fifo));
    EXPECT_TRUE(RefusedSettingsFiles(test::TempHome().paths()).isEmpty());
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
