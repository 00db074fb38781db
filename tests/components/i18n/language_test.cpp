#include "language.h"

#include <gtest/gtest.h>

namespace korvan::i18n {
namespace {

using L = Language;

struct ChoiceCase {
    const char* name;
    QStringList arguments;  // without the program's name
    QByteArray environment;
    Language language;
    bool error;
};

TEST(LanguageChoice, CommandLineThenEnvironmentThenChinese) {
    const ChoiceCase cases[] = {
        {"nothing: Chinese", {}, "", L::Chinese, false},
        {"the locale is no choice", {QStringLiteral("check")}, "", L::Chinese, false},
        {"--lang en", {QStringLiteral("--lang"), QStringLiteral("en")}, "", L::English, false},
        {"--lang=en after the command",
         {QStringLiteral("download"), QStringLiteral("a.hex"), QStringLiteral("--lang=EN")},
         "",
         L::English,
         false},
        {"the option beats the environment",
         {QStringLiteral("--lang"), QStringLiteral("zh")},
         "en",
         L::Chinese,
         false},
        {"the last option wins",
         {QStringLiteral("--lang=zh"), QStringLiteral("--lang"), QStringLiteral("en")},
         "",
         L::English,
         false},
        {"KORVAN_LANG=en", {QStringLiteral("check")}, "en", L::English, false},
        {"KORVAN_LANG with spaces", {}, " en ", L::English, false},
        {"KORVAN_LANG=zh", {}, "zh", L::Chinese, false},
        {"unknown language",
         {QStringLiteral("--lang"), QStringLiteral("de")},
         "",
         L::Chinese,
         true},
        {"a locale name is no language code",
         {QStringLiteral("--lang=en_US")},
         "",
         L::Chinese,
         true},
        {"--lang without a value",
         {QStringLiteral("check"), QStringLiteral("--lang")},
         "",
         L::Chinese,
         true},
        {"--lang= empty", {QStringLiteral("--lang=")}, "", L::Chinese, true},
        {"unknown KORVAN_LANG", {}, "fr", L::Chinese, true},
        {"after -- it is a file name",
         {QStringLiteral("--"), QStringLiteral("--lang"), QStringLiteral("en")},
         "",
         L::Chinese,
         false},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto choice = languageFromCommandLine(
            QStringList{QStringLiteral("prog")} + c.arguments, c.environment);
        EXPECT_EQ(choice.language, c.language);
        EXPECT_EQ(!choice.error.isEmpty(), c.error) << choice.error.toStdString();
        // The error is shown before any language is chosen: it must say it in both.
        if (c.error) {
            EXPECT_TRUE(choice.error.contains(QStringLiteral("zh or en")))
                << choice.error.toStdString();
            EXPECT_TRUE(choice.error.contains(QStringLiteral("zh 或 en")))
                << choice.error.toStdString();
        }
    }
}

TEST(LanguageChoice, OptionsRemovedForOtherParsers) {
    const struct {
        QStringList in;
        QStringList out;
    } cases[] = {
        {{"p", "check", "--lang", "en", "-p", "COM1"}, {"p", "check", "-p", "COM1"}},
        {{"p", "--lang=zh", "download", "a.hex"}, {"p", "download", "a.hex"}},
        {{"p", "download", "--", "--lang", "en"}, {"p", "download", "--", "--lang", "en"}},
        {{"p", "-v"}, {"p", "-v"}},
        // A program literally named --lang is still the program.
        {{"--lang", "x"}, {"--lang", "x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withoutLanguageOption(c.in), c.out) << c.in.join(' ').toStdString();
}

}  // namespace
}  // namespace korvan::i18n
