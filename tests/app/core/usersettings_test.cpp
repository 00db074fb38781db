#include "core/usersettings.h"
#include "core/inifile.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

// Every field away from its default, with text that trimming or quoting could damage.
UserSettings EveryFieldSet() {
    UserSettings s;
    s.Mcu = 4;
    s.UseResetCommand = true;
    s.AutoData = false;
    s.AutoType = false;
    s.AutoDown = true;
    s.IncOpen = true;
    s.IncAddress = 0x0A0B;
    s.IncNext = 999999999;
    s.IncFormat = QStringLiteral(" %NL3 %D ; $序列 %F1 ");
    s.TermHex = false;
    s.TermCrlf = false;
    s.TermTimer = 250;
    s.TermSend = QStringLiteral(" AT ");
    s.Rest = QStringLiteral(" 12 34 ;19200,E,7,1");
    s.RunAfter = true;
    s.RunDelayIndex = 6;
    s.RunProgram = QStringLiteral("/usr/bin/true");
    s.RunParameters = QStringLiteral(" --flag \"x y\" ");
    s.OptionValues = QStringLiteral("1,0,3");
    return s;
}

TEST(UserSettings, EveryFieldSurvivesASaveAndALoad) {
    test::TempHome home;
    const QString file = home.path("a.mcu");
    IniDocument doc;
    SaveUserSettings(doc, EveryFieldSet(), home.path("code/x.hex"), file);
    ASSERT_TRUE(doc.save(file));
    UserSettings back;
    LoadUserSettings(IniDocument::load(file), back);
    EXPECT_EQ(back, EveryFieldSet());
    EXPECT_EQ(ReadIni("Comm", "Send", file, ""), " AT ");
}

TEST(UserSettings, WritesTheSectionsInTheirOrder) {
    IniDocument doc;
    SaveUserSettings(doc, UserSettings{}, "/elsewhere/x.hex", "/dir/a.mcu");
    EXPECT_EQ(doc.sectionNames(), (QStringList{"UserSet", "AddData", "Comm", "UserDown"}));
    EXPECT_EQ(doc.keys("UserSet"),
              (QStringList{"MCU", "UserDown", "AutoData", "AutoType", "AutoDown", "UserFile"}));
    EXPECT_EQ(doc.keys("Comm"), (QStringList{"Hex", "CrLf", "Timer", "Send"}));
    EXPECT_EQ(doc.keys("UserDown"), (QStringList{"Rest", "Run", "Timer", "Exe", "Cmd"}));
    EXPECT_EQ(doc.read("AddData", "Add", ""), "FFFC");
    EXPECT_EQ(doc.read("UserSet", "UserFile", "?"), "/elsewhere/x.hex");
    EXPECT_FALSE(doc.hasSection("Option"));  // no option values: nothing written
}

TEST(UserSettings, TheCodeFileBesideTheSettingsFileMovesWithIt) {
    IniDocument doc;
    SaveUserSettings(doc, UserSettings{}, "/proj/fw/main.hex", "/proj/fw/board.mcu");
    EXPECT_EQ(doc.read("UserSet", "UserFile", ""), "%AppPath%main.hex");
    EXPECT_EQ(ReadUserFile(doc, "/moved/"), "/moved/main.hex");
}

TEST(UserSettings, DefaultsOfAnEmptyFile) {
    UserSettings s;
    s.AutoData = false;  // a check box default of "1" is applied
    s.TermHex = false;
    LoadUserSettings(IniDocument{}, s);
    EXPECT_EQ(s, UserSettings{});
}

struct LoadCase {
    const char* text;
    int seriesCount;
    int mcu;
    bool useReset;  // previous value true
    quint16 address;
    int delayIndex;  // previous value 3
};

class LoadRules : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadRules, ClampOrKeep) {
    UserSettings s;
    s.UseResetCommand = true;
    s.RunDelayIndex = 3;
    LoadUserSettings(IniDocument::fromBytes(GetParam().text), s, GetParam().seriesCount);
    EXPECT_EQ(s.Mcu, GetParam().mcu);
    EXPECT_EQ(s.UseResetCommand, GetParam().useReset);
    EXPECT_EQ(s.IncAddress, GetParam().address);
    EXPECT_EQ(s.RunDelayIndex, GetParam().delayIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadRules,
    testing::Values(
        LoadCase{"[UserSet]\nMCU=7\nUserDown=0\n", 5, 0, false, 0xFFFC, 0},  // beyond the list
        LoadCase{"[UserSet]\nMCU=4\nUserDown=1\n", 5, 4, true, 0xFFFC, 0},
        LoadCase{"[UserSet]\nMCU=-2\nUserDown=2\n[UserDown]\nTimer=9\n", 5, 0, true, 0xFFFC, 3},
        LoadCase{"[AddData]\nAdd=12345\n[UserDown]\nTimer=6\n", 0, 1, false, 0x2345, 6},
        LoadCase{"[AddData]\nAdd=0c\n", 0, 1, false, 0x000C, 0},
        LoadCase{"[AddData]\nAdd=zz\n", 0, 1, false, 0x0000, 0}));

TEST(UserSettings, OptionValuesAreThoseOfTheSelectedSeries) {
    const IniDocument doc = IniDocument::fromBytes("[UserSet]\nMCU=2\n[Option]\n1=9,9\n2=1,,3\n");
    UserSettings s;
    LoadUserSettings(doc, s);
    EXPECT_EQ(s.OptionValues, "1,,3");
    EXPECT_EQ(ReadOptionValues(doc, 1), "9,9");
}

TEST(UserSettings, FitOptionValuesFillsOrCuts) {
    using V = std::vector<std::optional<int>>;
    EXPECT_EQ(FitOptionValues("1,,3", 5), (V{1, std::nullopt, 3, std::nullopt, std::nullopt}));
    EXPECT_EQ(FitOptionValues("1,2,3,4", 2), (V{1, 2}));
    EXPECT_EQ(FitOptionValues("", 2), (V{std::nullopt, std::nullopt}));
    EXPECT_TRUE(FitOptionValues("1,2", 0).empty());
}

TEST(UserSettings, RestSplitsAtTheLastSemicolon) {
    EXPECT_EQ(SplitRest("12;34;9600,N,8,1").Command, "12;34");
    EXPECT_EQ(SplitRest("12;34;9600,N,8,1").PortSettings, "9600,N,8,1");
    EXPECT_EQ(SplitRest(";9600,N,8,1").Command, "");
    EXPECT_EQ(SplitRest("19200,E,7,1").PortSettings, "19200,E,7,1");
}

TEST(UserSettings, ProgramToRunNamesOnlyRealPrograms) {
    UserSettings s;
    s.RunAfter = true;
    for (const char* builtin : {"APP", "app", "SEND", " Send ", ""}) {
        s.RunProgram = builtin;
        EXPECT_TRUE(ProgramToRun(s).isEmpty()) << builtin;
    }
    s.RunProgram = "/bin/echo";
    s.RunParameters = "hi";
    EXPECT_EQ(ProgramToRun(s), "/bin/echo hi");
    s.RunAfter = false;
    EXPECT_TRUE(ProgramToRun(s).isEmpty());
}

}  // namespace
}  // namespace korvan
