// The zel-sim program as a user runs it, and the program run after a download.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "testhost.h"
#include "zelsim/programrunner.h"

namespace simtest {
namespace {

// A sanitizer build of zel-sim starting on a starved machine takes seconds just to load.
constexpr int kProcessPatienceMs = static_cast<int>(kPatience.count());

QProcess* startSim(QProcess& p, const QStringList& args) {
    p.setProgram(ZEL_SIM_PROGRAM);
    p.setArguments(args);
    p.start();
    return &p;
}

TEST(Program, HelpExplainsEveryOption) {
    QProcess p;
    startSim(p, {"--help"});
    ASSERT_TRUE(p.waitForFinished(kProcessPatienceMs));
    EXPECT_EQ(p.exitCode(), 0);
    const QString help = QString::fromUtf8(p.readAllStandardOutput());
    for (const char* option :
         {"--model",    "--db",         "--freq",   "--options",    "--boot-version", "--serial",
          "--image-in", "--link",       "--pace",   "--boot-delay", "--erase-ms",     "--reboot-ms",
          "--once",     "--image-out",  "--report", "--run",        "--soft-start",   "--fault",
          "--seed",     "--verbose",    "drop=N",   "nak=B",        "noise",          "mute-sync",
          "unknown-id", "other-series", "hangup=B", "corrupt=N",    "--lang"})
        EXPECT_TRUE(help.contains(option)) << option;
}

TEST(Program, BadCommandLinesAreRefusedWithAReason) {
    const QStringList bad[] = {{},
                               {"--model"},
                               {"--model", "D103", "--freq", "fast"},
                               {"--model", "D103", "--bogus"},
                               {"--model=D103", "--once=yes"},
                               {"--model", "D103", "--lang", "fr"}};
    for (const QStringList& args : bad) {
        QProcess p;
        startSim(p, args);
        ASSERT_TRUE(p.waitForFinished(kProcessPatienceMs));
        EXPECT_EQ(p.exitCode(), 2) << args.join(' ').toStdString();
        EXPECT_FALSE(p.readAllStandardError().isEmpty());
    }
    QProcess unknown;
    startSim(unknown, {"--model", "NOSUCH", "--db", QString::fromStdString(testDatabase())});
    ASSERT_TRUE(unknown.waitForFinished(kProcessPatienceMs));
    EXPECT_EQ(unknown.exitCode(), 1);
    EXPECT_TRUE(unknown.readAllStandardError().contains("NOSUCH"));
}

// Files the user named that cannot be read or written stop the program at once, with a reason
// and a failed exit, instead of a crash or a run that silently writes nothing.
TEST(Program, FilesThatCannotBeUsedAreRefusedAtStart) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("no-such-folder/out.bin");
    const QStringList cases[] = {{"--image-in", dir.path()},
                                 {"--image-out", missing},
                                 {"--report", missing},
                                 {"--image-out", dir.path()}};
    for (const QStringList& files : cases) {
        QProcess p;
        startSim(p, QStringList{"--model", "D103", "--db", QString::fromStdString(testDatabase())} +
                        files);
        ASSERT_TRUE(p.waitForFinished(kProcessPatienceMs)) << files.join(' ').toStdString();
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << files.join(' ').toStdString();
        EXPECT_EQ(p.exitCode(), 1) << files.join(' ').toStdString();
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_TRUE(err.contains(files[0]) && err.contains(files[1])) << err.toStdString();
    }
}

TEST(Program, VerboseBannerComesBeforeTheChipsFirstLine) {
    QProcess p;
    p.setReadChannel(QProcess::StandardError);
    startSim(p, {"--model", "D103", "--db", QString::fromStdString(testDatabase()), "-v"});
    QByteArray err;
    while (err.count('\n') < 2 && p.waitForReadyRead(kProcessPatienceMs))
        err += p.readAllStandardError();
    err += p.readAllStandardError();
    p.terminate();
    p.waitForFinished(kProcessPatienceMs);
    const QList<QByteArray> lines = err.split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("zel-sim: ZELH64AD (D103)")) << err.toStdString();
    EXPECT_TRUE(lines[1].contains("power cycle")) << err.toStdString();
}

