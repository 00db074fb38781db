// korvan as a real process, as an IDE or a Makefile runs it: "/u" downloads into zel-sim on
// the port that [Ports] maps and ends with 0, a failed download ends non-zero after its
// message, a missing command-line file ends at once, "/d" downloads after start-up, a task
// of the increment numbers run after run, and a user on an X display gives two chips two
// numbers with Alt+D.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include "core/inifile.h"
#include "core/taskfile.h"
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

// The serial number four bytes big-endian, as the format "%NL4" writes it.
QByteArray SerialBytes(qint64 n) {
    const char bytes[] = {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
    return QByteArray(bytes, 4);
}

constexpr int kSerialAddress = 0xFFF0;

// A task of the increment, run twice by "/u" or "/d" as a production script would: each run
// writes the next number, and the task keeps the one after.
class TaskRuns : public KorvanE2e, public ::testing::WithParamInterface<const char*> {};

TEST_P(TaskRuns, EachRunWritesTheNextNumberAndTheTaskKeepsIt) {
    const e2e::Bytes code = e2e::sampleImage(600, 17);
    const QString folder = e2e::newFolder();
    const QString task = folder + "/job.mcp";
    const korvan::CodeBuffer buffer(code.begin(), code.end());
    korvan::IniDocument settings = e2e::incrementSettings(100);
    // A task keeps its series and does not follow the chip's: the D1 series of the chip.
    settings.write("UserSet", "MCU", "7");
    ASSERT_TRUE(korvan::WriteTaskFile(task, settings, buffer, folder));
    for (const qint64 n : {100, 101}) {
        const QString image = e2e::newFolder() + "/image.bin";
        e2e::SimProcess chip("D103", {"--image-out", image, "--once", "--erase-ms", "0"});
        ASSERT_TRUE(chip.start());
        configure(chip.path(), "AutoClose=True");
        const KorvanRun result = run({GetParam(), task});
        ASSERT_TRUE(result.finished) << result.err.toStdString();
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        ASSERT_TRUE(chip.waitForExit(10000));
        EXPECT_EQ(ReadAll(image).mid(kSerialAddress, 4), SerialBytes(n)) << n;
    }
    const auto unpacked = korvan::UnpackTask(task, folder);
    ASSERT_TRUE(unpacked);
    QFile::remove(unpacked->TempFile);
    EXPECT_EQ(unpacked->Task.Settings.read("AddData", "Data", ""), "102");
}

INSTANTIATE_TEST_SUITE_P(Switches, TaskRuns, ::testing::Values("/u", "/d"));

// An X server of the test's own, for korvan shown as a user sees it.
class XServer {
  public:
    bool start() {
        for (int n = 100 + int(getpid() % 400); n < 999; ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) continue;
            m_display = QStringLiteral(":%1").arg(n);
            m_server.start(QStringLiteral("Xvfb"),
                           {m_display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
            if (!m_server.waitForStarted()) return false;
            QDeadlineTimer deadline(20000);
            while (!deadline.hasExpired() && m_server.state() == QProcess::Running) {
                if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) return true;
                QThread::msleep(20);
            }
            m_server.kill();
            m_server.waitForFinished();
        }
        return false;
    }
    ~XServer() {
        m_server.terminate();
        if (!m_server.waitForFinished(5000)) m_server.kill(), m_server.waitForFinished();
    }
    const QString& display() const { return m_display; }

  private:
    QProcess m_server;
    QString m_display;
};

// What a user does with the keyboard, through xdotool on `display`.
QString XdoTool(const QString& display, const QStringList& args) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("xdotool"), args);
    if (!tool.waitForFinished(30000)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QThread::msleep(50);
    }
    return true;
}

// The user ticks nothing and types nothing: the increment is on in Config.ini, the window is
// shown, and Alt+D is pressed twice, once per chip. Each chip gets its own number, and the
// window, once closed through its File menu, leaves the next one in Config.ini.
TEST_F(KorvanE2e, AltDTwiceWithTheIncrementGivesTwoNumbers) {
    if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
        QStandardPaths::findExecutable("xdotool").isEmpty())
        GTEST_SKIP() << "needs Xvfb and xdotool (scripts/bootstrap installs both)";
    XServer x;
    ASSERT_TRUE(x.start());
    const QString image = e2e::newFolder() + "/image.bin";
    e2e::SimProcess chip("D103", {"--image-out", image, "--erase-ms", "0", "--boot-delay", "20",
                                  "--reboot-ms", "100"});
    ASSERT_TRUE(chip.start());
    configure(chip.path(),
              "[AddData]\nOpen=1\nAdd=FFF0\nFormat=\"%NL4\"\nData=41\n[UserSet]\nAutoData=0");
    const QString config = m_home + "/Config.ini";
    QProcessEnvironment env = m_env;
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", x.display());
    // xkbcommon reads a reply of the X server with strndup past its end (a read that stops at
    // the reply's own bound): not ours, and not a fault, so the sanitizer does not watch it.
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":intercept_strndup=0");
    QProcess korvan;
    korvan.setProcessEnvironment(env);
    korvan.setProcessChannelMode(QProcess::ForwardedChannels);
    korvan.start(QStringLiteral(KORVAN_PATH), {hexFile(e2e::sampleImage(700, 19))});
    ASSERT_TRUE(korvan.waitForStarted());
    // The main window, once the start-up screen has gone: the one visible window so called.
    QString window;
    ASSERT_TRUE(WaitFor(
        [&] {
            const QStringList found =
                XdoTool(x.display(), {"search", "--onlyvisible", "--name", "^KORVAN( - |$)"})
                    .split('\n', Qt::SkipEmptyParts);
            if (found.size() == 1) window = found.first();
            return found.size() == 1;
        },
        30000));
    ASSERT_FALSE(window.isEmpty());
    for (const qint64 n : {41, 42}) {
        XdoTool(x.display(), {"windowfocus", "--sync", window});
        XdoTool(x.display(), {"key", "alt+d"});
        EXPECT_TRUE(
            WaitFor([&] { return ReadAll(image).mid(kSerialAddress, 4) == SerialBytes(n); }, 60000))
            << n;
        // The number is kept before the window goes idle again.
        EXPECT_TRUE(WaitFor(
            [&] {
                return korvan::ReadIni("AddData", "Data", config, {}) == QString::number(n + 1);
            },
            10000))
            << n;
    }
    XdoTool(x.display(), {"windowfocus", "--sync", window});
    XdoTool(x.display(), {"key", "alt+f"});
    XdoTool(x.display(), {"key", "x"});
    ASSERT_TRUE(korvan.waitForFinished(30000));
    EXPECT_EQ(korvan::ReadIni("AddData", "Data", config, {}), "43");
}

}  // namespace
