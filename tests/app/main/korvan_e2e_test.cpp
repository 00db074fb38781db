// korvan as a real process, as an IDE or a Makefile runs it: "/u" downloads into zel-sim on
// the port that [Ports] maps and ends with 0, a failed download ends non-zero after its
// message, a missing command-line file ends at once, and "/d" downloads after start-up.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "e2eenv.h"

namespace {

constexpr int kPort = 7;

struct KorvanRun {
    bool finished = false;
    int exitCode = -1;
    QString err;
};

class KorvanE2e : public ::testing::Test {
  protected:
    void SetUp() override {
        m_env = e2e::programEnvironment();
        m_home = m_env.value("KORVAN_HOME");
        QDir().mkpath(m_home);
        m_env.insert("QT_QPA_PLATFORM", "offscreen");
        m_env.insert("KORVAN_MESSAGE_ANSWER", "1");
    }

    // Config.ini in the scratch home: the port mapped to the chip's terminal.
    void configure(const QString& device, const QString& extra = {}) {
        const QString text =
            QStringLiteral("[Config]\nComPort=%1\nErrTim=5\n%3\n[Ports]\nCOM%1=%2\n")
                .arg(kPort)
                .arg(device, extra);
        ASSERT_TRUE(e2e::writeFile(m_home + "/Config.ini", text.toUtf8()));
    }

    KorvanRun run(const QStringList& args, int timeoutMs = 60000) {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(QStringLiteral(KORVAN_PATH), args);
        KorvanRun result;
        if (!process.waitForStarted()) return result;
        result.finished = process.waitForFinished(timeoutMs);
        if (!result.finished) process.kill(), process.waitForFinished();
        result.exitCode = process.exitCode();
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    QString hexFile(const e2e::Bytes& code) {
        const QString path = e2e::newFolder() + "/fw.hex";
        e2e::writeFile(path, e2e::intelHex(code));
        return path;
    }

    QProcessEnvironment m_env;
    QString m_home;
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(KorvanE2e, UnattendedDownloadWritesTheImageAndEndsWithZero) {
    const e2e::Bytes code = e2e::sampleImage(1500, 11);
    const QString image = e2e::newFolder() + "/image.bin";
    e2e::SimProcess chip("D103", {"--image-out", image, "--once", "--erase-ms", "0"});
    ASSERT_TRUE(chip.start());
    configure(chip.path());
    const KorvanRun result = run({"/u", hexFile(code)});
    ASSERT_TRUE(result.finished) << result.err.toStdString();
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("KORVAN message")) << result.err.toStdString();
    ASSERT_TRUE(chip.waitForExit(60000));
    EXPECT_EQ(ReadAll(image).left(int(code.size())), e2e::asBytes(code));
    // A switch keeps the user settings as they were; the counter is the program's own.
    EXPECT_TRUE(QString::fromUtf8(ReadAll(m_home + "/Config.ini")).contains("DownCount=1"));
}

TEST_F(KorvanE2e, FailedUnattendedDownloadSaysSoAndEndsNonZero) {
    const e2e::Bytes code = e2e::sampleImage(1500, 12);
    // The chip goes away in the middle of the blocks, as an unplugged adapter does.
    e2e::SimProcess chip("D103", {"--once", "--erase-ms", "0", "--fault", "hangup=3"});
    ASSERT_TRUE(chip.start()) << chip.errorOutput().toStdString();
    configure(chip.path());
    const KorvanRun result = run({"/u", hexFile(code)});
    ASSERT_TRUE(result.finished) << result.err.toStdString();
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(result.err.contains("KORVAN message 12")) << result.err.toStdString();
}

TEST_F(KorvanE2e, UnattendedWithoutAChipEndsNonZeroAfterItsMessage) {
    configure(e2e::newFolder() + "/nothing-here");
    const KorvanRun result = run({"/u", hexFile(e2e::sampleImage(64, 3))});
    ASSERT_TRUE(result.finished);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(result.err.contains("KORVAN message 12")) << result.err.toStdString();
}

TEST_F(KorvanE2e, MissingCommandLineFileEndsWithItsMessage) {
    configure(e2e::newFolder() + "/nothing-here");
    const QString missing = e2e::newFolder() + "/gone.hex";
    const KorvanRun result = run({"/u", missing});
    ASSERT_TRUE(result.finished);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(result.err.contains(
        QStringLiteral("KORVAN message 12 文件错误: 指定的文件未找到：\r\n") + missing))
        << result.err.toStdString();
}

TEST_F(KorvanE2e, UnsupportedCommandLineFileEndsWithItsMessage) {
    configure(e2e::newFolder() + "/nothing-here");
    const QString notes = e2e::newFolder() + "/notes.txt";
    e2e::writeFile(notes, "not code");
    const KorvanRun result = run({notes});
    ASSERT_TRUE(result.finished);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(
        result.err.contains(QStringLiteral("KORVAN message 11 : 不支持的文件格式！\r\n") + notes))
        << result.err.toStdString();
}

TEST_F(KorvanE2e, BrokenControlLibraryIsError339) {
    configure(e2e::newFolder() + "/nothing-here");
    const QString broken = e2e::newFolder() + "/libzel.so";
    e2e::writeFile(broken, "not a library");
    m_env.insert("ZEL_LIBRARY", broken);
    const KorvanRun result = run({});
    ASSERT_TRUE(result.finished);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(
        result.err.contains(QStringLiteral("KORVAN message 11 : ISP 控件错误，请重新安装后再试。")))
        << result.err.toStdString();
}

TEST_F(KorvanE2e, DownloadSwitchDownloadsWithTheWindowShown) {
    const e2e::Bytes code = e2e::sampleImage(800, 13);
    const QString image = e2e::newFolder() + "/image.bin";
    e2e::SimProcess chip("D103", {"--image-out", image, "--once", "--erase-ms", "0"});
    ASSERT_TRUE(chip.start());
    // AutoClose ends the program after the download, so that the test sees its end.
    configure(chip.path(), "AutoClose=True");
    const KorvanRun result = run({"/d", hexFile(code)});
    ASSERT_TRUE(result.finished) << result.err.toStdString();
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    ASSERT_TRUE(chip.waitForExit(60000));
    EXPECT_EQ(ReadAll(image).left(int(code.size())), e2e::asBytes(code));
}

}  // namespace
