// The monitor as a user meets it: right after a download it shows what the flashed program
// prints, and on its own it decodes what a port receives, characters split across reads
// included.
#include "e2eenv.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QStandardPaths>

namespace e2e {
namespace {

// The monitor reopens the line at 9600 straight after the download's last command at the
// session's rate, which the virtual chip may read only after the change.
TEST(Monitor, AfterADownloadShowsWhatTheProgramPrints) {
    if (QStandardPaths::findExecutable(QStringLiteral("s51")).isEmpty())
        GTEST_SKIP() << "running the program needs s51 (sdcc-ucsim)";
    // The program keeps running: a starved s51 may take more than the second a chip otherwise
    // runs before its next power cycle to print anything.
    SimProcess sim("D103", {"--run", "--reboot-ms", "never"});
    ASSERT_TRUE(sim.start()) << sim.errorOutput().toStdString();
    // The program greets once a second; a busy machine starts s51 late, so the test waits for
    // the greeting instead of giving the monitor a fixed time.
    CliProcess cli({"download",
                    QStringLiteral(KORVAN_SOURCE_DIR) + QStringLiteral("/examples/blink/blink.hex"),
                    "-p", sim.path(), "--monitor"});
    EXPECT_TRUE(cli.waitForOutput(QStringLiteral("Hello from KORVAN!"), kPatienceMs));
    cli.signal(SIGINT);
    const CliResult r = cli.finish(kPatienceMs);
    ASSERT_TRUE(r.finished) << r.dump();
    EXPECT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.out.contains(QStringLiteral("程序下载成功"))) << r.dump();
    EXPECT_TRUE(r.err.contains(QStringLiteral("监视串口"))) << r.dump();
}

TEST(Monitor, DecodesTextAndStopsOnCtrlC) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const QString slave = QString::fromLocal8Bit(::ptsname(master));
    struct Case {
        QStringList args;
        QByteArray sent;  // written in two parts, cut inside a character
        qsizetype cut;
        QString shown;
    } cases[] = {
        {{}, "A\xe4\xb8\xad\xe6\x96\x87|", 2, QStringLiteral("A中文|")},
        {{"--encoding", "gbk"}, "B\xd6\xd0\xce\xc4|", 2, QStringLiteral("B中文|")},
        {{"--hex", "--baud", "115200"}, "\x41\x0d", 1, QStringLiteral("41 0D ")},
    };
    for (const Case& c : cases) {
        CliProcess monitor(QStringList{"monitor", "-p", slave} + c.args);
        // The port is open once the monitor runs; until then written bytes may be flushed, so
        // they are written again until they show.
        QElapsedTimer clock;
        clock.start();
        bool shown = false;
        while (!shown && clock.elapsed() < kPatienceMs) {
            ASSERT_EQ(::write(master, c.sent.constData(), size_t(c.cut)), c.cut);
            const QByteArray rest = c.sent.mid(c.cut);
            ASSERT_EQ(::write(master, rest.constData(), size_t(rest.size())), rest.size());
            shown = monitor.waitForOutput(c.shown, 200);
        }
        EXPECT_TRUE(shown) << c.shown.toStdString();
        monitor.signal(SIGINT);
        const CliResult r = monitor.finish(kPatienceMs);
        EXPECT_TRUE(r.finished) << r.dump();
        EXPECT_EQ(r.exitCode, 0) << r.dump();
        EXPECT_FALSE(r.out.contains(QChar(0xFFFD))) << r.dump();
    }
    ::close(master);
}

}  // namespace
}  // namespace e2e
