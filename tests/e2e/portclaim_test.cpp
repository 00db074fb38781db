// A port that another program holds, and a port whose far side goes away mid-download, as a
// user meets them with korvan-cli.
#include "e2eenv.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace e2e {
namespace {

TEST(PortClaim, APortThatCatHoldsIsRefusedAsInUse) {
    SimProcess sim("D103", {});
    ASSERT_TRUE(sim.start()) << sim.errorOutput().toStdString();
    // A plain program with the terminal open, no lock file and no flock: only the system's
    // table of open descriptors shows it.
    QProcess cat;
    cat.setStandardInputFile(sim.path());
    cat.start(QStringLiteral("cat"), {});
    ASSERT_TRUE(cat.waitForStarted());

    const CliResult r = runCli({"check", "-p", sim.path(), "--wait", "2"});
    ASSERT_TRUE(r.finished) << r.dump();
    EXPECT_EQ(r.exitCode, 3) << r.dump();
    EXPECT_TRUE((r.out + r.err).contains(QStringLiteral("已经打开"))) << r.dump();
    // The message names the program, so the user knows which one to close.
    EXPECT_TRUE(
        (r.out + r.err)
            .contains(QStringLiteral("占用该串口的程序：cat（进程号 %1）").arg(cat.processId())))
        << r.dump();
    EXPECT_FALSE((r.out + r.err).contains(QStringLiteral("参数检测完成"))) << r.dump();

    cat.kill();
    cat.waitForFinished();
    const CliResult after = runCli({"check", "-p", sim.path(), "--wait", "5"});
    EXPECT_EQ(after.exitCode, 0) << after.dump();
}

// Anyone may create files in the lock folder. A FIFO under the lock's name would hold the open
// for ever; the port is refused at once instead, with the file named.
TEST(PortClaim, AFifoPlantedAsTheLockFileIsRefusedWithItsName) {
    SimProcess sim("D103", {});
    ASSERT_TRUE(sim.start()) << sim.errorOutput().toStdString();
    const QString locks = newFolder();
    const QString lock =
        locks + "/LCK.." + QFileInfo(QFileInfo(sim.path()).canonicalFilePath()).fileName();
    ASSERT_EQ(::mkfifo(QFile::encodeName(lock).constData(), 0666), 0);
    QProcessEnvironment env = programEnvironment();
    env.insert(QStringLiteral("KORVAN_LOCK_DIR"), locks);
    const CliResult r = runCli({"check", "-p", sim.path(), "--wait", "2"}, 60000, env);
    ASSERT_TRUE(r.finished) << r.dump();
    EXPECT_EQ(r.exitCode, 3) << r.dump();
    EXPECT_TRUE((r.out + r.err).contains(lock)) << r.dump();
    EXPECT_TRUE(QFileInfo(lock).exists());
}

TEST(PortClaim, PullingTheFarSideMidDownloadEndsTheRunAsAPortError) {
    const QString folder = newFolder();
    const QString file = folder + "/code.bin";
    ASSERT_TRUE(writeFile(file, asBytes(sampleImage(60 * 1024, 3))));
    // Bytes move at the line rate, so the download lasts seconds and can be cut in the middle.
    SimProcess sim("D103", {"--boot-delay", "30", "--erase-ms", "0", "--pace"});
    ASSERT_TRUE(sim.start()) << sim.errorOutput().toStdString();

    // -v: the trace on standard error shows every response time-out.
    CliProcess cli({"download", file, "-p", sim.path(), "-v"});
    ASSERT_TRUE(cli.waitForOutput(QStringLiteral("写入单片机程序"), kPatienceMs));
    sim.kill();
    // The loss ends the run on the spot: no response time-out is waited out first.
    const CliResult r = cli.finish(kPatienceMs);
    ASSERT_TRUE(r.finished) << r.dump();
    EXPECT_FALSE(r.err.contains(QStringLiteral("response time-out"))) << r.dump();
    EXPECT_EQ(r.exitCode, 3) << r.dump();
    EXPECT_TRUE((r.out + r.err).contains(QStringLiteral("串行端口已断开"))) << r.dump();
    EXPECT_FALSE(r.out.contains(QStringLiteral("程序下载成功"))) << r.dump();
}

}  // namespace
}  // namespace e2e
