// The data grid and the terminal under load, offscreen: a 16 MiB buffer from ShowGrid to the
// grid painted, scrolling it from the first row to the last, and 1 MiB of hexadecimal input
// into the receive box with the process's CPU time.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

#include "main/datapage.h"
#include "main/terminalpage.h"

using namespace korvan;

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BenchGrid(const QTemporaryDir& dir) {
    const QString file = dir.filePath(QStringLiteral("big.bin"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return;
    QByteArray bytes(16 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 31);
    out.write(bytes);
    out.close();
    AppPaths paths;
    paths.AppPath = dir.path() + QLatin1Char('/');
    paths.TempPath = paths.AppPath;
    paths.RegistryFile = paths.AppPath + QStringLiteral("registry.ini");
    CodeWorkspace workspace(paths);
    if (!workspace.OpenCodeFile(file, true).Ok) {
        std::puts("grid: the 16 MiB file did not load");
        return;
    }
    DataPage page(workspace);
    page.resize(600, 400);
    page.show();
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    page.showGrid();
    page.grid()->viewport()->repaint();
    QCoreApplication::processEvents();
    std::printf("grid: 16 MiB (%d rows) ShowGrid to painted: %lld ms\n",
                page.grid()->model()->rowCount(), timer.elapsed());
    timer.restart();
    QScrollBar* bar = page.grid()->verticalScrollBar();
    bar->setValue(bar->maximum());
    page.grid()->viewport()->repaint();
    QCoreApplication::processEvents();
    std::printf("grid: first row to last row painted: %lld ms\n", timer.elapsed());
}

void BenchTerminal() {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return;
    jobs::PortAccess port;
    port.setTarget(jobs::ParsePortArgument(QString::fromLocal8Bit(::ptsname(master))));
    jobs::SystemJobClock clock;
    TerminalPage page(port, clock);
    page.hexBox()->setChecked(true);
    page.openTerminal(true, true);
    constexpr qsizetype kSize = 1024 * 1024;
    QByteArray data(kSize, '\x5a');
    qsizetype written = 0;
    const double cpuBefore = CpuSeconds();
    QElapsedTimer timer;
    timer.start();
    while (page.receivedCount() < kSize && timer.elapsed() < 60000) {
        if (written < kSize) {
            const ssize_t n = ::write(master, data.constData() + written, size_t(kSize - written));
            if (n > 0) written += n;
        }
        QCoreApplication::processEvents();
    }
    page.flushReceived();
    const double seconds = double(timer.elapsed()) / 1000.0;
    std::printf(
        "terminal: 1 MiB hex input received in %.3f s (%.1f MiB/s), CPU %.3f s, "
        "counted %u bytes\n",
        seconds, 1.0 / seconds, CpuSeconds() - cpuBefore, page.receivedCount());
    ::close(master);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("KORVAN_MESSAGE_ANSWER", "1");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    kserial::MSComm::setLockDirectory(dir.path());
    BenchGrid(dir);
    BenchTerminal();
    return 0;
}
