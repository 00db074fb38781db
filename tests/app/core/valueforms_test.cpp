#include "core/valueforms.h"
#include "core/apppaths.h"

#include <gtest/gtest.h>
#include <QDir>

namespace korvan {
namespace {

struct NumberCase {
    const char* text;
    qint64 value;
};

class LeadingNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumber, ReadsTheNumberAtTheStart) {
    EXPECT_EQ(ParseLeadingNumber(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeadingNumber,
    testing::Values(NumberCase{"", 0}, NumberCase{"abc", 0}, NumberCase{"  42", 42},
                    NumberCase{"\t7x", 7}, NumberCase{"-3", -3}, NumberCase{"+5", 5},
                    NumberCase{"12 34", 12}, NumberCase{"3.9", 3}, NumberCase{"&HFF", 255},
                    NumberCase{"&hfffc", 0xFFFC}, NumberCase{"&H", 0}, NumberCase{"&HFFG1", 255},
                    NumberCase{"99999999999999999999999", std::numeric_limits<qint64>::max()}));

TEST(LeadingNumber, Int32FormSaturates) {
    EXPECT_EQ(ParseLeadingInt32(u"5000000000"), std::numeric_limits<qint32>::max());
    EXPECT_EQ(ParseLeadingInt32(u"-5000000000"), std::numeric_limits<qint32>::min());
}

struct BoolCase {
    const char* text;
    std::optional<bool> value;
};

class BoolText : public testing::TestWithParam<BoolCase> {};

TEST_P(BoolText, AcceptsTrueFalseAndNumbersOnly) {
    EXPECT_EQ(ParseBoolText(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Cases, BoolText,
                         testing::Values(BoolCase{"True", true}, BoolCase{"false", false},
                                         BoolCase{" TRUE ", true}, BoolCase{"-1", true},
                                         BoolCase{"0", false}, BoolCase{"2.5", true},
                                         BoolCase{"0.0", false}, BoolCase{"&H0", false},
                                         BoolCase{"yes", std::nullopt}, BoolCase{"", std::nullopt},
                                         BoolCase{"1x", std::nullopt}));

TEST(AppPathToken, OnlyALeadingFolderIsCollapsed) {
    EXPECT_EQ(CollapseAppPath("/opt/k/snd/a.wav", "/opt/k/"), "%AppPath%snd/a.wav");
    EXPECT_EQ(CollapseAppPath("/home/x/opt/k/a.wav", "/opt/k/"), "/home/x/opt/k/a.wav");
    EXPECT_EQ(CollapseAppPath("/opt/kk/a.wav", "/opt/k/"), "/opt/kk/a.wav");
}

TEST(AppPathToken, ExpansionHonoursTheRequestedLetterCase) {
    EXPECT_EQ(ExpandAppPath("%apppath%a.wav", "/k/", Qt::CaseInsensitive), "/k/a.wav");
    EXPECT_EQ(ExpandAppPath("%apppath%a.hex", "/k/", Qt::CaseSensitive), "%apppath%a.hex");
    EXPECT_EQ(ExpandAppPath("%AppPath%a.hex", "/k/", Qt::CaseSensitive), "/k/a.hex");
}

TEST(AppPaths, KorvanHomeAndRegistryOverridesAreHonoured) {
    // The test binary isolates itself (testsupport.cpp) into a scratch folder.
    const AppPaths paths = AppPaths::detect();
    EXPECT_EQ(paths.AppPath, WithTrailingSlash(qEnvironmentVariable("KORVAN_HOME")));
    EXPECT_EQ(paths.RegistryFile, qEnvironmentVariable("KORVAN_REGISTRY"));
    EXPECT_TRUE(paths.TempPath.endsWith('/'));
    EXPECT_TRUE(QDir(paths.AppPath).exists());
    EXPECT_EQ(paths.configFile(), paths.AppPath + "Config.ini");
}

}  // namespace
}  // namespace korvan
