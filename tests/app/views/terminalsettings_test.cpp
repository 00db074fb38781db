#include "views/terminalsettings.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

TEST(ComboItemValueTest, IsTheTextBeforeTheLastBlank) {
    EXPECT_EQ(ComboItemValue("9600 bps"), "9600");
    EXPECT_EQ(ComboItemValue("N (无)"), "N");
    EXPECT_EQ(ComboItemValue("8 位"), "8");
    EXPECT_EQ(ComboItemValue("1200"), "1200");
}

struct SyncCase {
    const char* name;
    QString stored;  // applied first, as the user settings would
    QString text;
    bool settingsOnly;
    QString result;
    QString command;
};

class SyncPortSettingsTest : public ::testing::TestWithParam<SyncCase> {};

TEST_P(SyncPortSettingsTest, SelectsKnownValuesAndKeepsTheRest) {
    const SyncCase& c = GetParam();
    TerminalSettings settings;
    settings.sync(c.stored, false);
    EXPECT_EQ(settings.sync(c.text, c.settingsOnly), c.result);
    EXPECT_EQ(settings.resetCommand(), c.command);
    EXPECT_EQ(settings.labelText(), "串口参数：" + settings.portSettingsText());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SyncPortSettingsTest,
    ::testing::Values(
        SyncCase{"defaults", "", "", false, ";9600,N,8,1", ""},
        SyncCase{"command_and_settings", "", "01 02;19200,E,7,2", false, "01 02;19200,E,7,2",
                 "01 02"},
        SyncCase{"settings_only_result", "", "AA;57600,O,8,1", true, "57600,O,8,1", "AA"},
        SyncCase{"unknown_baud_keeps_selection", "x;19200,E,7,1", ";1234,N,8,1", false,
                 ";19200,N,8,1", ""},
        SyncCase{"last_semicolon_splits", "", "a;b;4800,N,8,1", false, "a;b;4800,N,8,1", "a;b"},
        SyncCase{"no_semicolon_is_all_command", "", "9600,E,7,1", false, "9600,E,7,1;9600,E,7,1",
                 "9600,E,7,1"},
        SyncCase{"empty_text_only_reads", "cmd;38400,E,7,1", "", true, "38400,E,7,1", "cmd"},
        SyncCase{"fewer_parts", "", ";115200", false, ";115200,N,8,1", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PortPresetTest, APresetLeavesTheStoredCommandAndSelectsItsValues) {
    TerminalSettings settings;
    settings.sync("12 34;9600,N,8,1", false);
    QString preset;
    for (const QString& caption : PortPresetCaptions())
        if (caption.startsWith("&5")) preset = caption;
    ASSERT_EQ(preset, "&5 19200,E,7,1");
    EXPECT_EQ(settings.sync(settings.resetCommand() + ";" + PresetSettings(preset), true),
              "19200,E,7,1");
    EXPECT_EQ(settings.resetCommand(), "12 34");
    EXPECT_EQ(
        settings.items(TerminalSettings::Parity).at(settings.selected(TerminalSettings::Parity)),
        "E (偶)");
    EXPECT_EQ(PortPresetCaptions().size(), 9);
}

TEST(EffectivePortSettingsTest, ShortTextsFallBackToTheBaud) {
    EXPECT_EQ(EffectivePortSettings("4800", "19200,E,7,1"), "19200,E,7,1");
    EXPECT_EQ(EffectivePortSettings("4800", ""), "4800,N,8,1");
    EXPECT_EQ(EffectivePortSettings("4800", "9600,N"), "4800,N,8,1");
}

TEST(CounterTextTest, ShowsTheNumberAfterItsLabel) {
    EXPECT_EQ(SentCounterText(0), "发送: 0");
    EXPECT_EQ(ReceivedCounterText(4294967295u), "接收: 4294967295");
}

}  // namespace
}  // namespace korvan
