#include "core/codeworkspace.h"
#include "core/codefile.h"
#include "core/gzipfile.h"
#include "core/inifile.h"
#include "testsupport.h"

#include <unistd.h>

#include <functional>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace korvan {
namespace {

const QByteArray kHex = ":0400100001020304E2\n:00000001FF\n";

class Workspace : public testing::Test {
  protected:
    Workspace() : ws(home.paths()) {}
    QString configFile() const { return home.paths().configFile(); }

    test::TempHome home;
    CodeWorkspace ws;
};

TEST_F(Workspace, FileTypesAndUsability) {
    EXPECT_EQ(FileTypeOf("/a/B.HEX"), CodeFileType::Hex);
    EXPECT_EQ(FileTypeOf("/a.mcp/b"), CodeFileType::Unsupported);
    EXPECT_EQ(FileTypeOf("/a/b.x.Mcu"), CodeFileType::Mcu);
    EXPECT_EQ(FileTypeOf("/a/b.ihx"), CodeFileType::Unsupported);
    EXPECT_EQ(FileTitle("/a/b.x.mcp"), "b.x");
    EXPECT_FALSE(FileUsable(""));
    EXPECT_FALSE(FileUsable(home.write("e.hex", "")));
    EXPECT_FALSE(FileUsable(home.path("")));  // a folder
    EXPECT_TRUE(FileUsable(home.write("f.hex", "x")));
}

TEST_F(Workspace, OpeningAHexFileLoadsCodeAndSettings) {
    home.write(configFile(), "[UserSet]\nAutoDown=1\n");
    const QString hex = home.write("fw/a.hex", kHex);
    const OpenResult r = ws.OpenCodeFile(hex, false);
    EXPECT_TRUE(r.Ok);
    EXPECT_TRUE(r.SettingsApplied);
    EXPECT_TRUE(r.CodeLoaded);
    EXPECT_EQ(ws.codeBuffer().size(), 20u);
    EXPECT_EQ(ws.sumText(), "0000000A");
    EXPECT_EQ(ws.shownFile(), hex);
    EXPECT_TRUE(ws.settings().AutoDown);
    EXPECT_EQ(ws.caption(), "KORVAN");
    EXPECT_TRUE(ws.settingsLoaded());
    EXPECT_EQ(ws.codeFileTime(), QFileInfo(hex).lastModified().toSecsSinceEpoch());
}

struct PatchCase {
    const char* name;
    qsizetype address;
    CodeBuffer bytes;
    QString sum;
};

TEST_F(Workspace, PatchingCodeNeverGrowsTheBufferAndTheSumFollows) {
    const PatchCase cases[] = {
        {"tail_cut_at_the_end", 0x10, {9, 9, 9, 9, 9, 9}, "00000024"},
        {"inside", 0, {0xFF}, "00000109"},
        {"beyond_the_end", 20, {7}, "0000000A"},
        {"negative_address", -1, {7}, "0000000A"},
    };
    for (const PatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ws.OpenCodeFile(home.write("p.hex", kHex), false).Ok);
        ws.PatchCode(c.address, c.bytes);
        EXPECT_EQ(ws.codeBuffer().size(), 20u);
        EXPECT_EQ(ws.sumText(), c.sum);
    }
}

TEST_F(Workspace, AnEmptyFileIsMissingAndKeepsTheShownName) {
    const QString good = home.write("a.hex", kHex);
    ASSERT_TRUE(ws.OpenCodeFile(good, true).Ok);
    const OpenResult r = ws.OpenCodeFile(home.write("empty.bin", ""), true);
    EXPECT_FALSE(r.Ok);
    EXPECT_FALSE(r.Message);
    EXPECT_FALSE(r.BufferChanged);
    EXPECT_EQ(ws.codeBuffer().size(), 20u);
    EXPECT_EQ(ws.shownFile(), good);
}

