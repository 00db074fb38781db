// korvan-cli in either language: English only when asked (--lang en or KORVAN_LANG=en), never
// because of the locale, and never in JSON, which programs read.
#include "e2eenv.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

struct LanguageCase {
    const char* name;
    QStringList args;  // besides the download and its virtual chip
    std::vector<std::pair<QString, QString>> environment;
    QStringList present;  // lines (without their time) the output holds
    QStringList absent;   // texts it must not hold
    QString lastLine;     // the start of the last line, after its time
};

const QStringList kEnglish = {"Waiting for the chip to start...",
                              "Chip detected: ZELH64AD",
                              "Setting the baud rate: 115200 bps...",
                              "Erasing the flash...",
                              "Writing the program...",
                              "Download successful"};
const QStringList kChinese = {"等待启动标志...",          "检测到单片机：ZELH64AD",
                              "设置波特率：115200bps...", "擦除单片机程序...",
                              "写入单片机程序...",        "程序下载成功"};

class Languages : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(Languages, DownloadLogInTheChosenLanguage) {
    const LanguageCase& c = GetParam();
    QProcessEnvironment env = programEnvironment();
    for (const auto& [name, value] : c.environment) env.insert(name, value);
    const QString file = newFolder() + "/code.hex";
    ASSERT_TRUE(writeFile(file, intelHex(sampleImage(700, 24))));
    const CliResult r =
        runCli(QStringList{"download", file, "--sim", "D103"} + c.args, kPatienceMs, env);
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    QStringList lines;
    for (const QString& line : r.out.split('\n', Qt::SkipEmptyParts))
        lines << line.mid(line.indexOf(QLatin1Char(' '))).trimmed();  // without the time
    for (const QString& line : c.present)
        EXPECT_TRUE(lines.contains(line)) << line.toStdString() << r.dump();
    for (const QString& text : c.absent) EXPECT_FALSE(r.out.contains(text)) << text.toStdString();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().startsWith(c.lastLine)) << r.dump();
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, Languages,
    ::testing::Values(
        LanguageCase{"LangOption", {"--lang", "en"}, {}, kEnglish, kChinese, "Wrote 700 bytes at "},
        LanguageCase{
            "LangOptionWithEquals", {"--lang=en"}, {}, kEnglish, kChinese, "Wrote 700 bytes at "},
        LanguageCase{
            "Environment", {}, {{"KORVAN_LANG", "en"}}, kEnglish, kChinese, "Wrote 700 bytes at "},
        LanguageCase{"OptionBeatsEnvironment",
                     {"--lang", "zh"},
                     {{"KORVAN_LANG", "en"}},
                     kChinese,
                     kEnglish,
                     "共写入 700 字节，"},
        // Scripts that parse today's output run on English desktops too.
        LanguageCase{"EnglishLocaleStaysChinese",
                     {},
                     {{"LANG", "en_US.UTF-8"}, {"LC_ALL", "en_US.UTF-8"}, {"LANGUAGE", "en"}},
                     kChinese,
                     kEnglish,
                     "共写入 700 字节，"}),
    [](const ::testing::TestParamInfo<LanguageCase>& info) {
        return std::string(info.param.name);
    });

// JSON's texts are what programs match: the same with or without --lang en.
TEST(Languages, JsonDoesNotChangeWithTheLanguage) {
    const QString file = newFolder() + "/code.hex";
    ASSERT_TRUE(writeFile(file, intelHex(sampleImage(300, 25))));
    const CliResult chinese = runCli({"download", file, "--sim", "D103", "--json"});
    const CliResult english = runCli({"download", file, "--sim", "D103", "--json", "--lang", "en"});
    ASSERT_EQ(chinese.exitCode, 0) << chinese.dump();
    ASSERT_EQ(english.exitCode, 0) << english.dump();
    EXPECT_TRUE(english.logged(QStringLiteral("程序下载成功"))) << english.dump();
    EXPECT_EQ(english.logTexts(), chinese.logTexts());
    EXPECT_EQ(english.summary().value("message"), chinese.summary().value("message"));
}

// What the user reads before any job: the help, the chip's options, a mistake in an option.
TEST(Languages, HelpChipAndMistakesInEnglish) {
    const struct {
        QStringList args;
        int exitCode;
        QString expected;
        QString notExpected;
    } cases[] = {
        {{"--help", "--lang", "en"}, 0, "Usage: korvan-cli <command> [options]", "用法"},
        {{"--help", "--lang", "en"}, 0, "  --lang en|zh ", "退出码"},
        {{"--help"}, 0, "  --lang en|zh ", "Usage:"},
        {{"check", "--sim", "D103", "--lang", "en"},
         0,
         "1  Clock source: 0 External    (choices: 0 External, 1 Internal RC)",
         "MCU 时钟源"},
        {{"check", "--sim", "D103", "--lang", "en"},
         0,
         "    Clock source: External\n",
         "外部晶振或时钟"},
        {{"check", "--sim", "D103", "--lang", "en", "--bogus"},
         2,
         "unknown option: --bogus",
         "未知选项"},
        {{"configure", "--sim", "D103", "--lang", "en", "--option", "Oscillator gain=none"},
         2,
         "Option \"Oscillator gain\" has no choice \"none\"; choose from: 0 High, 1 Low (<12M)",
         "振荡器增益"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(c.args);
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(r.exitCode, c.exitCode) << r.dump();
        EXPECT_TRUE((r.out + r.err).contains(c.expected)) << r.dump();
        EXPECT_FALSE((r.out + r.err).contains(c.notExpected)) << r.dump();
    }
}

}  // namespace
}  // namespace e2e
