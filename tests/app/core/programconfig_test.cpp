#include "core/programconfig.h"
#include "core/prompt.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

struct ConfigCase {
    const char* config;  // the [Config] lines
    int comPort, errTim, reCount, downCount, maxBaud;
};

class LoadConfigRules : public testing::TestWithParam<ConfigCase> {};

TEST_P(LoadConfigRules, ClampsOnLoad) {
    test::TempHome home;
    home.write(home.paths().configFile(), QByteArray("[Config]\n") + GetParam().config);
    const ProgramConfig c = LoadConfig(home.paths());
    EXPECT_EQ(c.ComPort, GetParam().comPort);
    EXPECT_EQ(c.ErrTim, GetParam().errTim);
    EXPECT_EQ(c.ReCount, GetParam().reCount);
    EXPECT_EQ(c.DownCount, GetParam().downCount);
    EXPECT_EQ(c.MaxBaud, GetParam().maxBaud);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadConfigRules,
    testing::Values(ConfigCase{"", 1, 30, 10, 0, 0},  // defaults
                    ConfigCase{"ErrTim=3\nReCount=0\nComPort=0\n", 1, 5, 1, 0, 0},
                    ConfigCase{"ErrTim=-60\nReCount=-4\nComPort=-3\n", 3, 60, 1, 0, 0},
                    ConfigCase{"ErrTim=4x\nComPort=70000\nDownCount=-12\nMaxBaud=-115200\n", 1, 5,
                               10, 12, 115200},
                    ConfigCase{"ComPort=&H2\nErrTim=abc\nReCount=7 times\n", 2, 5, 7, 0, 0},
                    ConfigCase{"MaxBaud=460800\n", 1, 30, 10, 0, 460800},
                    ConfigCase{"MaxBaud=-921600\n", 1, 30, 10, 0, 921600},
                    ConfigCase{"MaxBaud=3000000\n", 1, 30, 10, 0, 921600}));

TEST(LoadConfig, BooleansFollowTheirDefaultsAndKeepThePreviousValueWhenMalformed) {
    test::TempHome home;
    home.write(home.paths().configFile(), "[Config]\nSetTop=-1\nOpenRts=yes\nCount=0\n");
    const ProgramConfig first = LoadConfig(home.paths());
    EXPECT_TRUE(first.SetTop);
    EXPECT_FALSE(first.OpenRts);  // malformed: the value before the first load, false
    EXPECT_TRUE(first.OpenLast);  // missing: default True
    EXPECT_FALSE(first.Count);
    EXPECT_FALSE(first.AutoClose);

    ProgramConfig previous;
    previous.OpenRts = true;
    EXPECT_TRUE(LoadConfig(home.paths(), previous).OpenRts);
}

// The production record is on unless switched off; its database and station are free text.
TEST(LoadConfig, ProductionRecordIsOnUnlessSwitchedOff) {
    const struct {
        const char* text;
        bool record;
        const char* database;
    } cases[] = {
        {"", true, ""},
        {"[Production]\nRecord=0\n", false, ""},
        {"[Production]\nRecord=False\n", false, ""},
        {"[Production]\nDatabase=\" postgresql://u@h/db \"\n", true, "postgresql://u@h/db"},
    };
    for (const auto& c : cases) {
        test::TempHome home;
        home.write(home.paths().configFile(), c.text);
        const ProgramConfig config = LoadConfig(home.paths());
        EXPECT_EQ(config.Record, c.record) << c.text;
        EXPECT_EQ(config.Database, c.database) << c.text;
    }
}

TEST(LoadConfig, SoundFilesExpandTheAppPathTokenInAnyLetterCase) {
    test::TempHome home;
    home.write(home.paths().configFile(),
               "[Sound]\nOpen=True\nMsg0=%AppPath%ok.wav\nMsg1=%APPPATH%done.wav\n"
               "Msg2=/usr/share/err.wav\n");
    const ProgramConfig c = LoadConfig(home.paths());
    EXPECT_TRUE(c.SoundOpen);
    EXPECT_EQ(c.Sounds[0], home.paths().AppPath + "ok.wav");
    EXPECT_EQ(c.Sounds[1], home.paths().AppPath + "done.wav");
    EXPECT_EQ(c.Sounds[2], "/usr/share/err.wav");
}

// Sounds the user never chose are the shipped ones; a sound chosen as none stays none.
struct ShippedSoundCase {
    const char* name;
    const char* sound;                    // the [Sound] lines
    std::array<const char*, 3> expected;  // "" none, "shipped/" + name a shipped file
};

