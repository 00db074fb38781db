// The faults the virtual chip can commit, each against a download by korvan-cli: the job ends
// with the right message and exit code, and whatever it says, it never reports success unless
// the image is in the chip's flash.
#include "e2eenv.h"

#include <gtest/gtest.h>

#include <QFile>

namespace e2e {
namespace {

struct FaultCase {
    const char* name;
    QStringList simArgs;  // the fault, as a user would give it to zel-sim
    QStringList cliArgs;  // besides the file and the port
    int exitCode;
    QString message;  // a log line the run must show
    int baud = 0;     // the summary's rate, when the case is about it
};

// The series index of the D1 series (D103, ZELH64AD) in the built-in database.
const QString kD1Series = QStringLiteral("7");

class Faults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(Faults, EndWithTheRightMessageAndNeverFakeSuccess) {
    const FaultCase& c = GetParam();
    const QString folder = newFolder();
    const QString flashFile = folder + "/flash.bin";
    const Bytes image = sampleImage(700, 7);
    const QString file = folder + "/code.bin";
    ASSERT_TRUE(writeFile(file, asBytes(image)));

    SimProcess sim("D103", QStringList{"--boot-delay", "30", "--erase-ms", "0", "--image-out",
                                       flashFile, "--once"} +
                               c.simArgs);
    ASSERT_TRUE(sim.start()) << sim.errorOutput().toStdString();
    const CliResult r =
        runCli(QStringList{"download", file, "-p", sim.path(), "--json"} + c.cliArgs);
    ASSERT_TRUE(r.finished) << r.dump();

    EXPECT_EQ(r.exitCode, c.exitCode) << r.dump();
    EXPECT_TRUE(r.logged(c.message)) << r.dump();
    const QJsonObject summary = r.summary();
    EXPECT_EQ(summary.value("exit").toInt(), r.exitCode);
    if (c.baud != 0) {
        EXPECT_EQ(summary.value("baud").toInt(), c.baud) << r.dump();
    }
    if (r.exitCode == 0) {
        // --once: the chip ends after the program run, with the flash written out.
        ASSERT_TRUE(sim.waitForExit(kPatienceMs)) << sim.errorOutput().toStdString();
        QFile flash(flashFile);
        ASSERT_TRUE(flash.open(QIODevice::ReadOnly));
        EXPECT_EQ(flash.read(static_cast<qint64>(image.size())), asBytes(image));
    } else {
        EXPECT_FALSE(r.logged(QStringLiteral("程序下载成功"))) << r.dump();
        EXPECT_NE(summary.value("result").toString(), "success");
    }
}

// Host packets count from 1 in each boot: for the D1 series 1 enters programming, 2 and 3 are
// the baud test and confirm, 4 erases, 5 onwards write blocks 0 to 5.
INSTANTIATE_TEST_SUITE_P(
    VirtualChip, Faults,
    ::testing::Values(
        FaultCase{"NoFault", {}, {}, 0, "程序下载成功"},
        // Asked for up to 921600, an 11.0592 MHz chip makes 230400 at most.
        FaultCase{"FastRateTheClockMakes",
                  {"--freq", "11059200"},
                  {"--max-baud", "921600"},
                  0,
                  "设置波特率：230400bps...",
                  230400},
        // An adapter that garbles everything above 115200: the job steps down and succeeds.
        FaultCase{"AdapterCannotHoldTheFastRate",
                  {"--freq", "11059200", "--fault", "max-rate=115200"},
                  {"--max-baud", "921600"},
                  0,
                  "230400bps 下单片机无有效应答（串口适配器或连线可能不支持此速率），改用 "
                  "115200bps 重试",
                  115200},
        FaultCase{"LostReplyIsSentAgain", {"--fault", "drop=1"}, {}, 0, "程序下载成功"},
        FaultCase{"LostBlockReplyIsSentAgain", {"--fault", "drop=6"}, {}, 0, "程序下载成功"},
        FaultCase{"TwoLostRepliesAreSurvived",
                  {"--fault", "drop=5", "--fault", "drop=7"},
                  {},
                  0,
                  "程序下载成功"},
        FaultCase{"ThreeLostRepliesEndTheJob",
                  {"--fault", "drop=5", "--fault", "drop=6", "--fault", "drop=7"},
                  {},
                  1,
                  "程序下载失败"},
        // The chip has moved to the new rate and no longer hears the confirm sent again.
        FaultCase{"LostBaudConfirm", {"--fault", "drop=3"}, {}, 1, "程序下载失败"},
        FaultCase{
            "BlockWrittenAgainAfterRetryReplies", {"--fault", "nak=3:2"}, {}, 0, "程序下载成功"},
        FaultCase{
            "FourRetryRepliesForTheFirstBlock", {"--fault", "nak=0:4"}, {}, 0, "程序下载成功"},
        FaultCase{"FiveRetryRepliesEndTheJob", {"--fault", "nak=0:5"}, {}, 1, "程序下载失败"},
        FaultCase{
            "FourRetryRepliesForTheSecondBlock", {"--fault", "nak=1:4"}, {}, 0, "程序下载成功"},
        // A block the chip refuses for ever ends the job after five refusals, whichever it is.
        FaultCase{"SecondBlockRefusedForEverEndsTheJob",
                  {"--fault", "nak=1:1000"},
                  {},
                  1,
                  "程序下载失败"},
        FaultCase{
            "LaterBlockRefusedForEverEndsTheJob", {"--fault", "nak=3:1000"}, {}, 1, "程序下载失败"},
        FaultCase{
            "LastBlockRefusedFiveTimesEndsTheJob", {"--fault", "nak=5:5"}, {}, 1, "程序下载失败"},
        FaultCase{"NoiseBeforeEveryReply", {"--fault", "noise"}, {}, 0, "程序下载成功"},
        FaultCase{"GarbledBlockReplyIsSentAgain", {"--fault", "corrupt=5"}, {}, 0, "程序下载成功"},
        FaultCase{"GarbledStatusReplyIsNeverAnswered",
                  {"--fault", "corrupt=0"},
                  {"--wait", "2"},
                  4,
                  "请确认单片机是否正确启动"},
        FaultCase{"SilentChip", {"--fault", "mute-sync"}, {"--wait", "1"}, 4, "通讯超时退出"},
        FaultCase{"UnknownModel", {"--fault", "unknown-id"}, {}, 1, "未知型号的单片机"},
        FaultCase{"OtherSeriesRefused",
                  {"--fault", "other-series"},
                  {"--series", kD1Series},
                  1,
                  "系列不同，已取消下载"},
        // Adopted, but the chip then refuses commands for the model it claimed to be.
        FaultCase{"OtherSeriesAdoptedThenRefused",
                  {"--fault", "other-series"},
                  {"--series", kD1Series, "--auto-series"},
                  1,
                  "系列不同：ZEL51B 系列"},
        // The device went away: a port error, said in words.
        FaultCase{"LineHungUpMidway",
                  {"--fault", "hangup=3"},
                  {},
                  3,
                  "串口或串口适配器已断开，任务中止"}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
