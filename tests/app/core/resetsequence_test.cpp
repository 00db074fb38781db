// Reset sequences: the steps a text gives, the presets, and where and why a bad text fails.
#include "core/resetsequence.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace korvan {
namespace {

using Kind = ResetStep::Kind;

ResetStep D(int level) {
    return {Kind::Dtr, level};
}
ResetStep R(int level) {
    return {Kind::Rts, level};
}
ResetStep W(int ms) {
    return {Kind::Wait, ms};
}

struct GoodCase {
    const char* name;
    const char* text;
    ResetSequence steps;
};

class GoodSequence : public testing::TestWithParam<GoodCase> {};

TEST_P(GoodSequence, GivesItsSteps) {
    const ResetSequenceParse parsed = ParseResetSequence(QString::fromUtf8(GetParam().text));
    ASSERT_TRUE(parsed.sequence) << parsed.errorText().toStdString();
    EXPECT_EQ(*parsed.sequence, GetParam().steps);
    EXPECT_TRUE(parsed.errorText().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GoodSequence,
    testing::Values(GoodCase{"Empty", "", {}}, GoodCase{"Blank", "   ", {}},
                    GoodCase{"PowerCycle", "D0,W200,D1", {D(0), W(200), D(1)}},
                    GoodCase{"AnyCase", "d0,w200,r1", {D(0), W(200), R(1)}},
                    GoodCase{"BlanksAroundSteps", " D0 , W5 ,R0 ", {D(0), W(5), R(0)}},
                    GoodCase{"LeadingZeros", "W0300,D1", {W(300), D(1)}},
                    GoodCase{
                        "WaitsUpToTheLimit", "D0,W2500,W2500,D1", {D(0), W(2500), W(2500), D(1)}},
                    GoodCase{"PresetDtrPower", "dtr-power", {D(0), W(300), D(1)}},
                    GoodCase{"PresetAnyCaseAndBlanks", "  RTS-P10 ", {R(1)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GoodSequenceLimit, ThirtyTwoStepsAreAllKept) {
    QStringList steps;
    ResetSequence expected;
    for (int i = 0; i < kResetMaxSteps; ++i) {
        steps << QStringLiteral("D%1").arg(i % 2);
        expected.push_back(D(i % 2));
    }
    const auto parsed = ParseResetSequence(steps.join(','));
    ASSERT_TRUE(parsed.sequence);
    EXPECT_EQ(*parsed.sequence, expected);
}

struct BadCase {
    const char* name;
    const char* text;
    int position;
    const char* error;
};

class BadSequence : public testing::TestWithParam<BadCase> {};

TEST_P(BadSequence, NamesThePlaceAndTheReason) {
    const ResetSequenceParse parsed = ParseResetSequence(QString::fromUtf8(GetParam().text));
    EXPECT_FALSE(parsed.sequence);
    EXPECT_EQ(parsed.position, GetParam().position);
    EXPECT_EQ(parsed.errorText(), QString::fromUtf8(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadSequence,
    testing::Values(
        BadCase{"UnknownLetter", "D0,X1", 4,
                "复位序列第 4 个字符：未知步骤“X1”，应为 D0、D1、R0、R1、W毫秒数或预设名称"},
        BadCase{"UnknownPreset", "dtr-powr", 1,
                "复位序列第 1 个字符：未知步骤“dtr-powr”，应为 D0、D1、R0、R1、W毫秒数或预设名称"},
        BadCase{"LevelTwo", "D0,W10,R2", 9, "复位序列第 9 个字符：RTS 电平只能是 0 或 1"},
        BadCase{"LevelMissingDigitAfterD", "D", 1,
                "复位序列第 1 个字符：未知步骤“D”，应为 D0、D1、R0、R1、W毫秒数或预设名称"},
        BadCase{"LevelTen", "D10", 2, "复位序列第 2 个字符：DTR 电平只能是 0 或 1"},
        BadCase{"EmptyStepInside", "D0,,D1", 4, "复位序列第 4 个字符：空步骤"},
        BadCase{"TrailingComma", "D0,W100,", 9, "复位序列第 9 个字符：空步骤"},
        BadCase{"LeadingComma", ",D0", 1, "复位序列第 1 个字符：空步骤"},
        BadCase{"WaitWithoutNumber", "D0,W", 5, "复位序列第 5 个字符：等待时间应为 1-5000 毫秒"},
        BadCase{"WaitZero", "D0,W0", 5, "复位序列第 5 个字符：等待时间应为 1-5000 毫秒"},
        BadCase{"WaitNegative", "D0,W-5", 5, "复位序列第 5 个字符：等待时间应为 1-5000 毫秒"},
        BadCase{"WaitTooLong", "D0,W5001", 5, "复位序列第 5 个字符：等待时间应为 1-5000 毫秒"},
        BadCase{"WaitHuge", "D0,W99999999999", 5, "复位序列第 5 个字符：等待时间应为 1-5000 毫秒"},
        BadCase{"WaitsAddUpTooLong", "D0,W3000,D1,W2001", 13,
                "复位序列第 13 个字符：等待时间合计超过 5000 毫秒"},
        BadCase{"OnlyWaits", "W100", 1, "复位序列第 1 个字符：序列中没有 DTR 或 RTS 步骤"},
        BadCase{"BlankBeforeBadStep", "D0,  Q", 6,
                "复位序列第 6 个字符：未知步骤“Q”，应为 D0、D1、R0、R1、W毫秒数或预设名称"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BadSequenceLimit, TheThirtyThirdStepIsRefused) {
    QStringList steps;
    for (int i = 0; i <= kResetMaxSteps; ++i) steps << QStringLiteral("R1");
    const auto parsed = ParseResetSequence(steps.join(','));
    EXPECT_FALSE(parsed.sequence);
    EXPECT_EQ(parsed.position, kResetMaxSteps * 3 + 1);
    EXPECT_EQ(parsed.errorText(), QStringLiteral("复位序列第 97 个字符：步骤超过 32 个"));
}

TEST(ResetPresets, EachPresetParsesAndReadsBackAsItsSteps) {
    ASSERT_EQ(ResetPresets().size(), 2u);
    for (const ResetPreset& preset : ResetPresets()) {
        const auto parsed = ParseResetSequence(preset.name);
        ASSERT_TRUE(parsed.sequence) << preset.name.toStdString();
        EXPECT_EQ(ResetSequenceText(*parsed.sequence), preset.steps);
    }
}

TEST(ResetSequenceText, IsCanonicalAndParsesBackToTheSameSteps) {
    const auto parsed = ParseResetSequence(QStringLiteral(" r1 , d0,w0050 ,D1"));
    ASSERT_TRUE(parsed.sequence);
    EXPECT_EQ(ResetSequenceText(*parsed.sequence), QStringLiteral("R1,D0,W50,D1"));
    EXPECT_EQ(ParseResetSequence(ResetSequenceText(*parsed.sequence)).sequence, parsed.sequence);
}

}  // namespace
}  // namespace korvan
