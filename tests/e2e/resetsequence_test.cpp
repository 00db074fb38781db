// A chip on a DTR-switched supply, booted by korvan-cli's reset sequence: zel-sim starts without
// power and only the sequence's DTR steps (carried by a FIFO, as a pty has no modem lines) switch
// it on. Without the sequence, or with one that never touches DTR, the chip stays silent and the
// wait times out; so the download succeeding proves the sequence booted it.
#include "e2eenv.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>

namespace e2e {
namespace {

struct PowerCase {
    const char* name;
    QStringList sequenceArgs;
    int exitCode;
    const char* logged;  // the sequence as the log announces it; "" = no announcement
};

class PoweredBySequence : public testing::TestWithParam<PowerCase> {};

TEST_P(PoweredBySequence, OnlyDtrPowerBootsTheChip) {
    const QString folder = newFolder();
    const QString channel = folder + "/lines";
    const QString report = folder + "/report.json";
    const QString imageOut = folder + "/flash.bin";
    SimProcess sim("D103", {"--power-on", channel, "--boot-delay", "30", "--erase-ms", "0",
                            "--report", report, "--image-out", imageOut, "--once"});
    ASSERT_TRUE(sim.start()) << sim.errorOutput().toStdString();

    const Bytes image = sampleImage(700, 51);
    const QString file = folder + "/code.bin";
    ASSERT_TRUE(writeFile(file, asBytes(image)));
    QProcessEnvironment env = programEnvironment();
    env.insert("KORVAN_TEST_MODEM_LINES", channel);
    // A chip that boots gets a wait long enough for a sequence and a boot many times over, even
    // under load; one that never can gives up sooner.
    const QString wait = GetParam().exitCode == 0 ? "20" : "3";
    const CliResult r =
        runCli(QStringList{"download", file, "-p", sim.path(), "--wait", wait, "--json"} +
                   GetParam().sequenceArgs,
               60000, env);
    ASSERT_TRUE(r.finished) << r.dump();
    EXPECT_EQ(r.exitCode, GetParam().exitCode) << r.dump();
    const QString logged = QString::fromUtf8(GetParam().logged);
    bool announced = false;
    for (const QString& line : r.logTexts()) announced |= line.startsWith("执行复位序列");
    EXPECT_EQ(announced, !logged.isEmpty()) << r.dump();
    if (!logged.isEmpty()) {
        EXPECT_TRUE(r.logged("执行复位序列 " + logged)) << r.dump();
    }
    if (GetParam().exitCode == 0) {
        // --once: the chip ends after the program run, with the flash and report written out.
        ASSERT_TRUE(sim.waitForExit(kPatienceMs)) << sim.errorOutput().toStdString();
        QFile flash(imageOut);
        ASSERT_TRUE(flash.open(QIODevice::ReadOnly));
        EXPECT_EQ(flash.read(qint64(image.size())), asBytes(image));
        QFile json(report);
        ASSERT_TRUE(json.open(QIODevice::ReadOnly));
        EXPECT_EQ(QJsonDocument::fromJson(json.readAll())["model"].toString(), "ZELH64AD");
    } else {
        EXPECT_EQ(r.summary().value("result").toString(), "timeout") << r.dump();
        EXPECT_FALSE(QFile::exists(imageOut)) << "the chip never ran a program";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Wirings, PoweredBySequence,
    testing::Values(PowerCase{"DtrPowerPreset", {"--reset-seq", "dtr-power"}, 0, "D0,W300,D1"},
                    PowerCase{"OwnSteps", {"--reset-seq=r0,D0,W100,d1"}, 0, "R0,D0,W100,D1"},
                    PowerCase{"NoSequence", {}, 4, ""},
                    PowerCase{"RtsOnly", {"--reset-seq", "rts-p10"}, 4, "R1"}),
    [](const auto& info) { return std::string(info.param.name); });

struct UsageCase {
    const char* name;
    const char* value;
    const char* error;
};

class BadResetSequence : public testing::TestWithParam<UsageCase> {};

TEST_P(BadResetSequence, IsAUsageErrorThatSaysWhere) {
    const CliResult r = runCli({"check", "-p", "/dev/null", "--reset-seq", GetParam().value});
    EXPECT_EQ(r.exitCode, 2) << r.dump();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(GetParam().error))) << r.dump();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadResetSequence,
    testing::Values(UsageCase{"BadLevel", "D0,W300,D2",
                              "--reset-seq：复位序列第 10 个字符：DTR 电平只能是 0 或 1"},
                    UsageCase{"TooLong", "D0,W4000,D1,W1001",
                              "--reset-seq：复位序列第 13 个字符：等待时间合计超过 5000 毫秒"},
                    UsageCase{"UnknownPreset", "dtr_power",
                              "复位序列第 1 个字符：未知步骤“dtr_power”"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResetSequenceHelp, NamesTheOptionAndBothPresets) {
    const CliResult r = runCli({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char* word : {"--reset-seq SEQ|PRESET", "dtr-power", "rts-p10", "D0,W300,D1"})
        EXPECT_TRUE(r.out.contains(QString::fromUtf8(word))) << word;
}

}  // namespace
}  // namespace e2e
