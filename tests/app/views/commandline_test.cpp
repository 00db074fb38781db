#include "views/commandline.h"

#include <gtest/gtest.h>

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
        LineCase{"\"/u\" \"a.hex\"", "/u", "a.hex"}, LineCase{"fw.hex /u", "", "fw.hex /u"}));

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

TEST(CommandLineText, JoinsArgumentsAsOneLine) {
    EXPECT_EQ(CommandLineText({}), QString());
    EXPECT_EQ(ParseCommandLine(CommandLineText({"/u", "/home/a b/fw.hex"})),
              (CommandLine{"/u", "/home/a b/fw.hex"}));
}

TEST(AppVersionText, AddsTheRevisionOnlyAboveZero) {
    EXPECT_EQ(AppVersionText(5, 2, 0), "5.2");
    EXPECT_EQ(AppVersionText(5, 2, 3), "5.2.3");
    EXPECT_EQ(AppVersionText(1, 0, -1), "1.0");
}

}  // namespace
}  // namespace korvan