// Whatever way a code file fails to open, what was shown stays: the buffer, its sum, the file
// it came from, and where the settings go. A download after it takes the old file, named.
TEST_F(Workspace, AFailedOpenKeepsWhatWasShown) {
    QFile huge(home.path("huge.bin"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(kMaxCodeFileSize + 1));
    huge.close();
    struct Case {
        const char* name;
        std::function<OpenResult(CodeWorkspace&, const QString&)> open;
        QString path;
    };
    const auto dialog = [](CodeWorkspace& w, const QString& p) { return w.OpenFromDialog(p); };
    const auto history = [](CodeWorkspace& w, const QString& p) { return w.OpenHistoryEntry(p); };
    const auto refresh = [](CodeWorkspace& w, const QString& p) {
        w.setShownFile(p);
        return w.RefreshBuffer();
    };
    const Case cases[] = {
        {"not HEX, from the dialog", dialog, home.write("text.hex", "just words\n")},
        {"too big, from the history", history, huge.fileName()},
        {"not HEX, from the history", history, home.write("text2.hex", "words\n")},
        {"not HEX, refreshed", refresh, home.write("text3.hex", "more words\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CodeWorkspace w(home.paths());
        const QString config = home.write("set.mcu", "[UserSet]\nUserFile=\"%AppPath%a.hex\"\n");
        home.write("a.hex", kHex);
        ASSERT_TRUE(w.OpenCodeFile(config, false).Ok);
        const QString caption = w.caption();
        const OpenResult r = c.open(w, c.path);
        EXPECT_FALSE(r.Ok);
        EXPECT_TRUE(r.Message);
        EXPECT_EQ(w.codeBuffer().size(), 20u);
        EXPECT_EQ(w.sumText(), "0000000A");
        EXPECT_EQ(w.codeFile(), home.path("a.hex"));
        EXPECT_EQ(w.settingsFile(), config);
        EXPECT_EQ(w.caption(), caption);
        EXPECT_FALSE(w.CheckCodeLoaded());
    }
}

TEST_F(Workspace, DamagedOrCutHexFilesAskBeforeTheyOpen) {
    struct Case {
        const char* name;
        QByteArray text;
        QString question;  // empty: nothing to ask
    };
    const Case cases[] = {
        {"sound", kHex, ""},
        {"two bad checksums from line 2",
         ":0100000055AA\n:0100000055AB\n:0100010066 90\n:00000001FF\n",
         "文件中有 2 条记录校验和错误或格式不正确（第一条在第 2 行），文件可能已损坏。\r\n"
         "是否仍然打开？"},
        {"cut short", ":0400100001020304E2\n",
         "文件没有结束记录（:00000001FF），可能不完整。\r\n是否仍然打开？"},
        {"both", ":0100000055AB\n",
         "文件中有 1 条记录校验和错误或格式不正确（第一条在第 1 行），文件可能已损坏。\r\n"
         "文件没有结束记录（:00000001FF），可能不完整。\r\n是否仍然打开？"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString hex = home.write("w.hex", c.text);
        const QString config = home.write("w.mcu", "[UserSet]\nUserFile=\"%AppPath%w.hex\"\n");
        for (const QString& path : {hex, config}) {
            const auto question = ws.CodeFileWarning(path);
            if (c.question.isEmpty()) {
                EXPECT_FALSE(question) << path.toStdString();
            } else {
                ASSERT_TRUE(question) << path.toStdString();
                EXPECT_EQ(*question, (UserMessage{c.question, 21, ""}));
            }
        }
    }
    // Binary files and files that do not load at all are not asked about.
    EXPECT_FALSE(ws.CodeFileWarning(home.write("b.bin", "\x01\x02")));
    EXPECT_FALSE(ws.CodeFileWarning(home.write("t.hex", "words\n")));
}

TEST_F(Workspace, AHugeBinaryIsRefusedWithAMessage) {
    QFile file(home.path("disk.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(kMaxCodeFileSize + 1));
    file.close();
    const OpenResult r = ws.OpenCodeFile(file.fileName(), true);
    EXPECT_FALSE(r.Ok);
    ASSERT_TRUE(r.Message);
    EXPECT_EQ(*r.Message, (UserMessage{"文件太大（超过 16 MB），不是单片机的代码文件", 12, ""}));
}

// A file that exists is never called missing: the message says what is wrong with it.
TEST_F(Workspace, CodeFilesThatCannotBeUsedSayWhy) {
    struct Case {
        const char* name;
        QString path;
        QString message;
    };
    const Case cases[] = {
        {"text named .hex", home.write("readme.hex", "# KORVAN\nA tool.\n"),
         "文件中没有一条有效的 HEX 记录，不是 HEX 文件"},
        {"HEX data beyond 16 MB", home.write("far.hex", ":02000004FFFFFC\n:0100000055AA\n"),
         "文件太大（超过 16 MB），不是单片机的代码文件"},
    };
    for (const Case& c : cases) {
        const OpenResult r = ws.OpenCodeFile(c.path, true);
        EXPECT_FALSE(r.Ok) << c.name;
        ASSERT_TRUE(r.Message) << c.name;
        EXPECT_EQ(*r.Message, (UserMessage{c.message, 12, ""})) << c.name;
        const OpenResult fromDialog = ws.OpenFromDialog(c.path);
        ASSERT_TRUE(fromDialog.Message) << c.name;
        EXPECT_EQ(fromDialog.Message->Text, c.message) << c.name;
    }
}

TEST_F(Workspace, AFileWithoutReadPermissionSaysSo) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads any file";
    const QString path = home.write("locked.hex", kHex);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    const OpenResult r = ws.OpenFromDialog(path);
    ASSERT_TRUE(r.Message);
    EXPECT_EQ(*r.Message, (UserMessage{"文件无法读取，请检查文件的读取权限", 12, ""}));
}

TEST_F(Workspace, DamagedHexRecordsAreCountedForAWarning) {
    const OpenResult r =
        ws.OpenCodeFile(home.write("d.hex", ":0100000055AB\n:0100010066 98\n"), true);
    EXPECT_TRUE(r.Ok);
    EXPECT_EQ(r.BadRecords, 1);
    EXPECT_EQ(ws.codeBuffer().size(), 2u);
}

TEST_F(Workspace, UnsupportedExtensionChangesNothing) {
    ASSERT_TRUE(ws.OpenCodeFile(home.write("a.hex", kHex), true).Ok);
    const OpenResult r = ws.OpenCodeFile(home.write("a.txt", "x"), false);
    EXPECT_FALSE(r.Ok);
    EXPECT_FALSE(r.SettingsApplied);
    EXPECT_EQ(ws.codeBuffer().size(), 20u);
}

TEST_F(Workspace, AConfigurationOpensTheCodeFileBesideIt) {
    home.write("proj/a.hex", kHex);
    const QString mcu = home.write(
        "proj/board.mcu", "[UserSet]\nMCU=3\nUserFile=\"%AppPath%a.hex\"\n[Comm]\nSend=\" AT \"\n");
    const OpenResult r = ws.OpenCodeFile(mcu, false);
    EXPECT_TRUE(r.Ok);
    EXPECT_EQ(ws.codeFile(), home.path("proj/a.hex"));
    EXPECT_EQ(ws.codeBuffer().size(), 20u);
    EXPECT_EQ(ws.settingsFile(), mcu);
    EXPECT_EQ(ws.caption(), "KORVAN - [board]");
    EXPECT_TRUE(ws.openDefaultEnabled());
    EXPECT_TRUE(ws.saveDefaultEnabled());
    EXPECT_EQ(ws.settings().Mcu, 3);
    EXPECT_EQ(ws.settings().TermSend, " AT ");
}

TEST_F(Workspace, AConfigurationNamingAnotherConfigurationIsNotFollowed) {
    ASSERT_TRUE(ws.OpenCodeFile(home.write("a.hex", kHex), true).Ok);
    home.write("other.mcu", "[UserSet]\nUserFile=\"%AppPath%a.hex\"\n");
    const QString mcu = home.write("first.mcu", "[UserSet]\nUserFile=\"%AppPath%other.mcu\"\n");
    const OpenResult r = ws.OpenCodeFile(mcu, false);
    EXPECT_TRUE(r.Ok);
    EXPECT_TRUE(r.BufferChanged);
    EXPECT_TRUE(ws.codeBuffer().empty());  // the grid is emptied
    EXPECT_EQ(ws.shownFile(), "");
    EXPECT_EQ(ws.sumText(), "00000000");
}

TEST_F(Workspace, SavingAConfigurationWritesNoDataSection) {
    ASSERT_TRUE(ws.OpenCodeFile(home.write("x/a.hex", kHex), true).Ok);
    const QString mcu = home.path("x/a.mcu");
    ASSERT_TRUE(ws.SaveSettingsFile(mcu));
    const IniDocument doc = IniDocument::load(mcu);
    EXPECT_FALSE(doc.hasSection("DATA"));
    EXPECT_EQ(doc.read("UserSet", "UserFile", ""), "%AppPath%a.hex");
}

UserSettings EveryFieldSet() {
    UserSettings s;
    s.Mcu = 5;
    s.UseResetCommand = true;
    s.IncOpen = true;
    s.IncAddress = 0x1234;
    s.IncNext = 42;
    s.IncFormat = " %NL2 ; %C %F1 ";
    s.TermHex = false;
    s.TermCrlf = false;
    s.TermTimer = 333;
    s.TermSend = " AT ";
    s.Rest = "7F 7F;19200,E,7,1";
    s.RunAfter = true;
    s.RunDelayIndex = 2;
    s.RunProgram = "APP";
    s.RunParameters = "OPENCOM++SEND";
    s.OptionValues = "1,2,3";
    return s;
}

TEST_F(Workspace, TaskRoundTripWithEverySetting) {
    ASSERT_TRUE(ws.OpenCodeFile(home.write("a.hex", kHex), true).Ok);
    ws.updateSettings([&](UserSettings& s) { s = EveryFieldSet(); });
    const QString task = home.path("job.mcp");
    ASSERT_TRUE(ws.SaveSettingsFile(task));

    CodeWorkspace other(home.paths());
    const OpenResult r = other.OpenCodeFile(task, false);
    ASSERT_TRUE(r.Ok);
    EXPECT_TRUE(other.taskMode());
    EXPECT_FALSE(other.taskModified());
    EXPECT_EQ(other.caption(), "KORVAN - [job] - 任务");
    EXPECT_EQ(other.codeBuffer(), ws.codeBuffer());
    EXPECT_EQ(other.sumText(), "0000000A");
    EXPECT_EQ(other.settingsFile(), task);
    UserSettings expected = EveryFieldSet();
    expected.AutoData = expected.AutoType = expected.AutoDown = false;  // cleared by task mode
    EXPECT_EQ(other.settings(), expected);
    EXPECT_TRUE(QDir(home.paths().TempPath).isEmpty());  // the unpacked file is gone
}

TEST_F(Workspace, ConfigurationRoundTripWithEverySetting) {
    const QString hex = home.write("fw/a.hex", kHex);
    ASSERT_TRUE(ws.OpenCodeFile(hex, true).Ok);
    ws.updateSettings([&](UserSettings& s) { s = EveryFieldSet(); });
    ws.updateSettings([&](UserSettings& s) { s.AutoDown = true; });
    const QString mcu = home.path("fw/board.mcu");
    ASSERT_TRUE(ws.SaveSettingsFile(mcu));
    EXPECT_EQ(ReadIni("Option", "5", mcu, ""), "1,2,3");

    CodeWorkspace other(home.paths());
    const OpenResult r = other.OpenCodeFile(mcu, false);
    ASSERT_TRUE(r.Ok);
    EXPECT_FALSE(other.taskMode());
    EXPECT_EQ(other.settings(), ws.settings());
    EXPECT_EQ(other.codeFile(), hex);
    EXPECT_EQ(other.codeBuffer(), ws.codeBuffer());
}

TEST_F(Workspace, TaskSumReplacesTheSumShownBefore) {
    ws.OpenCodeFile(home.write("one.bin", "\x01\x01"), true);
    const QString task = home.path("t.mcp");
    ws.OpenCodeFile(home.write("big.bin", QByteArray(300, '\x02')), true);
    ASSERT_TRUE(ws.SaveSettingsFile(task));
    ws.OpenCodeFile(home.path("one.bin"), true);
    EXPECT_EQ(ws.sumText(), "00000002");
    ASSERT_TRUE(ws.OpenCodeFile(task, false).Ok);
    EXPECT_EQ(ws.sumText(), "00000258");
}

TEST_F(Workspace, ACorruptTaskLeavesBufferAndSettingsUntouched) {
    const QString hex = home.write("a.hex", kHex);
    ASSERT_TRUE(ws.OpenCodeFile(hex, false).Ok);
    ws.updateSettings([&](UserSettings& s) { s.TermSend = "kept"; });
    const UserSettings before = ws.settings();
    ASSERT_TRUE(ws.SaveSettingsFile(home.path("good.mcp")));
    const QByteArray packed = test::TempHome::read(home.path("good.mcp"));

    const QList<QByteArray> broken{packed.left(packed.size() / 2), "[UserSet]\nMCU=9\n",
                                   *GzipCompress("[DATA]\nEND=99999\nADD=20\n", 5),
                                   *GzipCompress("just text", 5)};
    for (const QByteArray& bytes : broken) {
        const OpenResult r = ws.OpenCodeFile(home.write("bad.mcp", bytes), false);
        EXPECT_FALSE(r.Ok);
        ASSERT_TRUE(r.Message);
        EXPECT_EQ(r.Message->Text, "文件无法正常打开");
        EXPECT_EQ(r.Message->Style, 12);
        EXPECT_EQ(ws.codeBuffer().size(), 20u);
        EXPECT_EQ(ws.settings(), before);
        EXPECT_FALSE(ws.taskMode());
        EXPECT_EQ(ws.settingsFile(), configFile());
    }
    EXPECT_TRUE(QDir(home.paths().TempPath).isEmpty());
}

TEST_F(Workspace, ACorruptTaskAtStartUpLoadsTheDefaultSettings) {
    home.write(configFile(), "[Comm]\nSend=\"from config\"\n");
    const OpenResult r = ws.OpenCodeFile(home.write("bad.mcp", "garbage"), false);
    EXPECT_FALSE(r.Ok);
    EXPECT_FALSE(r.Message);
    EXPECT_EQ(ws.settings().TermSend, "from config");
}

TEST_F(Workspace, FailedTaskSaveKeepsTheOldFile) {
    ASSERT_TRUE(ws.OpenCodeFile(home.write("a.hex", kHex), true).Ok);
    const QString task = home.path("job.mcp");
    ASSERT_TRUE(ws.SaveSettingsFile(task));
    const QByteArray before = test::TempHome::read(task);
    ws.OpenCodeFile(home.write("b.hex", ":0100000077 88\n"), true);
    AppPaths broken = home.paths();
    broken.TempPath = home.path("missing/");
    CodeWorkspace failing(broken);
    failing.OpenCodeFile(home.path("b.hex"), true);
    EXPECT_EQ(failing.SaveAs(task), (UserMessage{"文件保存失败", 12, ""}));
    EXPECT_EQ(test::TempHome::read(task), before);
    EXPECT_EQ(ws.SaveAs(task), (UserMessage{"文件保存成功", 10, ""}));
}

TEST_F(Workspace, TaskModeBlocksCodeFilesFromTheDialogAndSettingsWrites) {
    ASSERT_TRUE(ws.OpenCodeFile(home.write("a.hex", kHex), true).Ok);
    ws.updateSettings([&](UserSettings& s) { s.OptionValues = "4,4"; });
    const QString task = home.path("job.mcp");
    ASSERT_TRUE(ws.SaveSettingsFile(task));
    ASSERT_TRUE(ws.OpenFromDialog(task).Ok);
    ASSERT_TRUE(ws.taskMode());

    const OpenResult r = ws.OpenFromDialog(home.write("b.hex", ":0100000077 88\n"));
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(ws.codeFile(), task);
    EXPECT_EQ(ws.codeBuffer().size(), 20u);
    EXPECT_FALSE(ws.SaveUserSettings(task));  // never text into a packed task
    EXPECT_TRUE(ws.SaveUserSettings(home.path("elsewhere.mcu")));
    EXPECT_FALSE(IniDocument::load(home.path("elsewhere.mcu")).hasSection("Option"));
}

TEST_F(Workspace, SerialNumberAdvancesAndATaskIsRepackedAtExit) {
    ASSERT_TRUE(ws.OpenCodeFile(home.write("a.hex", kHex), false).Ok);
    ws.updateSettings([&](UserSettings& s) { s.IncOpen = true; });
    ws.updateSettings([&](UserSettings& s) { s.IncNext = 999999999; });
    ws.AdvanceSerialNumber();
    EXPECT_EQ(ws.settings().IncNext, 1);
    EXPECT_EQ(ReadIni("AddData", "Data", configFile(), ""), "1");  // written at once

    ws.updateSettings([&](UserSettings& s) { s.IncNext = 7; });
    ws.updateSettings([&](UserSettings& s) { s.OptionValues = "9,8"; });
    const QString task = home.path("job.mcp");
    ASSERT_TRUE(ws.SaveSettingsFile(task));
    ASSERT_TRUE(ws.OpenCodeFile(task, false).Ok);
    EXPECT_TRUE(ws.AdvanceSerialNumber());
    EXPECT_TRUE(ws.taskModified());
    EXPECT_EQ(ReadIni("AddData", "Data", configFile(), ""), "1");  // not while a task is open
    {
        // Kept in the task at once: a run that never reaches the save at exit ("/u", "/d", a
        // crash) must not give the same number again.
        CodeWorkspace reopened(home.paths());
        ASSERT_TRUE(reopened.OpenCodeFile(task, false).Ok);
        EXPECT_EQ(reopened.settings().IncNext, 8);
    }
    ASSERT_TRUE(ws.SaveOnExit());

    CodeWorkspace again(home.paths());
    ASSERT_TRUE(again.OpenCodeFile(task, false).Ok);
    EXPECT_EQ(again.settings().IncNext, 8);
    EXPECT_EQ(again.settings().OptionValues, "9,8");  // the repacked task keeps its options
    EXPECT_EQ(again.codeBuffer(), ws.codeBuffer());
}

TEST_F(Workspace, SaveOnExitWritesTheSettingsFileOutsideTaskMode) {
    ASSERT_TRUE(ws.OpenCodeFile(home.write("a.hex", kHex), false).Ok);
    ws.updateSettings([&](UserSettings& s) { s.TermSend = " AT "; });
    ASSERT_TRUE(ws.SaveOnExit());
    EXPECT_EQ(ReadIni("Comm", "Send", configFile(), ""), " AT ");
    EXPECT_EQ(ReadIni("UserSet", "UserFile", configFile(), ""), home.path("a.hex"));
}

TEST_F(Workspace, DialogHistoryAndDefaultFileFlows) {
    const QString hex = home.write("a.hex", kHex);
    EXPECT_EQ(ws.OpenFromDialog(home.path("none.hex")).Message,
              (UserMessage{"文件无效或者文件不存在", 12, ""}));
    ASSERT_TRUE(ws.OpenFromDialog(hex).Ok);
    EXPECT_EQ(ws.history().files(), QStringList{hex});

    ws.updateSettings([&](UserSettings& s) { s.Mcu = 6; });
    ASSERT_TRUE(ws.SaveAsDefault());  // Config.ini now names a.hex
    const QString mcu = home.write("b.mcu", "[UserSet]\nMCU=2\n");
    ASSERT_TRUE(ws.OpenHistoryEntry(mcu).Ok);
    EXPECT_EQ(ws.settings().Mcu, 2);
    EXPECT_EQ(ws.history().files(), (QStringList{mcu, hex}));

    const OpenResult r = ws.OpenDefaultFile();
    EXPECT_TRUE(r.Ok);
    EXPECT_EQ(ws.settingsFile(), configFile());
    EXPECT_EQ(ws.codeFile(), hex);
    EXPECT_EQ(ws.settings().Mcu, 6);
    EXPECT_FALSE(ws.openDefaultEnabled());
    EXPECT_EQ(ws.history().files(), (QStringList{hex, mcu}));
}

TEST_F(Workspace, OpenDefaultWithoutADefaultLeavesTheTask) {
    ASSERT_TRUE(ws.OpenCodeFile(home.write("a.hex", kHex), true).Ok);
    ws.updateSettings([&](UserSettings& s) { s.IncOpen = true; });
    const QString task = home.path("job.mcp");
    ASSERT_TRUE(ws.SaveSettingsFile(task));
    home.write(configFile(), "[Config]\nErrTim=60\n");
    ASSERT_TRUE(ws.OpenCodeFile(task, false).Ok);
    ws.AdvanceSerialNumber();
    EXPECT_FALSE(ws.OpenDefaultFile().Ok);
    EXPECT_FALSE(ws.taskMode());
    ASSERT_TRUE(ws.SaveOnExit());
    EXPECT_EQ(ReadIni("Config", "ErrTim", configFile(), ""), "60");  // Config.ini intact
}

TEST_F(Workspace, RefreshBufferMessages) {
    EXPECT_TRUE(ws.RefreshBuffer().NoFile);
    ws.setShownFile(home.path("gone.hex"));
    const OpenResult r = ws.RefreshBuffer();
    ASSERT_TRUE(r.Message);
    EXPECT_EQ(*r.Message,
              (UserMessage{"指定的文件不存在：\r\n" + home.path("gone.hex"), 12, "文件错误"}));
    home.write("gone.hex", kHex);
    EXPECT_TRUE(ws.RefreshBuffer().Ok);
    EXPECT_EQ(ws.codeBuffer().size(), 20u);
}

TEST_F(Workspace, CheckCodeLoadedBeforeADownload) {
    EXPECT_EQ(ws.CheckCodeLoaded(), (UserMessage{"文件未打开，请打开后再试", 11, ""}));
    ASSERT_TRUE(ws.OpenCodeFile(home.write("a.hex", kHex), true).Ok);
    EXPECT_FALSE(ws.CheckCodeLoaded());

    // Opened, but nothing in it to write: as good as no file.
    const UserMessage noData{"文件未打开，请打开后再试", 11, ""};
    ASSERT_TRUE(ws.OpenCodeFile(home.write("end.hex", ":00000001FF\n"), true).Ok);
    EXPECT_EQ(ws.CheckCodeLoaded(), noData);
    const QString task = home.path("empty.mcp");
    ASSERT_TRUE(ws.SaveSettingsFile(task));
    CodeWorkspace other(home.paths());
    ASSERT_TRUE(other.OpenCodeFile(task, false).Ok);
    EXPECT_EQ(other.CheckCodeLoaded(), noData);
}

TEST_F(Workspace, FileWatcherSeesANewModificationTimeOnce) {
    const QString hex = home.write("a.hex", kHex);
    ASSERT_TRUE(ws.OpenCodeFile(hex, true).Ok);
    EXPECT_FALSE(ws.PollCodeFileChange());
    QFile file(hex);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    file.close();
    EXPECT_TRUE(ws.PollCodeFileChange());
    EXPECT_FALSE(ws.PollCodeFileChange());
}

TEST_F(Workspace, ProgramsFromForeignFilesNeedConsentOnce) {
    home.write(configFile(), "[UserDown]\nRun=1\nExe=/usr/bin/own\n");
    EXPECT_TRUE(ws.LoadUserSettings().ProgramToConfirm.isEmpty());  // Config.ini is trusted
    EXPECT_FALSE(ws.runNeedsConsent());

    home.write("fw/a.hex", kHex);
    const QString mcu =
        home.write("fw/x.mcu",
                   "[UserSet]\nUserFile=\"%AppPath%a.hex\"\n[UserDown]\nRun=1\nExe=/bin/sh\n"
                   "Cmd=\"-c 'rm -rf ~'\"\n");
    const OpenResult r = ws.OpenCodeFile(mcu, false);
    EXPECT_TRUE(r.Ok);
    EXPECT_EQ(r.ProgramToConfirm, "/bin/sh -c 'rm -rf ~'");
    EXPECT_TRUE(ws.runNeedsConsent());

    ws.updateSettings([&](UserSettings& s) { s.RunProgram = "/usr/bin/typed-by-the-user"; });
    EXPECT_FALSE(ws.runNeedsConsent());
    ws.updateSettings([&](UserSettings& s) { s.RunProgram = "/bin/sh"; });
    EXPECT_TRUE(ws.runNeedsConsent());
    ws.approveRun();
    EXPECT_FALSE(ws.runNeedsConsent());
    EXPECT_TRUE(ws.OpenCodeFile(mcu, false).ProgramToConfirm.isEmpty());  // asked once

    const QString builtin = home.write("y.mcu", "[UserDown]\nRun=1\nExe=SEND\nCmd=\"12 34\"\n");
    EXPECT_TRUE(ws.OpenCodeFile(builtin, false).ProgramToConfirm.isEmpty());
}

TEST_F(Workspace, SeriesIndexBeyondTheListSelectsTheFirst) {
    ws.setSeriesCount(4);
    home.write(configFile(), "[UserSet]\nMCU=4\n");
    ws.LoadUserSettings();
    EXPECT_EQ(ws.settings().Mcu, 0);
}

}  // namespace
}  // namespace korvan
