// How a korvan-cli run ends, as a script sees it: a cancelled series, a reader that goes away,
// JSON output that cannot be written or a usage error in JSON mode, a chip that leaves in the
// middle of a series, the cause of a failure in words, Chinese texts only, and a soft start at
// a high rate.
#include "e2eenv.h"
#include "zeldb.h"
#include "zelsim/virtualchip.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <csignal>

namespace e2e {
namespace {

zelsim::ChipOptions chipOptions(int rebootMs) {
    zelsim::ChipOptions o;
    o.model = "D103";
    o.dbPath = databasePath().toStdString();
    o.bootDelayMs = 30;
    o.eraseMs = 0;
    o.rebootMs = rebootMs;
    return o;
}

struct Chip {
    explicit Chip(zelsim::ChipOptions o) : chip(std::move(o)) {
        std::string error;
        EXPECT_TRUE(chip.start(&error)) << error;
    }
    QString path() const { return QString::fromStdString(chip.slavePath()); }
    zelsim::VirtualChip chip;
};

QString codeFile(size_t size, uint32_t seed) {
    const QString file = newFolder() + "/code.bin";
    writeFile(file, asBytes(sampleImage(size, seed)));
    return file;
}

TEST(Cancel, CtrlCAfterTheFirstOfThreeDownloadsCancelsTheSeries) {
    Chip chip(chipOptions(-1));  // the chip does not come back for a second download
    CliProcess cli({"download", codeFile(300, 31), "-p", chip.path(), "--repeat", "3", "--json"});
    ASSERT_TRUE(cli.waitForOutput(QStringLiteral("程序下载成功"), kPatienceMs));
    cli.signal(SIGINT);
    const CliResult r = cli.finish(kPatienceMs);
    EXPECT_EQ(r.exitCode, 1) << r.dump();
    EXPECT_EQ(r.summary().value("result").toString(), "cancelled") << r.dump();
    EXPECT_EQ(r.summary().value("completed").toInt(), 1);
}

TEST(Output, ReaderThatGoesAwayDoesNotStopTheDownload) {
    Chip chip(chipOptions(-1));
    const Bytes image = sampleImage(3000, 32);
    const QString file = newFolder() + "/code.bin";
    ASSERT_TRUE(writeFile(file, asBytes(image)));
    // head reads the first line and leaves; korvan-cli's next writes go to a closed pipe.
    const CliResult r =
        runCli({"-c", QStringLiteral("'%1' download '%2' -p '%3' | head -1; exit ${PIPESTATUS[0]}")
                          .arg(QStringLiteral(KORVAN_CLI_PATH), file, chip.path())},
               60000, programEnvironment(), QStringLiteral("/bin/bash"));
    EXPECT_EQ(r.exitCode, 0) << r.dump();
    const Bytes flash = chip.chip.image();
    ASSERT_GE(flash.size(), image.size());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), flash.begin()));
}

TEST(Output, JsonThatCannotBeWrittenIsAnError) {
    Chip chip(chipOptions(-1));
    const CliResult r = runCli({"-c", QStringLiteral("'%1' check -p '%2' --json >/dev/full")
                                          .arg(QStringLiteral(KORVAN_CLI_PATH), chip.path())},
                               60000, programEnvironment(), QStringLiteral("/bin/bash"));
    EXPECT_NE(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.err.contains(QStringLiteral("输出无法写入"))) << r.dump();
}

TEST(Output, UsageErrorInJsonModeEndsWithASummary) {
    const QStringList cases[] = {{"check", "--json", "--bogus"},
                                 {"check", "--json", "--lang", "fr"}};
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 2);
        const QJsonObject summary = r.summary();
        ASSERT_FALSE(summary.isEmpty()) << r.dump();
        EXPECT_EQ(summary.value("exit").toInt(), 2);
        EXPECT_EQ(summary.value("result").toString(), "usage-error");
        EXPECT_EQ(r.events.size(), 1u);
    }
}

// The summary says only what happened: the bytes the chip took, a rate only once the job
// switched to it, a model only with its ID.
struct SummaryCase {
    const char* name;
    QStringList simArgs;
    QStringList cliArgs;
    bool chip;     // a chip answered: model and ID
    bool rate;     // the rate was switched
    qint64 bytes;  // bytes the chip accepted
};

