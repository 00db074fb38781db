// The settings dialog's rules: what opening shows, how the free-text boxes are tidied, and what
// OK keeps and changes.
#include <gtest/gtest.h>

#include "settings/settingsform.h"

using namespace korvan;

namespace {

struct TextCase {
    const char* typed;
    const char* shown;
};

TEST(SettingsForm, SecondsBecomeTheirNumberWithTheUnit) {
    const TextCase cases[] = {
        {"45", "45 秒"}, {"45 秒", "45 秒"}, {" 120秒", "120 秒"}, {"abc", "0 秒"},
        {"", "0 秒"},    {"3", "3 秒"},      {"-7", "-7 秒"},      {"&H1E", "30 秒"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(NormaliseSeconds(QString::fromUtf8(c.typed)), QString::fromUtf8(c.shown))
            << c.typed;
}

TEST(SettingsForm, RepeatCountBelowOneBecomesOne) {
    const TextCase cases[] = {
        {"0", "1"}, {"abc", "1"}, {"", "1"}, {"-5", "1"}, {"1", "1"}, {"25x", "25"}, {" 9", "9"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(NormaliseRepeatCount(QString::fromUtf8(c.typed)), QString::fromUtf8(c.shown))
            << c.typed;
}

TEST(SettingsForm, PercentLabelIsAFactorWithTwoDecimals) {
    const std::pair<int, const char*> cases[] = {{0, "0.00"},    {5, "0.05"},   {50, "0.50"},
                                                 {-30, "-0.30"}, {100, "1.00"}, {-100, "-1.00"}};
    for (const auto& [percent, label] : cases)
        EXPECT_EQ(PercentLabel(percent), QString::fromLatin1(label)) << percent;
}

ProgramConfig SampleConfig() {
    ProgramConfig config;
    config.SetTop = true;
    config.ComPort = 3;
    config.DownCount = 17;
    config.MaxBaud = 57600;
    config.ErrTim = 60;
    config.OpenRts = true;
    config.OpenLast = false;
    config.Count = true;
    config.AutoClose = false;
    config.ReCount = 8;
    config.SoundOpen = true;
    config.Sounds = {QStringLiteral("/a.wav"), QStringLiteral("/b.wav"), QString()};
    config.ColorOpen = true;
    config.Red = 20;
    config.Green = -10;
    config.Blue = 0;
    return config;
}

TEST(SettingsForm, OpeningShowsTheSettings) {
    const SettingsForm form = LoadSettingsForm(SampleConfig(), true, {true, false});
    EXPECT_EQ(form.MaxBaud, QStringLiteral("57600"));
    EXPECT_EQ(form.ErrTim, QStringLiteral("60 秒"));
    EXPECT_EQ(form.ReCount, QStringLiteral("8"));
    ProgramConfig unlimited = SampleConfig();
    unlimited.MaxBaud = 0;  // no limit: the highest rate
    EXPECT_EQ(LoadSettingsForm(unlimited, true, {}).MaxBaud, QStringLiteral("115200"));
    EXPECT_TRUE(form.OpenRts);
    EXPECT_TRUE(form.Count);
    EXPECT_FALSE(form.OpenLast);
    EXPECT_TRUE(form.IdeTool);
    EXPECT_EQ(form.Associated, (std::vector<bool>{true, false}));
    EXPECT_EQ(form.Percent, (std::array<int, 3>{20, -10, 0}));
    EXPECT_EQ(form.Sounds[1], QStringLiteral("/b.wav"));
}

TEST(SettingsForm, UnchangedFormKeepsEveryValue) {
    const ProgramConfig config = SampleConfig();
    const ProgramConfig after = ApplySettingsForm(LoadSettingsForm(config, false, {}), config);
    EXPECT_EQ(after.MaxBaud, config.MaxBaud);
    EXPECT_EQ(after.ErrTim, config.ErrTim);
    EXPECT_EQ(after.ReCount, config.ReCount);
    EXPECT_EQ(after.Sounds, config.Sounds);
    EXPECT_EQ(after.Red, config.Red);
    EXPECT_EQ(after.Green, config.Green);
    EXPECT_EQ(after.ColorOpen, config.ColorOpen);
    EXPECT_EQ(after.SoundOpen, config.SoundOpen);
}

TEST(SettingsForm, OkTakesTheFormAndLeavesWhatTheDialogDoesNotShow) {
    const ProgramConfig config = SampleConfig();
    SettingsForm form = LoadSettingsForm(config, false, {});
    form.MaxBaud = QStringLiteral("9600");
    form.ErrTim = QStringLiteral("3 秒");  // below the minimum: kept as typed
    form.ReCount = QStringLiteral("12");
    form.OpenLast = true;
    form.OpenRts = false;
    form.AutoClose = true;
    form.Count = false;
    form.SoundOpen = false;
    form.ColorOpen = false;
    form.Percent = {1, 2, 3};
    form.Database = QStringLiteral(" postgresql://line@db/production ");
    const ProgramConfig after = ApplySettingsForm(form, config);
    EXPECT_EQ(after.Database, "postgresql://line@db/production");
    EXPECT_EQ(after.MaxBaud, 9600);
    EXPECT_EQ(after.ErrTim, 3);
    EXPECT_EQ(after.ReCount, 12);
    EXPECT_TRUE(after.OpenLast);
    EXPECT_FALSE(after.OpenRts);
    EXPECT_TRUE(after.AutoClose);
    EXPECT_FALSE(after.Count);
    EXPECT_FALSE(after.SoundOpen);
    EXPECT_FALSE(after.ColorOpen);
    EXPECT_EQ((std::array<int, 3>{after.Red, after.Green, after.Blue}),
              (std::array<int, 3>{1, 2, 3}));
    EXPECT_TRUE(after.SetTop);
    EXPECT_EQ(after.ComPort, 3);
    EXPECT_EQ(after.DownCount, 17);
}

TEST(SettingsForm, PreviewFollowsTheColourSwitch) {
    SettingsForm form;
    form.Percent = {10, -20, 30};
    form.ColorOpen = true;
    EXPECT_EQ(PreviewPercent(form), (std::array<int, 3>{10, -20, 30}));
    form.ColorOpen = false;
    EXPECT_EQ(PreviewPercent(form), (std::array<int, 3>{0, 0, 0}));
}

}  // namespace
