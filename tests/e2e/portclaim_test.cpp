// A port that another program holds, listed or refused, and a port whose far side goes away
// mid-download, as a user meets them with korvan-cli.
#include "e2eenv.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace e2e {
namespace {

// A plain program with the chip's terminal open, no lock file and no flock: only the system's
// table of open descriptors shows it.
struct CatHolding {
    explicit CatHolding(const QString& device) {
        cat.setStandardInputFile(device);
        cat.start(QStringLiteral("cat"), {});
    }
    ~CatHolding() { release(); }
    void release() {
        cat.kill();
        cat.waitForFinished();
    }
    QProcess cat;
};

TEST(PortClaim, APortThatCatHoldsIsRefusedAsInUse) {
    SimProcess sim("D103", {});
    ASSERT_TRUE(sim.start()) << sim.errorOutput().toStdString();
    CatHolding holder(sim.path());
    QProcess& cat = holder.cat;
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

    holder.release();
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

// korvan-cli ports: a port named in [Ports] that another program holds is listed with that
// program.
TEST(PortsCommand, ListsAHeldPortWithItsHoldersName) {
    SimProcess sim("D103", {});
    ASSERT_TRUE(sim.start()) << sim.errorOutput().toStdString();
    CatHolding holder(sim.path());
    QProcess& cat = holder.cat;
    ASSERT_TRUE(cat.waitForStarted());

    const QString home = newFolder();
    ASSERT_TRUE(writeFile(home + QStringLiteral("/Config.ini"),
                          "[Ports]\nCOM7=" + sim.path().toUtf8() + "\n"));
    QProcessEnvironment env = programEnvironment();
    env.insert(QStringLiteral("KORVAN_HOME"), home);

    const CliResult r = runCli({"ports", "--json"}, kPatienceMs, env);
    ASSERT_TRUE(r.finished) << r.dump();
    EXPECT_EQ(r.exitCode, 0) << r.dump();
    const auto held = std::find_if(r.events.begin(), r.events.end(), [&](const QJsonObject& o) {
        return o["device"].toString() == sim.path();
    });
    ASSERT_NE(held, r.events.end()) << r.dump();
    EXPECT_EQ((*held)["port"].toString(), "COM7") << r.dump();
    EXPECT_TRUE((*held)["present"].toBool()) << r.dump();
    EXPECT_EQ((*held)["holder"]["name"].toString(), "cat") << r.dump();
    EXPECT_EQ((*held)["holder"]["pid"].toInteger(), cat.processId()) << r.dump();

    // The table says the same in its last column.
    const CliResult table = runCli({"ports"}, kPatienceMs, env);
    EXPECT_TRUE(table.out.contains(QStringLiteral("cat (%1)").arg(cat.processId())))
        << table.dump();
}

}  // namespace
}  // namespace e2e