class Summary : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(Summary, TellsWhatTheChipTook) {
    const SummaryCase& c = GetParam();
    SimProcess sim("D103", QStringList{"--boot-delay", "30", "--erase-ms", "0"} + c.simArgs);
    ASSERT_TRUE(sim.start());
    const CliResult r =
        runCli(QStringList{"download", codeFile(700, 34), "-p", sim.path(), "--json"} + c.cliArgs);
    const QJsonObject s = r.summary();
    ASSERT_FALSE(s.isEmpty()) << r.dump();
    EXPECT_EQ(s.contains("model"), c.chip) << r.dump();
    EXPECT_EQ(s.contains("id"), c.chip) << r.dump();
    EXPECT_EQ(s.contains("baud"), c.rate) << r.dump();
    EXPECT_EQ(s.value("bytes").toInteger(), c.bytes) << r.dump();
}

INSTANTIATE_TEST_SUITE_P(
    Json, Summary,
    ::testing::Values(
        SummaryCase{"Success", {}, {}, true, true, 700},
        SummaryCase{"NoChip", {"--fault", "mute-sync"}, {"--wait", "1"}, false, false, 0},
        // Host packets 5 to 7 write block 0: their replies are lost, the job ends unwritten.
        SummaryCase{"FailsBeforeTheFirstBlock",
                    {"--fault", "drop=5", "--fault", "drop=6", "--fault", "drop=7"},
                    {},
                    true,
                    true,
                    0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Series, ChipThatLeavesMidSeriesGivesOneMessageAndAClosingLine) {
    const QString file = codeFile(300, 33);
    SimProcess sim("D103", {"--boot-delay", "30", "--erase-ms", "0", "--once"});
    ASSERT_TRUE(sim.start());
    const CliResult r =
        runCli({"download", file, "-p", sim.path(), "--repeat", "2", "--wait", "5"});
    EXPECT_NE(r.exitCode, 0) << r.dump();
    const QString all = r.out + r.err;
    EXPECT_TRUE(r.out.contains(QStringLiteral("1/2 完成"))) << r.dump();
    EXPECT_EQ(r.out.count(QStringLiteral("程序下载成功")), 1) << r.dump();
    // Whatever the port said, it says it once.
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QStringList problems;
    for (const QString& line : lines)
        if (line.contains(QStringLiteral("串口")) || line.contains(QStringLiteral("端口")))
            problems << line.mid(10);
    EXPECT_LE(problems.size(), 1) << all.toStdString();
}

TEST(Messages, FailedJobSaysWhyInWords) {
    Chip chip(chipOptions(-1));
    // The built-in database has no configure steps.
    const CliResult r = runCli({"configure", "-p", chip.path()});
    EXPECT_EQ(r.exitCode, 1) << r.dump();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    const qsizetype failed = lines.indexOf(QRegularExpression(".*  参数配置失败$"));
    ASSERT_GE(failed, 0) << r.dump();
    ASSERT_GT(lines.size(), failed + 1);
    EXPECT_TRUE(lines.at(failed + 1).endsWith(QStringLiteral("原因：数据库中没有这个任务的步骤")))
        << r.dump();
}

TEST(Messages, UnknownVirtualChipIsSaidInChinese) {
    const CliResult r = runCli({"check", "--sim", "ZZZZ"});
    EXPECT_EQ(r.exitCode, 2) << r.dump();
    const QString said = r.err.section('\n', 0, 0);
    EXPECT_TRUE(said.contains("ZZZZ")) << r.dump();
    // Besides the program's name, the model and the example, no word of English.
    QString rest = said;
    for (const char* allowed : {"korvan-cli", "ZZZZ", "D103", "ID"}) rest.remove(allowed);
    EXPECT_FALSE(rest.contains(QRegularExpression("[A-Za-z]{2,}"))) << said.toStdString();
}

TEST(SoftStart, HighRateSoftStartWorksEveryTime) {
    for (int run = 0; run < 6; ++run) {
        const CliResult r = runCli(
            {"check", "--sim", "D103", "--reset", "12 34;115200,N,8,1", "--wait", "2", "-q"});
        ASSERT_EQ(r.exitCode, 0) << "run " << run << "\n" << r.dump();
    }
}

}  // namespace
}  // namespace e2e
