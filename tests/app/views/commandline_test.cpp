#include "views/commandline.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace korvan {
namespace {

struct LineCase {
    const char* whole;
    const char* expectedSwitch;
    const char* expectedFile;
};

class CommandLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineTest, SplitsSwitchAndFile) {
    const LineCase& c = GetParam();
    const CommandLine line = ParseCommandLine(QString::fromUtf8(c.whole));
    EXPECT_EQ(line.Switch, QString::fromUtf8(c.expectedSwitch)) << c.whole;
    EXPECT_EQ(line.File, QString::fromUtf8(c.expectedFile)) << c.whole;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    ::testing::Values(
        LineCase{"", "", ""}, LineCase{"   ", "", ""}, LineCase{"fw.hex", "", "fw.hex"},
        LineCase{"\"/home/a b/fw 1.hex\"", "", "/home/a b/fw 1.hex"},
        LineCase{"  \"/tmp/x.hex\"  ", "", "/tmp/x.hex"}, LineCase{"/u fw.hex", "/u", "fw.hex"},
        LineCase{"/u \"/home/a b/fw.hex\"", "/u", "/home/a b/fw.hex"}, LineCase{"/d", "/d", ""},
        LineCase{"/u", "/u", ""}, LineCase{"/x fw.hex", "/x", "fw.hex"}, LineCase{"/", "", "/"},
        LineCase{"/d   fw.hex", "/d", "fw.hex"},
        // An absolute path is a file, not a switch with a name after it.
        LineCase{"/ufw.hex", "", "/ufw.hex"}, LineCase{"/u /home/fw.hex", "/u", "/home/fw.hex"},
        LineCase{"/u\t/tmp/fw.hex", "/u", "/tmp/fw.hex"},
        // Only a pair of quotes around the whole name goes; quotes inside a name stay.
        LineCase{"\"/u\" \"a.hex\"", "", "/u\" \"a.hex"}, LineCase{"fw\"A.hex", "", "fw\"A.hex"},
        LineCase{"/u /p/fw\"A.hex", "/u", "/p/fw\"A.hex"}, LineCase{"\"\"", "", ""},
        LineCase{"\"", "", "\""}, LineCase{"fw.hex /u", "", "fw.hex /u"}));

TEST(CommandLineModes, FollowTheSwitch) {
    struct {
        const char* sw;
        bool unattended, downloads, startupScreen, saves;
    } const table[] = {
        {"", false, false, true, true},    {"/u", true, true, false, false},
        {"/d", false, true, true, false},  {"/x", false, false, true, false},
        {"/U", false, false, true, false},  // switches compare exactly, as the platform did
    };
    for (const auto& row : table) {
        const CommandLine line{QString::fromUtf8(row.sw), {}};
        EXPECT_EQ(line.unattended(), row.unattended) << row.sw;
        EXPECT_EQ(line.downloadsAtStart(), row.downloads) << row.sw;
        EXPECT_EQ(line.showsStartupScreen(), row.startupScreen) << row.sw;
        EXPECT_EQ(line.savesSettingsAtExit(), row.saves) << row.sw;
    }
}

// The arguments as the system hands them over, against a fixed set of existing names.
TEST(CommandLineArguments, KeepEachNameAsGivenUnlessOnlyItsQuotedFormExists) {
    const QStringList onDisk{"/p/fw\"A.hex", "/p/fw.hex ", "\"/p/q.hex\"", "/p/a b.hex"};
    const FileExists exists = [&](const QString& name) { return onDisk.contains(name); };
    struct {
        QStringList arguments;
        const char* expectedSwitch;
        const char* expectedFile;
    } const table[] = {
        {{}, "", ""},
        {{"/u"}, "/u", ""},
        {{"/u", "/p/fw\"A.hex"}, "/u", "/p/fw\"A.hex"},
        {{"/p/fw\"A.hex"}, "", "/p/fw\"A.hex"},
        {{"/u", "/p/fw.hex "}, "/u", "/p/fw.hex "},
        {{"/p/fw.hex "}, "", "/p/fw.hex "},
        // A name whose quotes are part of it is not stripped of them.
        {{"/d", "\"/p/q.hex\""}, "/d", "\"/p/q.hex\""},
        // A quoted name that does not exist loses the one enclosing pair.
        {{"/u", "\"/p/a b.hex\""}, "/u", "/p/a b.hex"},
        {{"/u", "\"/p/x\"y.hex\""}, "/u", "/p/x\"y.hex"},
        {{"/u", "/p/x\"y.hex"}, "/u", "/p/x\"y.hex"},
        // Pieces of a name with blanks that a caller did not quote.
        {{"/u", "/p/a", "b.hex"}, "/u", "/p/a b.hex"},
        {{"/p/a", "b.hex"}, "", "/p/a b.hex"},
        // A whole command line in one argument, from a launcher that did not split it.
        {{"/u /p/a b.hex"}, "/u", "/p/a b.hex"},
        {{"/u \"/p/a b.hex\""}, "/u", "/p/a b.hex"},
        {{"/ufw.hex"}, "", "/ufw.hex"},
        {{"/u", ""}, "/u", ""},
        {{"$HOME/fw.hex"}, "", "$HOME/fw.hex"},
        {{"/u", "a\nb.hex"}, "/u", "a\nb.hex"},
        {{"/u", "/p/固件 1.hex"}, "/u", "/p/固件 1.hex"},
    };
    for (const auto& row : table) {
        const CommandLine line = ParseStartArguments(row.arguments, exists);
        const QString shown = row.arguments.join(QLatin1Char('|'));
        EXPECT_EQ(line.Switch, QString::fromUtf8(row.expectedSwitch)) << qPrintable(shown);
        EXPECT_EQ(line.File, QString::fromUtf8(row.expectedFile)) << qPrintable(shown);
    }
}

// Real files with awkward names: each is found under the name it was given.
TEST(CommandLineArguments, FindRealFilesWithAwkwardNames) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const char* const names[] = {"fw\"A.hex",     "fw.hex ",  "\"q.hex\"", "a b.hex",  "$HOME.hex",
                                 "new\nline.hex", "固件.hex", " lead.hex", "it's.hex", "\"\""};
    for (const char* raw : names) {
        const QString path = dir.filePath(QString::fromUtf8(raw));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << raw;
        file.close();
        for (const QStringList& arguments : {QStringList{path}, QStringList{"/u", path}}) {
            const CommandLine line = ParseStartArguments(arguments);
            EXPECT_EQ(line.File, path) << raw;
            EXPECT_TRUE(QFileInfo::exists(line.File)) << raw;
        }
    }
    // Without the file, the same name with its quotes gone is what is looked for.
    const QString quotedMissing = QLatin1Char('"') + dir.filePath("none.hex") + QLatin1Char('"');
    EXPECT_EQ(ParseStartArguments({"/u", quotedMissing}).File, dir.filePath("none.hex"));
}

TEST(AppVersionText, AddsTheRevisionOnlyAboveZero) {
    EXPECT_EQ(AppVersionText(5, 2, 0), "5.2");
    EXPECT_EQ(AppVersionText(5, 2, 3), "5.2.3");
    EXPECT_EQ(AppVersionText(1, 0, -1), "1.0");
}

}  // namespace
}  // namespace korvan