// With --once, a script that waits for the host to finish must find the final image: the
// files are written before the end command is answered.
TEST(Program, OutputFilesAreWrittenBeforeTheEndCommandIsAnswered) {
    QTemporaryDir dir;
    zelsim::ChipOptions o = fastChip("F084");  // its session closes with a second end command
    o.once = true;
    o.imageOut = dir.filePath("image.bin").toStdString();
    o.reportPath = dir.filePath("report.json").toStdString();
    zelsim::VirtualChip chip(o);
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    ASSERT_TRUE(host.sync(1));
    ASSERT_TRUE(host.command({0x82}, 1));
    EXPECT_TRUE(QFile::exists(dir.filePath("image.bin")));
    EXPECT_TRUE(QFile::exists(dir.filePath("report.json")));
}

TEST(Program, PublishesTheTerminalAndRunsADownloadOnce) {
    QTemporaryDir dir;
    const QString link = dir.filePath("zel0");
    const QString image = dir.filePath("image.bin");
    const QString report = dir.filePath("report.json");
    QProcess p;
    startSim(p, {"--model", "FF9A", "--link", link, "--db", QString::fromStdString(testDatabase()),
                 "--boot-delay", "10", "--erase-ms", "0", "--once", "--image-out", image,
                 "--report", report, "--options=", "--fault", "noise"});
    ASSERT_TRUE(p.waitForStarted());
    ASSERT_TRUE(p.waitForReadyRead(kProcessPatienceMs));
    const QString slave = QString::fromUtf8(p.readLine()).trimmed();
    EXPECT_TRUE(slave.startsWith("/dev/pts/"));
    EXPECT_EQ(QFile::symLinkTarget(link), slave);

    TestHost host(link.toStdString());
    ASSERT_TRUE(host.sync(1));
    ASSERT_TRUE(host.command(enterProgramming(0x80, 0x01, 0xFF9A), 1));
    ASSERT_TRUE(host.command({0x84, 0x80, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33}, 1));
    ASSERT_TRUE(host.command(blockWrite(0, Bytes(128, 0xA5)), 1));
    ASSERT_TRUE(host.command({0x82}, 1));
    ASSERT_TRUE(p.waitForFinished(kProcessPatienceMs));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(link)) << "the link goes with the chip";

    QFile imageFile(image);
    ASSERT_TRUE(imageFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = imageFile.readAll();
    EXPECT_EQ(bytes.size(), 1024);
    EXPECT_EQ(static_cast<uint8_t>(bytes[127]), 0xA5);
    EXPECT_EQ(static_cast<uint8_t>(bytes[128]), 0xFF);
    QFile reportFile(report);
    ASSERT_TRUE(reportFile.open(QIODevice::ReadOnly));
    const QJsonObject r = QJsonDocument::fromJson(reportFile.readAll()).object();
    EXPECT_EQ(r["model"].toString(), "ZELA01LE-3");
    EXPECT_EQ(r["blocks"].toInteger(), 1);
    EXPECT_EQ(r["baud"].toInteger(), 1200);
}

