// The port menu: the port that downloads (and later the terminal) use, COM1 to COM7, each
// tested before it is taken, and the refresh that shows only the ports that exist.
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

#include "core/inifile.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "windows/shellstate.h"
#include "zelisp_interface.h"

namespace korvan {

namespace {

constexpr int kPortCount = 7;
constexpr int kPortInUse = 8005;

std::optional<jobs::PortProblem> TestPort(int number) {
    jobs::PortAccess probe;
    probe.setTarget(jobs::ParsePortArgument(maintext::kPortPrefix + QString::number(number)));
    return probe.open(jobs::PortAccess::kTestSettings, true);
}

}  // namespace

void MainWindow::buildPortMenu(QMenu* menu) {
    auto* group = new QActionGroup(this);
    for (int n = 1; n <= kPortCount; ++n) {
        QAction* action = menu->addAction(maintext::kPortPrefix + QString::number(n), this,
                                          [this, n] { selectPort(n); });
        action->setCheckable(true);
        group->addAction(action);
        m_portActions << action;
    }
    menu->addSeparator();
    menu->addAction(maintext::kPortsRefresh, this, &MainWindow::refreshPorts);
}

void MainWindow::showComPort(int number) {
    Shell().Config.ComPort = number;
    m_control.setCommPort(int16_t(number));
    m_port.setTarget(jobs::ParsePortArgument(maintext::kPortPrefix + QString::number(number)));
    for (int n = 1; n <= int(m_portActions.size()); ++n)
        m_portActions[n - 1]->setChecked(n == number);
}

void MainWindow::selectPort(int number) {
    const int current = Shell().Config.ComPort;
    if (number == current || jobRunning()) {
        showComPort(current);
        return;
    }
    if (const auto problem = TestPort(number)) {
        showComPort(current);
        say(UserMessage{problem->message, problem->style, {}});
        return;
    }
    showComPort(number);
    WriteConfig(QStringLiteral("Config"), QStringLiteral("ComPort"), QString::number(number));
}

void MainWindow::refreshPorts() {
    if (jobRunning()) return;
    for (int n = 1; n <= int(m_portActions.size()); ++n) {
        const auto problem = TestPort(n);
        m_portActions[n - 1]->setVisible(!problem || problem->number == kPortInUse);
        QCoreApplication::processEvents();
    }
    const int current = Shell().Config.ComPort;
    const bool shown = current >= 1 && current <= int(m_portActions.size()) &&
                       m_portActions[current - 1]->isVisible();
    showComPort(shown ? current : 1);
}

}  // namespace korvan
