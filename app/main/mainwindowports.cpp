// The port menu: the port that downloads (and later the terminal) use, COM1 to COM7, each
// tested before it is taken, and the refresh that shows only the ports that exist.
#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>

#include "core/apppaths.h"
#include "core/inifile.h"
#include "jobs/portnumbering.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "main/terminalpage.h"
#include "ui/controls/cmd.h"
#include "windows/shellstate.h"
#include "zelisp_interface.h"

namespace korvan {

namespace {

constexpr int kPortCount = 7;
constexpr int kPortInUse = 8005;

// "COM&3  /dev/ttyUSB0": the user sees which adapter a number stands for.
QString PortCaption(int number) {
    const QString device = kserial::MSComm::deviceForPort(number);
    const QString caption = maintext::kPortPrefix + QChar('&') + QString::number(number);
    return device.isEmpty() ? caption : caption + QStringLiteral("  ") + device;
}

std::optional<jobs::PortProblem> TestPort(int number) {
    jobs::PortAccess probe;
    probe.setTarget(jobs::ParsePortArgument(maintext::kPortPrefix + QString::number(number)));
    return probe.open(jobs::PortAccess::kTestSettings, true);
}

}  // namespace

void MainWindow::buildPortMenu(QMenu* menu) {
    auto* group = new QActionGroup(this);
    for (int n = 1; n <= kPortCount; ++n) {
        QAction* action = menu->addAction(PortCaption(n), this, [this, n] { selectPort(n); });
        action->setCheckable(true);
        group->addAction(action);
        m_portActions << action;
    }
    menu->addSeparator();
    QMenu* presets = menu->addMenu(maintext::kPortPresets);
    m_presetMenu = presets;
    for (const QString& caption : PortPresetCaptions()) {
        if (caption.isEmpty())
            presets->addSeparator();
        else
            presets->addAction(caption, this,
                               [this, caption] { m_terminalPage->applyPreset(caption); });
    }
    m_refreshSeparator = menu->addSeparator();
    m_refreshPorts = menu->addAction(maintext::kPortsRefresh, this, &MainWindow::refreshPorts);
    m_portMenu = menu;
    connect(m_terminalPage->portButton(), &kui::Cmd::Click, this, &MainWindow::popPortMenu);
    connect(m_cmdUset, &kui::Cmd::Click, this, [this] { m_cmdUset->PopMenu(m_presetMenu, 1); });
}

// From the terminal's port button the menu offers the ports and presets, not the refresh.
void MainWindow::popPortMenu() {
    if (!m_terminalPage->portButton()->PopMenu(m_portMenu, 1)) return;
    m_refreshSeparator->setVisible(false);
    m_refreshPorts->setVisible(false);
    connect(
        m_portMenu, &QMenu::aboutToHide, this,
        [this] {
            m_refreshSeparator->setVisible(true);
            m_refreshPorts->setVisible(true);
        },
        Qt::SingleShotConnection);
}

// Every part takes the new port, or none does: the control refuses while its port is open.
bool MainWindow::showComPort(int number) {
    if (m_control.setCommPort(int16_t(number)) != zelisp::kOk) return false;
    Shell().Config.update([number](ProgramConfig& c) { c.ComPort = number; });
    m_port.setTarget(jobs::ParsePortArgument(maintext::kPortPrefix + QString::number(number)));
    m_terminalPage->showPortNumber(number);
    for (int n = 1; n <= int(m_portActions.size()); ++n)
        m_portActions[n - 1]->setChecked(n == number);
    return true;
}

void MainWindow::selectPort(int number) {
    const int current = Shell().Config.value().ComPort;
    if (number == current || jobRunning()) {
        showComPort(current);
        return;
    }
    if (const auto problem = TestPort(number)) {
        showComPort(current);
        say(UserMessage{problem->message, problem->style, {}});
        return;
    }
    // The terminal talks through the port being replaced: it closes first, so that it never
    // holds one port while the menu, the control and Config.ini name another.
    if (m_terminalPage->terminalOpen()) m_terminalPage->openTerminal(true, false);
    if (!showComPort(number)) {
        showComPort(current);
        say(UserMessage{maintext::kTerminalInUse, 11, {}});
        return;
    }
    WriteConfig(QStringLiteral("Config"), QStringLiteral("ComPort"), QString::number(number));
    jobs::RememberPortNumber(number, CurrentAppPaths().configFile());
}

// At load nothing is opened: a port is offered when its device is there, and the port kept
// from the last run falls back to COM1 when it is not (the choice in Config.ini stays).
void MainWindow::listPorts() {
    if (jobRunning() || m_terminalPage->terminalOpen()) return;
    for (int n = 1; n <= int(m_portActions.size()); ++n) {
        const QString device = kserial::MSComm::deviceForPort(n);
        m_portActions[n - 1]->setText(PortCaption(n));
        m_portActions[n - 1]->setVisible(!device.isEmpty() && QFileInfo::exists(device));
    }
    const int current = Shell().Config.value().ComPort;
    const bool shown = current >= 1 && current <= int(m_portActions.size()) &&
                       m_portActions[current - 1]->isVisible();
    showComPort(shown ? current : 1);
}

void MainWindow::refreshPorts() {
    if (jobRunning() || m_terminalPage->terminalOpen()) return;
    for (int n = 1; n <= int(m_portActions.size()); ++n) {
        m_portActions[n - 1]->setText(PortCaption(n));
        const auto problem = TestPort(n);
        m_portActions[n - 1]->setVisible(!problem || problem->number == kPortInUse);
        QCoreApplication::processEvents();
    }
    const int current = Shell().Config.value().ComPort;
    const bool shown = current >= 1 && current <= int(m_portActions.size()) &&
                       m_portActions[current - 1]->isVisible();
    showComPort(shown ? current : 1);
}

}  // namespace korvan
