#include "jobtestsupport.h"

#include "core/apppaths.h"

#include <fcntl.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QFile>
#include <cstdlib>

namespace korvan::jobs::testing {

bool ScriptedDriver::doStart(int type) {
    starts.push_back(type);
    m_reason.reset();
    if (refuseStart) {
        raiseError(info::kErrorPort, QStringLiteral("串行端口已打开或者无效"));
        return false;
    }
    m_busy = true;
    m_type = type;
    m_success = false;
    raiseViewInfo(info::kJob, QStringLiteral("job"));
    raiseViewInfo(info::kWaiting, QStringLiteral("等待启动标志..."));
    return true;
}

void ScriptedDriver::identify(const ChipRecord& chip) {
    m_chip = chip;
    m_success = true;
    raiseViewInfo(info::kDetected, QStringLiteral("检测到单片机：") + chip.model);
}

void ScriptedDriver::erase() {
    raiseViewInfo(info::kErase, QStringLiteral("擦除单片机程序..."));
}

void ScriptedDriver::finishDownload() {
    erase();
    raiseViewInfo(info::kWrite, QStringLiteral("写入单片机程序..."));
    raiseProgress(50);
    raiseProgress(100);
    raiseViewInfo(info::kWriteDone, {});
    m_busy = false;
    raiseViewInfo(info::kComplete, QStringLiteral("程序下载成功"));
}

void ScriptedDriver::finishJob(bool success) {
    m_busy = false;
    m_success = success;
    raiseViewInfo(info::kComplete,
                  m_type == 1 ? QStringLiteral("参数检测完成") : QStringLiteral("参数配置完成"));
}

void ScriptedDriver::loseThePort() {
    m_lost = true;
    m_busy = false;
    m_success = false;
    raiseViewInfo(info::kFailed, QStringLiteral("程序下载失败"));
}

void ScriptedDriver::fail(EndReason reason, const QString& text) {
    m_reason = reason;
    m_busy = false;
    m_success = false;
    raiseViewInfo(info::kFailed, text);
}

bool ScriptedDriver::interrupt(int index, const QString& info) {
    bool resume = false;
    raiseInterrupt(index, info, resume);
    return resume;
}

void ScriptedDriver::error(int index, const QString& info) {
    m_busy = false;
    raiseError(index, info);
}

void ScriptedDriver::cancel(bool user) {
    cancels.push_back(user);
    if (m_type == 0) return;
    m_busy = false;
    m_success = false;
    raiseViewInfo(user ? info::kCancelled : info::kFailed,
                  user ? QStringLiteral("取消") : QStringLiteral("失败"));
    if (!m_busy) m_type = 0;
}

QStringList RecordingView::texts() const {
    QStringList all;
    for (const LoggedLine& line : lines) all << line.text;
    return all;
}

PseudoTerminal::PseudoTerminal() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) return;
    m_path = QString::fromLocal8Bit(::ptsname(m_master));
}

PseudoTerminal::~PseudoTerminal() {
    if (m_master >= 0) ::close(m_master);
}

QByteArray PseudoTerminal::readAll() {
    QByteArray all;
    char buffer[256];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0) break;
        all.append(buffer, n);
    }
    return all;
}

ControllerTest::ControllerTest() {
    view.clock = &clock;
    AppPaths paths;
    paths.AppPath = scratch.path() + QLatin1Char('/');
    paths.TempPath = paths.AppPath;
    paths.RegistryFile = paths.AppPath + QStringLiteral("registry.ini");
    workspace.emplace(paths);
    port.setTarget(ParsePortArgument(pty.path()));
    controller.emplace(
        JobController::Parts{driver, clock, *workspace, port, launcher, counter, view});
    JobSettings settings;
    settings.errTim = 5;
    controller->setSettings(settings);
}

ControllerTest::~ControllerTest() {
    controller.reset();
}

QString ControllerTest::loadHex(int size) {
    QByteArray hex;
    for (int at = 0; at < size; at += 16) {
        const int n = std::min(16, size - at);
        QByteArray line = QByteArray::number(n, 16).rightJustified(2, '0') +
                          QByteArray::number(at, 16).rightJustified(4, '0') + "00";
        int sum = n + (at >> 8) + (at & 0xFF);
        for (int i = 0; i < n; ++i) {
            const int b = (at + i) & 0xFF;
            line += QByteArray::number(b, 16).rightJustified(2, '0');
            sum += b;
        }
        line += QByteArray::number((-sum) & 0xFF, 16).rightJustified(2, '0');
        hex += ':' + line.toUpper() + "\r\n";
    }
    hex += ":00000001FF\r\n";
    const QString path = scratch.path() + QStringLiteral("/code.hex");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(hex);
    file.close();
    EXPECT_TRUE(workspace->OpenCodeFile(path, true).Ok);
    return path;
}

ChipRecord ControllerTest::chip(int series) const {
    ChipRecord c;
    c.model = QStringLiteral("ZELH64AD");
    c.id = QStringLiteral("D103");
    c.flash = 65536;
    c.index = series;
    return c;
}

void ControllerTest::startAndIdentify(int button) {
    ASSERT_TRUE(controller->DownloadAction(button));
    driver.identify(chip());
}

}  // namespace korvan::jobs::testing

namespace {

// The port's notifiers need an application object.
class ApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "app_jobs_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) m_app = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

  private:
    std::unique_ptr<QCoreApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace
