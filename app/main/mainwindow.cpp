#include "main/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QTimer>

#include "core/history.h"
#include "core/language.h"
#include "core/programconfig.h"
#include "core/registrystore.h"
#include "core/settingsfilecheck.h"
#include "main/fileflows.h"
#include "main/maintexts.h"
#include "main/messagegate.h"
#include "record/databaseserials.h"
#include "record/recorder.h"
#include "ui/controls/cmd.h"
#include "ui/controls/vsmenu.h"
#include "ui/controls/vtab.h"
#include "ui/skin/skin.h"
#include "ui/skin/skinpanels.h"
#include "views/seriesoptions.h"
#include "windows/miniwindow.h"
#include "windows/serieslists.h"
#include "windows/shellstate.h"
#include "windows/windowlanguage.h"
#include "windows/windowplacement.h"
#include "windows/windowskin.h"
#include "windows/windowtexts.h"
#include "zelisp_interface.h"

namespace korvan {

namespace {

constexpr int kClockMs = 3000;

}  // namespace

MainWindow::MainWindow(zelisp::IZelIsp& control, const AppPaths& paths,
                       const CommandLine& commandLine, QWidget* parent)
    : QWidget(parent),
      m_control(control),
      m_commandLine(commandLine),
      m_workspace(paths),
      m_driver(m_clock, control),
      m_counter(paths) {
    m_controller = std::make_unique<jobs::JobController>(jobs::JobController::Parts{
        m_driver, m_clock, m_workspace, m_port, m_launcher, m_counter, *this});
    m_controller->setSettingsSource([this] { return jobSettings(); });
    m_series = std::make_unique<SeriesOptions>(m_control, m_workspace);
    buildFrame();
    bindFileFlows();
    m_seriesLists = new SeriesLists(*m_series, m_cboMcu[0], m_cboMcu[1], this);
    buildMenus();
    m_vsMenu = new kui::VsMenu(this);
    m_vsMenu->Init(this);
    connect(m_check[2], &QCheckBox::toggled, this, [this] { showTaskMode(); });
    bindSettings();
    m_clockTimer = new QTimer(this);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::tickClock);
    busyChanged(jobs::BusyState::Idle);
    Shell().MainWindow = this;
}

MainWindow::~MainWindow() {
    // The controller reports to this window until it goes.
    m_controller.reset();
    // The menu control reports the end of its host; this window is no longer one by then.
    delete m_vsMenu;
    // The control's widget belongs to its creator, not to this window.
    if (QWidget* editor = m_control.widget()) editor->setParent(nullptr);
}

bool MainWindow::load() {
    Shell().Config.set(LoadConfig(m_workspace.paths(), Shell().Config.value()));
    const ProgramConfig& config = Shell().Config.value();
    // A settings file too large or not a file was neither read nor will be written: say so.
    if (const QStringList refused = RefusedSettingsFiles(m_workspace.paths()); !refused.isEmpty())
        QTimer::singleShot(0, this, [this, refused] {
            say(UserMessage{refused.join(QStringLiteral("\r\n")), 11, {}});
        });
    m_topMost->setChecked(config.SetTop);
    // The port map of Config.ini is read when a port is first set, before the menu lists.
    showComPort(config.ComPort);
    listPorts();
    showResetSequence();
    connect(&Shell().Config, &SettingsAnnouncer::changed, this, &MainWindow::showResetSequence,
            Qt::UniqueConnection);
    m_controller->CountDownload(2);
    startRecording();
    connect(&Shell().Config, &SettingsAnnouncer::changed, this, &MainWindow::startRecording,
            Qt::UniqueConnection);

    m_workspace.setSeriesCount(m_control.ListCount());
    m_seriesLists->fill();
    translate();
    applySkin();
    m_skin->Init();
    showPanels();
    m_workspace.LoadHistory();
    rebuildCommandHistory();

    OpenResult opened;
    const QString& file = m_commandLine.File;
    if (!file.isEmpty()) {
        // A damaged file is asked about before anything else, in the mini window's place.
        const bool miniShown = m_mini && m_mini->isVisible();
        if (miniShown && m_workspace.CodeFileWarning(file)) m_mini->hide();
        if (!m_files->confirmCodeFile(file)) return false;
        if (miniShown) m_mini->show();
        opened = m_workspace.OpenCodeFile(file, false);
        if (!opened.Ok) {
            if (m_mini) m_mini->hide();
            AskUser(msg::kUnsupportedFormat + QStringLiteral("\r\n") + file, 11);
            return false;
        }
        History history = History::load(m_workspace.paths().configFile());
        history.add(HistoryKind::Files, file, m_workspace.paths().configFile());
        m_workspace.LoadHistory();
    } else if (config.OpenLast && !m_workspace.history().files().isEmpty()) {
        opened = m_workspace.OpenCodeFile(m_workspace.history().files().first(), false);
        opened.Message.reset();  // a last file gone is no reason to greet the user with a box
    } else {
        opened = m_workspace.LoadUserSettings();
    }
    opened.SettingsApplied = true;
    m_files->applyOpenResult(opened);
    return true;
}

// Lang.ini: buttons and labels as every window takes them, then what only this window has.
void MainWindow::translate() {
    ApplyLanguage(this);
    const LangTable table = LangTable::load(m_workspace.paths().langFile());
    if (!table.exists()) return;
    const int base = property("Tag").toInt();
    const auto tagOf = [](const QObject* control) { return control->property("Tag").toInt(); };
    for (QCheckBox* box : findChildren<QCheckBox*>())
        if (tagOf(box) > 0) box->setText(table.text(base + tagOf(box), box->text()));
    for (kui::vTab* tabs : {m_tab1, m_tab2}) {
        const QString captions = table.text(base + tagOf(tabs), QString());
        if (!captions.isEmpty()) tabs->setTabs(captions);
    }
}

jobs::JobSettings MainWindow::jobSettings() const {
    const ProgramConfig& config = Shell().Config.value();
    jobs::JobSettings settings;
    settings.errTim = config.ErrTim;
    if (config.MaxBaud > 0) settings.maxBaud = config.MaxBaud;
    settings.openRts = config.OpenRts;
    settings.resetSequence = ParseResetSequence(config.ResetSeq).sequence.value_or(ResetSequence{});
    settings.count = config.Count;
    settings.reCount = config.ReCount;
    settings.autoClose = config.AutoClose;
    settings.unattended = m_commandLine.unattended() && !Shell().MainShown;
    return settings;
}

void MainWindow::startCommandLineDownload() {
    m_controller->setMiniActive(m_mini && m_mini->isVisible());
    if (m_controller->DownloadAction(jobs::JobController::kDownload)) return;
    // Refused before it began (no code, no port): nothing will report an end.
    if (m_commandLine.unattended() && !Shell().MainShown) {
        m_unattendedFailed = true;
        QTimer::singleShot(0, this, &MainWindow::endIfUnattendedFailed);
    }
}

void MainWindow::showForUser() {
    Shell().MainShown = true;
    m_controller->setMiniActive(false);
    show();
    raise();
    activateWindow();
}

void MainWindow::setMiniWindow(MiniWindow* mini) {
    m_mini = mini;
    if (!mini) return;
    connect(mini, &MiniWindow::openMainRequested, this, &MainWindow::showForUser);
    connect(mini, &MiniWindow::cancelRequested, this, &MainWindow::miniCancel);
}

void MainWindow::quitWith(int code) {
    m_exitCode = code;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_unloaded) {
        event->accept();
        return;
    }
    if (m_controller->writing() && AskUser(maintext::CloseWhileWriting(), 21) != 1) {
        event->ignore();
        return;
    }
    m_controller->CancelForExit();
    m_unloaded = true;
    if (m_mini) m_mini->close();
    hide();
    QCoreApplication::processEvents();
    storeOptionValues();
    // Any switch means a run for a tool or a script: the user's settings stay as they were.
    // A failed save says so: the file kept its old content, which the user should know.
    if (m_commandLine.savesSettingsAtExit() && !m_workspace.SaveOnExit())
        if (const auto failure = m_workspace.saveFailure()) say(*failure);
    m_controller->setWatching(false);
    m_port.close();
    if (!m_txtTest->text().trimmed().isEmpty()) {
        History history = History::load(m_workspace.paths().configFile());
        history.add(HistoryKind::Commands, m_workspace.settings().Rest,
                    m_workspace.paths().configFile());
    }
    m_clockTimer->stop();
    event->accept();
    QTimer::singleShot(0, qApp, [code = m_exitCode] { QCoreApplication::exit(code); });
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    tickClock();
    m_clockTimer->start(kClockMs);
}

void MainWindow::showPanels() {
    const QString version =
        wintext::kProductDescription + QStringLiteral("  ") + Shell().AppVersion;
    QStringList panels{
        version, maintext::kCounterLayout,
        QDateTime::currentDateTime().toString(maintext::kClockFormat) + maintext::kClockLayout};
    m_skin->setPanels(panels.join(kui::kPanelSeparator));
    m_controller->CountDownload(2);
}

void MainWindow::tickClock() {
    m_skin->setPanelText(2, QDateTime::currentDateTime().toString(maintext::kClockFormat));
}

void MainWindow::chooseSkin(int index) {
    if (index < 2) {
        Shell().SkinNumber = index;
        Shell().SkinIndex = -1;
    } else {
        Shell().SkinIndex = index - 2;
    }
    // The menu holds the default look first, then the engine's skins.
    const int entry = index < 2 ? 0 : index - 1;
    if (entry < m_skinActions.size()) m_skinActions[entry]->setChecked(true);
    applySkin();
    // A number no engine skin has keeps the default look at the next start.
    WriteAppRegistry(QStringLiteral("UCSK"),
                     index >= 2 ? QString::number(index - 2) : QStringLiteral("-1"));
}

void MainWindow::applySkin() {
    ApplyWindowSkin(this, m_skin);
    // The option editor's scrolling area takes the page colour of the tab strip around it.
    if (!Shell().Config.value().ColorOpen) m_control.setForeColor(m_tab1->BackColorEnd());
}

}  // namespace korvan