TEST(Program, InterruptRemovesTheLinkButLeavesOtherFilesAlone) {
    QTemporaryDir dir;
    const QString taken = dir.filePath("taken");
    QFile(taken).open(QIODevice::WriteOnly);
    QProcess refused;
    startSim(refused,
             {"--model", "D103", "--db", QString::fromStdString(testDatabase()), "--link", taken});
    ASSERT_TRUE(refused.waitForFinished(kProcessPatienceMs));
    EXPECT_EQ(refused.exitCode(), 1);
    EXPECT_TRUE(QFileInfo(taken).isFile());

    const QString link = dir.filePath("zel0");
    QFile::link("/nonexistent", link);  // a stale link from an earlier run is replaced
    QProcess p;
    startSim(p,
             {"--model", "D103", "--db", QString::fromStdString(testDatabase()), "--link", link});
    ASSERT_TRUE(p.waitForReadyRead(kProcessPatienceMs));
    EXPECT_EQ(QFile::symLinkTarget(link), QString::fromUtf8(p.readLine()).trimmed());
    p.terminate();
    ASSERT_TRUE(p.waitForFinished(kProcessPatienceMs));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST(ProgramRun, IntelHexLeavesOutErasedRecords) {
    Bytes flash(64, 0xFF);
    flash[0] = 0x02;
    flash[33] = 0x80;
    EXPECT_EQ(zelsim::intelHex(flash),
              ":10000000"
              "02FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
              "FD\n"
              ":10002000"
              "FF80FFFFFFFFFFFFFFFFFFFFFFFFFFFF"
              "5F\n"
              ":00000001FF\n");
}

// s51 ignores SIGTERM; zel-sim must end all the same, and leave no simulator behind.
TEST(ProgramRun, StopSignalsAndOnceEndTheSimulatorWithItsProgram) {
    if (!zelsim::ProgramRunner::available()) GTEST_SKIP() << "s51 is not installed";
    for (const int stop : {SIGINT, SIGTERM, 0}) {
        QProcess p;
        QStringList args{
            "--model",      "FF9A", "--db",       QString::fromStdString(testDatabase()),
            "--boot-delay", "10",   "--erase-ms", "0",
            "--run"};
        if (stop == 0) args << "--once";
        startSim(p, args);
        ASSERT_TRUE(p.waitForReadyRead(kProcessPatienceMs));
        TestHost host(QString::fromUtf8(p.readLine()).trimmed().toStdString());
        ASSERT_TRUE(host.sync(1));
        ASSERT_TRUE(host.command(enterProgramming(0x80, 0x01, 0xFF9A), 1));
        ASSERT_TRUE(host.command({0x84, 0x80, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33}, 1));
        ASSERT_TRUE(host.command(blockWrite(0, {0x80, 0xFE}), 1));  // SJMP $
        ASSERT_TRUE(host.command({0x82}, 1));
        if (stop != 0) {
            host.drain(200ms);  // the program is running in s51 by now
            ::kill(static_cast<pid_t>(p.processId()), stop);
        }
        ASSERT_TRUE(p.waitForFinished(kProcessPatienceMs)) << "signal " << stop;
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "signal " << stop;
        EXPECT_EQ(p.exitCode(), 0) << "signal " << stop;
    }
}

TEST(ProgramRun, TheFlashedProgramTalksThroughTheLine) {
    if (!zelsim::ProgramRunner::available()) GTEST_SKIP() << "s51 is not installed";
    zelsim::ChipOptions o = fastChip("FF9A");
    o.run = true;
    o.rebootMs = -1;
    zelsim::VirtualChip chip(o);
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    ASSERT_TRUE(host.sync(1));
    ASSERT_TRUE(host.command(enterProgramming(0x80, 0x01, 0xFF9A), 1));
    ASSERT_TRUE(host.command({0x84, 0x80, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33}, 1));
    // UART mode 1 at 9600 baud, send 'K', then echo what arrives.
    const Bytes program = {0x75, 0x98, 0x50,  // MOV SCON,#50h
                           0x75, 0x89, 0x20,  // MOV TMOD,#20h
                           0x75, 0x8D, 0xFD,  // MOV TH1,#0FDh
                           0xD2, 0x8E,        // SETB TR1
                           0x75, 0x99, 0x4B,  // MOV SBUF,#'K'
                           0x30, 0x98, 0xFD,  // JNB RI,$
                           0xC2, 0x98,        // CLR RI
                           0xC2, 0x99,        // CLR TI
                           0x85, 0x99, 0x99,  // MOV SBUF,SBUF
                           0x80, 0xF4};       // SJMP to JNB
    ASSERT_TRUE(host.command(blockWrite(0, program), 1));
    ASSERT_TRUE(host.command({0x82}, 1));
    host.setRate(9600);
    Bytes heard;
    for (int i = 0; i < 50 && heard.empty(); ++i) heard = host.drain(100ms);
    EXPECT_EQ(heard, Bytes{'K'});
    host.send({'z'});
    heard.clear();
    for (int i = 0; i < 50 && heard.empty(); ++i) heard = host.drain(100ms);
    EXPECT_EQ(heard, Bytes{'z'});
}

}  // namespace
}  // namespace simtest
