// korvan-cli's command line end to end: exit codes, the time-out and its hints, JSON output,
// the increment, repeated downloads, the soft start, the code-file kinds, port numbers and
// Ctrl-C, each against a virtual chip on a real pseudo-terminal.
#include "core/inidocument.h"
#include "core/taskfile.h"
#include "e2eenv.h"
#include "mscomm.h"
#include "zeldb.h"
#include "zelsim/virtualchip.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <csignal>

namespace e2e {
namespace {

using namespace std::chrono_literals;

zelsim::ChipOptions chipOptions(const char* model = "D103") {
    zelsim::ChipOptions o;
    o.model = model;
    o.dbPath = databasePath().toStdString();
    o.bootDelayMs = 30;
    o.eraseMs = 0;
    o.rebootMs = -1;  // the chip keeps what it did in view until the test has looked
    return o;
}

// A running virtual chip; the test fails at once when it cannot start.
struct Chip {
    explicit Chip(zelsim::ChipOptions o = chipOptions()) : chip(std::move(o)) {
        std::string error;
        started = chip.start(&error);
        EXPECT_TRUE(started) << error;
    }
    QString path() const { return QString::fromStdString(chip.slavePath()); }
    bool holds(const Bytes& image, size_t at = 0) const {
        const Bytes flash = chip.image();
        return flash.size() >= at + image.size() &&
               std::equal(image.begin(), image.end(), flash.begin() + static_cast<long>(at));
    }
    zelsim::VirtualChip chip;
    bool started = false;
};

QString codeFile(const Bytes& image, const QString& name = "code.bin") {
    const QString file = newFolder() + "/" + name;
    writeFile(file, name.endsWith(".hex") ? intelHex(image) : asBytes(image));
    return file;
}

struct UsageCase {
    const char* name;
    QStringList args;
};

class UsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrors, ExitWithTwoAndSayWhy) {
    const CliResult r = runCli(GetParam().args);
    EXPECT_EQ(r.exitCode, 2) << r.dump();
    EXPECT_FALSE(r.err.trimmed().isEmpty()) << r.dump();
    EXPECT_FALSE(r.out.contains(QStringLiteral("程序下载成功")));
}

const QString kMissing = QStringLiteral("/nonexistent/zel0");

INSTANTIATE_TEST_SUITE_P(
    CommandLine, UsageErrors,
    ::testing::Values(
        UsageCase{"NoCommand", {}}, UsageCase{"UnknownCommand", {"flash"}},
        UsageCase{"UnknownOption", {"check", "-p", kMissing, "--bogus"}},
        UsageCase{"NoPort", {"check"}},
        UsageCase{"PortAndSim", {"check", "-p", kMissing, "--sim", "D103"}},
        UsageCase{"NoFile", {"download", "-p", kMissing}},
        UsageCase{"ZeroWait", {"check", "-p", kMissing, "--wait", "0"}},
        UsageCase{"BaudOutOfRange", {"check", "-p", kMissing, "--max-baud", "300"}},
        UsageCase{"AutoSeriesWithoutSeries",
                  {"download", "a.hex", "-p", kMissing, "--auto-series"}},
        UsageCase{"IncrementForCheck", {"check", "-p", kMissing, "--inc", "FFFC:%N:1"}},
        UsageCase{"BadIncrementAddress",
                  {"download", "a.hex", "-p", kMissing, "--inc", "1FFFC:%N:1"}},
        UsageCase{"BadIncrementNumber",
                  {"download", "a.hex", "-p", kMissing, "--inc", "FFFC:%N:x"}},
        UsageCase{"ResetWithoutSettings", {"check", "-p", kMissing, "--reset", "12 34"}},
        UsageCase{"ResetWithBadSettings", {"check", "-p", kMissing, "--reset", "12 34;9600,X,8,1"}},
        UsageCase{"MissingFile", {"download", "/nonexistent/code.hex", "--sim", "D103"}},
        UsageCase{"UnsupportedFile",
                  {"download", QStringLiteral(KORVAN_CLI_PATH), "--sim", "D103"}},
        UsageCase{"MissingDatabase", {"check", "--sim", "D103", "--db", "/nonexistent/zel.db"}},
        UsageCase{"SeriesOutOfRange", {"check", "--sim", "D103", "--series", "99"}},
        UsageCase{"UnknownSimModel", {"check", "--sim", "NOPE"}},
        UsageCase{"UnknownLanguage", {"check", "--sim", "D103", "--lang", "fr"}},
        UsageCase{"LanguageWithoutValue", {"check", "--sim", "D103", "--lang"}}),
    [](const ::testing::TestParamInfo<UsageCase>& info) { return std::string(info.param.name); });

TEST(CommandLine, EmptyHexFileIsAnInputError) {
    const QString file = newFolder() + "/empty.hex";
    ASSERT_TRUE(writeFile(file, ":00000001FF\r\n"));
    const CliResult r = runCli({"download", file, "--sim", "D103"});
    EXPECT_EQ(r.exitCode, 2) << r.dump();
}

TEST(CommandLine, HelpIsInTheProductsLanguageWithEnglishOptions) {
    const CliResult r = runCli({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char* text : {"用法：korvan-cli", "--max-baud", "--wait", "--series", "--json",
                             "退出码", "4  等待超时", "--option", "--options-from", "--allow-run",
                             "--ignore-checksums", "--ignore-hex-errors", "configure -p"})
        EXPECT_TRUE(r.out.contains(QString::fromUtf8(text))) << text;
}

TEST(Ports, MissingDeviceIsAPortError) {
    const CliResult r = runCli({"check", "-p", kMissing, "--wait", "1"});
    EXPECT_EQ(r.exitCode, 3) << r.dump();
    EXPECT_TRUE(r.err.contains(QStringLiteral("当前串口(/nonexistent/zel0)无效"))) << r.dump();
}

TEST(Ports, UnmappedPortNumberIsAPortError) {
    const CliResult r = runCli({"check", "-p", "COM99", "--wait", "1"});
    EXPECT_EQ(r.exitCode, 3) << r.dump();
    EXPECT_TRUE(r.err.contains(QStringLiteral("当前串口(COM99)无效"))) << r.dump();
}

TEST(Ports, PortHeldByAnotherProgramIsAPortError) {
    Chip chip;
    kserial::MSComm holder;
    ASSERT_TRUE(holder.setPortName(chip.path()));
    ASSERT_TRUE(holder.setPortOpen(true));
    const CliResult r = runCli({"check", "-p", chip.path(), "--wait", "1", "--json"});
    EXPECT_EQ(r.exitCode, 3) << r.dump();
    EXPECT_EQ(r.summary().value("result").toString(), "port-error");
    EXPECT_TRUE(r.out.contains(QStringLiteral("已经打开"))) << r.dump();
}

TEST(Ports, PortNumberFromTheConfiguredMap) {
    Chip chip;
    const QString home = newFolder();
    ASSERT_TRUE(writeFile(home + "/Config.ini",
                          QStringLiteral("[Ports]\nCOM7=%1\n").arg(chip.path()).toUtf8()));
    QProcessEnvironment env = programEnvironment();
    env.insert("KORVAN_HOME", home);
    const CliResult r = runCli({"check", "-p", "com7", "--wait", "10", "--json"}, kPatienceMs, env);
    EXPECT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.logged(QStringLiteral("检测到单片机：ZELH64AD")));
}

TEST(Series, CheckAdoptsTheSeriesOfTheChip) {
    zelsim::ChipOptions o = chipOptions();
    o.faults.otherSeries = true;
    Chip chip(o);
    const CliResult r = runCli({"check", "-p", chip.path(), "--series", "7", "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.logged(QStringLiteral("自动更换系列：ZEL51B 系列"))) << r.dump();
    EXPECT_TRUE(r.logged(QStringLiteral("参数检测完成")));
}

TEST(TimeOut, SilentChipEndsAfterTheWaitWithTheThreeHints) {
    zelsim::ChipOptions o = chipOptions();
    o.faults.muteSync = true;
    Chip chip(o);
    const CliResult r = runCli({"check", "-p", chip.path(), "--wait", "2", "--json"});
    EXPECT_EQ(r.exitCode, 4) << r.dump();
    const QStringList log = r.logTexts();
    const qsizetype timeOut = log.indexOf(QStringLiteral("通讯超时退出"));
    ASSERT_GE(timeOut, 0) << r.dump();
    EXPECT_EQ(log.mid(timeOut + 1, 4),
              (QStringList{"请确认单片机是否正确启动", "请确认下载时P1.0与P1.1是否需要接地",
                           "请确认串行通信口选择是否正确", "参数检测失败"}));
    // The countdown shows every second down to 0 and stops there.
    std::vector<int> shown;
    for (const QJsonObject& e : r.events)
        if (e.value("event").toString() == "wait") shown.push_back(e.value("seconds").toInt());
    EXPECT_EQ(shown, (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(r.summary().value("result").toString(), "timeout");
}

TEST(Json, SummaryTellsResultModelSizesAndTimings) {
    Chip chip;
    const Bytes image = sampleImage(1000, 3);
    const CliResult r = runCli({"download", codeFile(image), "-p", chip.path(), "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    const QJsonObject s = r.summary();
    EXPECT_EQ(s.value("result").toString(), "success");
    EXPECT_EQ(s.value("job").toString(), "download");
    EXPECT_EQ(s.value("model").toString(), "ZELH64AD");
    EXPECT_EQ(s.value("id").toString(), "D103");
    EXPECT_EQ(s.value("bytes").toInteger(), 1000);
    EXPECT_EQ(s.value("baud").toInteger(), 115200);
    const QJsonObject t = s.value("timings").toObject();
    EXPECT_GT(t.value("job_ms").toInteger(), 0);
    EXPECT_LE(t.value("wait_ms").toInteger() + t.value("job_ms").toInteger(),
              t.value("total_ms").toInteger());
    // Every event is an object of its own line, and progress climbs to 100.
    std::vector<int> progress;
    for (const QJsonObject& e : r.events)
        if (e.value("event").toString() == "progress")
            progress.push_back(e.value("percent").toInt());
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(r.events.size(), static_cast<size_t>(r.out.count('\n')));
    EXPECT_TRUE(chip.holds(image));
}

TEST(PlainOutput, TimedLinesAndPercentagesWithoutATerminal) {
    Chip chip;
    const CliResult r = runCli({"download", codeFile(sampleImage(2000, 4)), "-p", chip.path()});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    static const QRegularExpression timed(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d  +\\S"));
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines)
        EXPECT_TRUE(timed.match(line).hasMatch()) << line.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("  等待启动标志...\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("  设置波特率：115200bps...\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("  50%\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral(" 100%\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("  程序下载成功\n")));
}

TEST(PlainOutput, QuietShowsOnlyTheResult) {
    Chip chip;
    const CliResult r =
        runCli({"download", codeFile(sampleImage(300, 5)), "-p", chip.path(), "-q"});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << r.dump();
    EXPECT_TRUE(lines.first().endsWith(QStringLiteral("  程序下载成功")));
}

TEST(PlainOutput, VerboseTracesPacketsOnStandardError) {
    Chip chip;
    const CliResult r = runCli({"check", "-p", chip.path(), "-v"});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.err.contains(QStringLiteral("TX 7F x"))) << r.dump();
    EXPECT_TRUE(r.err.contains(QStringLiteral("reply 50,"))) << r.dump();
    EXPECT_FALSE(r.out.contains(QStringLiteral("TX ")));
}

TEST(Baud, HighestRateOfferedIsKept) {
    Chip chip;
    const CliResult r = runCli({"download", codeFile(sampleImage(300, 6)), "-p", chip.path(),
                                "--max-baud", "9600", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.logged(QStringLiteral("设置波特率：9600bps...")));
    EXPECT_EQ(r.summary().value("baud").toInteger(), 9600);
    EXPECT_EQ(chip.chip.snapshot().session.finalRate, 9600);
}

TEST(Increment, SerialNumberGoesIntoEveryChipAndAdvances) {
    zelsim::ChipOptions o = chipOptions();
    o.rebootMs = 100;  // the next chip is ready soon after the previous one
    Chip chip(o);
    const Bytes image = sampleImage(300, 8);
    const CliResult r = runCli({"download", codeFile(image), "-p", chip.path(), "--json", "--inc",
                                "FFF0:%NL4:41", "--repeat", "2", "--wait", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    const QStringList log = r.logTexts();
    for (const char* text : {"启动第 1 次重复下载", "下一个增量(N)：42", "启动第 2 次重复下载",
                             "下一个增量(N)：43", "共 2 次重复下载已全部完成"})
        EXPECT_TRUE(log.contains(QString::fromUtf8(text))) << text << "\n" << r.dump();
    EXPECT_EQ(r.summary().value("next_serial").toInteger(), 43);
    EXPECT_EQ(r.summary().value("completed").toInt(), 2);
    // Both chips were erased and written. (Whether the first one saw its end command is a
    // matter of the pseudo-terminal: the next job's rate change can overtake those bytes.)
    EXPECT_EQ(chip.chip.snapshot().counters.erases, 2u);
    // The second chip holds the code and the serial number 42 at FFF0.
    EXPECT_TRUE(chip.holds(image));
    EXPECT_TRUE(chip.holds(Bytes{0x00, 0x00, 0x00, 0x2A}, 0xFFF0));
}

TEST(Increment, DataBeyondTheFlashIsRefusedBeforeTheErase) {
    Chip chip(chipOptions("D106"));  // ZELH63RC: 64512 bytes of flash, up to FBFF
    const CliResult r = runCli({"download", codeFile(sampleImage(300, 13)), "-p", chip.path(),
                                "--json", "--inc", "FFFC:%N:1"});
    EXPECT_EQ(r.exitCode, 1) << r.dump();
    EXPECT_TRUE(
        r.logged(QStringLiteral("程序数据超出单片机的存储空间：需要 65536 字节，"
                                "ZELH63RC 只有 64512 字节")))
        << r.dump();
    EXPECT_TRUE(r.logged(QStringLiteral("程序下载失败")));
    EXPECT_EQ(chip.chip.snapshot().counters.erases, 0u);
}

TEST(SoftStart, ResetCommandWakesTheBootloader) {
    zelsim::ChipOptions o = chipOptions();
    // At the boot rate: a pseudo-terminal tells the chip the host's rate only as it is when the
    // chip reads, and a loaded machine may let the job's 1200 baud come first.
    o.softStart = zelsim::SoftStart{{0x12, 0x34}, 1200, 'N', 8, 1};
    Chip chip(o);
    const Bytes image = sampleImage(300, 9);
    const QString file = codeFile(image);

    const CliResult without = runCli({"download", file, "-p", chip.path(), "--wait", "1"});
    EXPECT_EQ(without.exitCode, 4) << without.dump();

    const CliResult r =
        runCli({"download", file, "-p", chip.path(), "--reset", "12 34;1200,N,8,1", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.logged(QStringLiteral("发送用户自定软启指令")));
    EXPECT_GE(chip.chip.snapshot().counters.softStarts, 1u);
    EXPECT_TRUE(chip.holds(image));
}

TEST(CodeFiles, ConfigurationNamesItsCodeFile) {
    Chip chip;
    const Bytes image = sampleImage(500, 10);
    const QString hex = codeFile(image, "code.hex");
    const QString mcu = QFileInfo(hex).absolutePath() + "/job.mcu";
    ASSERT_TRUE(writeFile(mcu, "[UserSet]\nUserFile=\"%AppPath%code.hex\"\n"));
    const CliResult r = runCli({"download", mcu, "-p", chip.path()});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(chip.holds(image));
}

TEST(CodeFiles, DownloadTaskCarriesItsBytes) {
    Chip chip;
    const Bytes image = sampleImage(700, 11);
    const QString task = newFolder() + "/job.mcp";
    ASSERT_TRUE(korvan::WriteTaskFile(task, korvan::IniDocument{},
                                      korvan::CodeBuffer(image.begin(), image.end()),
                                      newFolder() + "/"));
    const CliResult r = runCli({"download", task, "-p", chip.path()});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(chip.holds(image));
}

// Flashers that users know refuse a HEX file with damaged records; the option takes the
// warning instead.
TEST(CodeFiles, DamagedHexRecordsRefuseTheFileUnlessIgnored) {
    Chip chip;
    const Bytes image = sampleImage(64, 12);
    QByteArray hex = intelHex(image);
    const qsizetype eol = hex.indexOf("\r\n");
    hex[eol - 1] = hex[eol - 1] == '0' ? '1' : '0';  // the first record's checksum
    const QString file = newFolder() + "/damaged.hex";
    ASSERT_TRUE(writeFile(file, hex));
    const CliResult refused = runCli({"download", file, "-p", chip.path()});
    EXPECT_EQ(refused.exitCode, 2) << refused.dump();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("1 条记录校验和错误"))) << refused.dump();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--ignore-hex-errors"))) << refused.dump();
    EXPECT_EQ(chip.chip.snapshot().counters.erases, 0u);

    const CliResult r = runCli({"download", file, "-p", chip.path(), "--ignore-checksums"});
    EXPECT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.err.contains(QStringLiteral("1 条记录校验和错误"))) << r.dump();
}

// Cut short (a full disk, an interrupted copy), a HEX file loses its end record: what is left
// may be only the front of the code, and is not downloaded without being asked for.
TEST(CodeFiles, HexFileWithoutItsEndRecordIsRefusedUnlessAskedFor) {
    Chip chip;
    const Bytes image = sampleImage(64, 13);
    QByteArray hex = intelHex(image);
    ASSERT_TRUE(hex.endsWith(":00000001FF\r\n"));
    hex.chop(13);
    const QString file = newFolder() + "/cut.hex";
    ASSERT_TRUE(writeFile(file, hex));
    const CliResult refused = runCli({"download", file, "-p", chip.path()});
    EXPECT_EQ(refused.exitCode, 2) << refused.dump();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("没有文件结束记录"))) << refused.dump();
    EXPECT_TRUE(refused.err.contains(file)) << refused.dump();
    EXPECT_EQ(chip.chip.snapshot().counters.erases, 0u);

    const CliResult r = runCli({"download", file, "-p", chip.path(), "--ignore-hex-errors"});
    EXPECT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.err.contains(QStringLiteral("没有文件结束记录"))) << r.dump();
    EXPECT_TRUE(chip.holds(image, 0));
}

TEST(Configure, WritesTheOptionsWhenTheDatabaseHasAStepList) {
    // The built-in database has no configure steps: the job ends right after identification.
    {
        Chip chip;
        const CliResult r = runCli({"configure", "-p", chip.path(), "--json"});
        EXPECT_EQ(r.exitCode, 1) << r.dump();
        EXPECT_TRUE(r.logged(QStringLiteral("参数配置失败")));
    }
    QByteArray db = zel::EmbeddedDbImage();
    db.replace("[SPROC]\r\n", "[SPROC]\r\nD1=0,3,1,2,7,6,8\r\n");
    db.replace("[SPROC]\n", "[SPROC]\nD1=0,3,1,2,7,6,8\n");
    const QString dbFile = newFolder() + "/zel.db";
    ASSERT_TRUE(writeFile(dbFile, db));
    Chip chip;
    const CliResult r = runCli({"configure", "-p", chip.path(), "--db", dbFile, "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.logged(QStringLiteral("设置单片机选项...")));
    EXPECT_TRUE(r.logged(QStringLiteral("参数配置完成")));
    EXPECT_EQ(chip.chip.snapshot().counters.optionWrites, 1u);
}

TEST(Interrupt, CtrlCCancelsTheWaitingJob) {
    zelsim::ChipOptions o = chipOptions();
    o.faults.muteSync = true;
    Chip chip(o);
    CliProcess cli({"check", "-p", chip.path(), "--wait", "60"});
    ASSERT_TRUE(cli.waitForOutput(QStringLiteral("等待启动标志..."), kPatienceMs));
    cli.signal(SIGINT);
    const CliResult r = cli.finish(kPatienceMs);
    EXPECT_EQ(r.exitCode, 1) << r.dump();
    EXPECT_TRUE(r.out.contains(QStringLiteral("取消参数检测"))) << r.dump();
}

}  // namespace
}  // namespace e2e
