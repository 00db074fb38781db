// The port menu: the port that downloads (and later the terminal) use, COM1 to COM7, each
// tested before it is taken, and the refresh that shows only the ports that exist.
#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMenu>
#include <QTimer>

#include "core/apppaths.h"
#include "core/inifile.h"
#include "jobs/portnumbering.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "main/terminalpage.h"
#include "ui/controls/cmd.h"
#include "ui/skin/skin.h"
#include "windows/shellstate.h"
#include "zelisp_interface.h"

namespace korvan {

namespace {

constexpr int kPortCount = 7;
constexpr int kPortInUse = 8005;

// Enough for udev to make the by-id link after the device node, so one refresh sees both.
constexpr int kPortSettleMs = 250;

// "COM&3  /dev/ttyUSB0  CH340 (1a86:7523)": the user sees which adapter a number stands for.
QString PortCaption(int number, const QList<kserial::NumberedPort>& ports) {
    for (const kserial::NumberedPort& port : ports)
        if (port.number == number)
            return jobs::PortCaption(port).replace(0, maintext::kPortPrefix.size(),
                                                   maintext::kPortPrefix + QChar('&'));
    return maintext::kPortPrefix + QChar('&') + QString::number(number);
}

bool PortPresent(int number, const QList<kserial::NumberedPort>& ports) {
    for (const kserial::NumberedPort& port : ports)
        if (port.number == number) return port.present;
    return false;
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
        QAction* action = menu->addAction(maintext::kPortPrefix + QChar('&') + QString::number(n),
                                          this, [this, n] { selectPort(n); });
        action->setCheckable(true);
        group->addAction(action);
        m_portActions << action;
    }
    menu->addSeparator();
    QMenu* presets = m_captions.menu(menu, maintext::kPortPresets);
    m_presetMenu = presets;
    for (const QString& caption : PortPresetCaptions()) {
        if (caption.isEmpty())
            presets->addSeparator();
        else
            presets->addAction(caption, this,
                               [this, caption] { m_terminalPage->applyPreset(caption); });
    }
    m_refreshSeparator = menu->addSeparator();
    m_refreshPorts =
        m_captions.action(menu, maintext::kPortsRefresh, this, &MainWindow::refreshPorts);
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
    m_wantedPort = number;
}

// At load nothing is opened: a port is offered when its device is there, and the port kept
// from the last run falls back to COM1 when it is not (the choice in Config.ini stays).
void MainWindow::listPorts() {
    if (jobRunning() || m_terminalPage->terminalOpen()) return;
    const QList<kserial::NumberedPort> ports = kserial::MSComm::numberedPorts();
    for (int n = 1; n <= int(m_portActions.size()); ++n) {
        m_portActions[n - 1]->setText(PortCaption(n, ports));
        m_portActions[n - 1]->setVisible(PortPresent(n, ports));
    }
    const int current = Shell().Config.value().ComPort;
    if (m_wantedPort == 0) m_wantedPort = current;
    watchPorts();
    const bool shown = current >= 1 && current <= int(m_portActions.size()) &&
                       m_portActions[current - 1]->isVisible();
    showComPort(shown ? current : 1);
}

void MainWindow::refreshPorts() {
    if (jobRunning() || m_terminalPage->terminalOpen()) return;
    const QList<kserial::NumberedPort> ports = kserial::MSComm::numberedPorts();
    for (int n = 1; n <= int(m_portActions.size()); ++n) {
        m_portActions[n - 1]->setText(PortCaption(n, ports));
        const auto problem = TestPort(n);
        m_portActions[n - 1]->setVisible(!problem || problem->number == kPortInUse);
        QCoreApplication::processEvents();
    }
    const int current = Shell().Config.value().ComPort;
    const bool shown = current >= 1 && current <= int(m_portActions.size()) &&
                       m_portActions[current - 1]->isVisible();
    showComPort(shown ? current : 1);
}

// udev makes and removes the device nodes in /dev and the links in /dev/serial/by-id; watching
// both folders hears an adapter within a moment, without opening any device. The by-id folder
// only exists while an adapter is plugged in, so it is watched again each time.
void MainWindow::watchPorts() {
    const QString dev = kserial::MSComm::scanRoots().devDir;
    if (!m_portWatcher) {
        m_portWatcher = new QFileSystemWatcher(this);
        m_portSettle = new QTimer(this);
        m_portSettle->setSingleShot(true);
        m_portSettle->setInterval(kPortSettleMs);
        connect(m_portWatcher, &QFileSystemWatcher::directoryChanged, m_portSettle,
                qOverload<>(&QTimer::start));
        connect(m_portSettle, &QTimer::timeout, this, &MainWindow::portsChanged);
    }
    const QStringList wanted{dev, dev + QStringLiteral("/serial"),
                             dev + QStringLiteral("/serial/by-id")};
    for (const QString& folder : wanted)
        if (!m_portWatcher->directories().contains(folder) && QFileInfo(folder).isDir())
            m_portWatcher->addPath(folder);
}

void MainWindow::portsChanged() {
    watchPorts();
    const QList<kserial::NumberedPort> ports = kserial::MSComm::numberedPorts();
    for (int n = 1; n <= int(m_portActions.size()); ++n) {
        m_portActions[n - 1]->setText(PortCaption(n, ports));
        m_portActions[n - 1]->setVisible(PortPresent(n, ports));
    }
    if (jobRunning()) return;  // the job tells of its own port
    const int current = Shell().Config.value().ComPort;
    const int wanted = m_wantedPort > 0 ? m_wantedPort : current;
    const bool there = PortPresent(wanted, ports);
    if (!there && !m_portGone) {
        m_portGone = true;
        m_skin->setPanelText(0, maintext::PortGone(wanted));
    } else if (there && (m_portGone || wanted != current)) {
        m_portGone = false;
        if (wanted != current && !m_terminalPage->terminalOpen()) showComPort(wanted);
        m_skin->setPanelText(0, maintext::PortBack(wanted));
    }
}

}  // namespace korvan