class ShippedSounds : public testing::TestWithParam<ShippedSoundCase> {};

TEST_P(ShippedSounds, StandInForSoundsNeverChosen) {
    test::TempHome home;
    const QString shipped = home.path("shipped/");
    home.write(shipped + "ok.wav", "RIFF");
    home.write(shipped + "error.wav", "RIFF");  // no done.wav
    home.write(home.paths().configFile(), QByteArray("[Sound]\n") + GetParam().sound);
    const ProgramConfig c = LoadConfig(home.paths(), {}, home.path("shipped"));
    for (size_t i = 0; i < 3; ++i) {
        const QString expected = QString::fromUtf8(GetParam().expected[i]);
        EXPECT_EQ(c.Sounds[i], expected.startsWith("shipped/") ? home.path(expected) : expected)
            << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ShippedSounds,
                         testing::Values(
                             ShippedSoundCase{
                                 "NeverChosen", "", {"shipped/ok.wav", "", "shipped/error.wav"}},
                             ShippedSoundCase{"ChosenAsNone", "Msg0=\nMsg2=\n", {"", "", ""}},
                             ShippedSoundCase{"ChosenFiles",
                                              "Msg0=/s/a.wav\nMsg1=/s/b.wav\n",
                                              {"/s/a.wav", "/s/b.wav", "shipped/error.wav"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SaveConfig, RoundTripsAndStoresSoundsRelativeToTheApplication) {
    test::TempHome home;
    home.write(home.paths().configFile(), "[ListMenu]\nList0=/x.hex\n");
    ProgramConfig c = LoadConfig(home.paths());
    c.OpenRts = false;
    c.ErrTim = 90;
    c.ReCount = 3;
    c.MaxBaud = 57600;
    c.AutoClose = true;
    c.SoundOpen = true;
    c.Sounds = {home.paths().AppPath + "a.wav", "/b.wav", ""};
    c.ColorOpen = true;
    c.Red = 20;
    c.Blue = -10;
    c.Database = QStringLiteral("postgresql://line@db/production");
    ASSERT_TRUE(SaveConfig(home.paths(), c));
    const QByteArray text = test::TempHome::read(home.paths().configFile());
    EXPECT_TRUE(text.contains("Msg0=%AppPath%a.wav"));
    EXPECT_TRUE(text.contains("[ListMenu]\nList0=/x.hex"));  // other sections kept
    const ProgramConfig back = LoadConfig(home.paths());
    EXPECT_EQ(back.Sounds, c.Sounds);
    EXPECT_EQ(back.ErrTim, 90);
    EXPECT_EQ(back.ReCount, 3);
    EXPECT_EQ(back.MaxBaud, 57600);
    EXPECT_FALSE(back.OpenRts);
    EXPECT_TRUE(back.AutoClose);
    EXPECT_TRUE(back.ColorOpen);
    EXPECT_EQ(back.Red, 20);
    EXPECT_EQ(back.Blue, -10);
    EXPECT_EQ(back.Database, "postgresql://line@db/production");
}

struct PromptCase {
    bool open, autoClose;
    const char* sound;
    bool flag;
    std::optional<QString> file;
    bool wait;
};

class ChoosePromptCases : public testing::TestWithParam<PromptCase> {};

TEST_P(ChoosePromptCases, PicksFileAndWaiting) {
    ProgramConfig c;
    c.SoundOpen = GetParam().open;
    c.AutoClose = GetParam().autoClose;
    c.Sounds = {"/s/ok.wav", "", "/s/err.wav"};
    const auto prompt = ChoosePrompt(c, GetParam().sound, GetParam().flag);
    ASSERT_EQ(prompt.has_value(), GetParam().file.has_value());
    if (!prompt) return;
    EXPECT_EQ(prompt->File, *GetParam().file);
    EXPECT_EQ(prompt->Wait, GetParam().wait);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChoosePromptCases,
    testing::Values(PromptCase{false, false, "0", false, std::nullopt, false},
                    PromptCase{true, false, "0", true, QString("/s/ok.wav"), false},
                    PromptCase{true, true, "2", true, QString("/s/err.wav"), true},
                    PromptCase{true, true, "2", false, QString("/s/err.wav"), false},
                    PromptCase{true, false, "1", false, std::nullopt, false},  // none set
                    PromptCase{true, false, "/x/y.wav", false, QString("/x/y.wav"), false}));

struct ResetSeqCase {
    const char* name;
    const char* config;  // the [Config] lines
    const char* kept;    // what ResetSeq holds after the load
};

class ResetSeqOnLoad : public testing::TestWithParam<ResetSeqCase> {};

TEST_P(ResetSeqOnLoad, KeepsOnlyASequenceThatParses) {
    test::TempHome home;
    home.write(home.paths().configFile(),
               QByteArray("[Config]\nOpenRts=False\n") + GetParam().config);
    const ProgramConfig c = LoadConfig(home.paths());
    EXPECT_EQ(c.ResetSeq, QString::fromUtf8(GetParam().kept));
    EXPECT_FALSE(c.OpenRts) << "the neighbouring key is read as before";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResetSeqOnLoad,
    testing::Values(
        // A file from before the key existed: no sequence, the chip is restarted by hand.
        ResetSeqCase{"OlderFileWithoutTheKey", "", ""},
        ResetSeqCase{"Preset", "ResetSeq=dtr-power\n", "dtr-power"},
        ResetSeqCase{"QuotedSteps", "ResetSeq=\" D0,W300,D1 \"\n", "D0,W300,D1"},
        ResetSeqCase{"BrokenByHand", "ResetSeq=D0,W300,D7\n", ""},
        ResetSeqCase{"TooLong", "ResetSeq=D0,W5000,D1,W1\n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveResetSequence, RoundTripsAndLeavesTheOtherKeysAlone) {
    test::TempHome home;
    home.write(home.paths().configFile(), "[Config]\nOpenRts=False\nErrTim=12\n");
    ASSERT_TRUE(SaveResetSequence(home.paths(), QStringLiteral("r1,W50,D0,W250,D1")));
    ProgramConfig c = LoadConfig(home.paths());
    EXPECT_EQ(c.ResetSeq, QStringLiteral("r1,W50,D0,W250,D1"));
    EXPECT_FALSE(c.OpenRts);
    EXPECT_EQ(c.ErrTim, 12);

    // The settings dialog's save keeps the page's choice.
    c.ErrTim = 20;
    ASSERT_TRUE(SaveConfig(home.paths(), c));
    EXPECT_EQ(LoadConfig(home.paths()).ResetSeq, QStringLiteral("r1,W50,D0,W250,D1"));

    ASSERT_TRUE(SaveResetSequence(home.paths(), QString()));
    EXPECT_EQ(LoadConfig(home.paths()).ResetSeq, QString());
}

struct LanguageCase {
    const char* name;
    const char* config;  // the [Config] lines
    i18n::Language read;
};

class LanguageOnLoad : public testing::TestWithParam<LanguageCase> {};

// Chinese unless the file says English: a missing, empty or mistyped key never switches.
TEST_P(LanguageOnLoad, IsChineseUnlessTheFileSaysEnglish) {
    test::TempHome home;
    home.write(home.paths().configFile(),
               QByteArray("[Config]\nOpenRts=False\n") + GetParam().config);
    ProgramConfig previous;
    previous.Language = i18n::Language::English;
    EXPECT_EQ(LoadConfig(home.paths(), previous).Language, GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageOnLoad,
    testing::Values(LanguageCase{"OlderFileWithoutTheKey", "", i18n::Language::Chinese},
                    LanguageCase{"English", "Language=en\n", i18n::Language::English},
                    LanguageCase{"EnglishAnyCase", "language=\" EN \"\n", i18n::Language::English},
                    LanguageCase{"Chinese", "Language=zh\n", i18n::Language::Chinese},
                    LanguageCase{"Empty", "Language=\n", i18n::Language::Chinese},
                    LanguageCase{"Unknown", "Language=fr\n", i18n::Language::Chinese}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveLanguage, RoundTripsAndSurvivesTheSettingsDialog) {
    test::TempHome home;
    home.write(home.paths().configFile(), "[Config]\nErrTim=12\n[Ports]\nCOM1=/dev/ttyUSB0\n");
    ASSERT_TRUE(SaveLanguage(home.paths(), i18n::Language::English));
    ProgramConfig c = LoadConfig(home.paths());
    EXPECT_EQ(c.Language, i18n::Language::English);
    EXPECT_EQ(c.ErrTim, 12);
    ASSERT_TRUE(SaveConfig(home.paths(), c));
    EXPECT_EQ(LoadConfig(home.paths()).Language, i18n::Language::English);
    EXPECT_TRUE(home.read(home.paths().configFile()).contains("COM1=/dev/ttyUSB0"));
    ASSERT_TRUE(SaveLanguage(home.paths(), i18n::Language::Chinese));
    EXPECT_TRUE(home.read(home.paths().configFile()).contains("Language=zh"));
}

}  // namespace
}  // namespace korvan
