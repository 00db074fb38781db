// The six menus of the main window and the two history menus.
#include <QActionGroup>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include "core/history.h"
#include "core/inifile.h"
#include "core/valueforms.h"
#include "desktop/calculator.h"
#include "desktop/desktoptexts.h"
#include "main/datapage.h"
#include "main/fileflows.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "ui/controls/cmd.h"
#include "ui/controls/vtab.h"
#include "ui/core/skinobject.h"
#include "windows/aboutwindow.h"
#include "windows/helpwindow.h"
#include "windows/shellstate.h"
#include "windows/windowplacement.h"

namespace korvan {

void MainWindow::buildMenus() {
    buildFileMenu();
    m_dataPage->fillEditMenu(m_captions.menu(m_menuBar, maintext::kMenuEdit));

    QMenu* view = m_captions.menu(m_menuBar, maintext::kMenuView);
    for (int i = 0; i < maintext::kPages.size(); ++i) {
        if (i == 2) {
            for (int k = 0; k < maintext::kOptionPages.size(); ++k)
                m_captions.action(view, maintext::kOptionPages.text(k), this,
                                  [this, k] { selectOptionPage(k); });
            continue;
        }
        m_captions.action(view, maintext::kPages.text(i), this, [this, i] { selectPage(i); });
    }

    buildLanguageMenu(view);

    buildPortMenu(m_captions.menu(m_menuBar, maintext::kMenuPort));

    QMenu* tools = m_captions.menu(m_menuBar, maintext::kMenuTool);
    m_captions.action(tools, maintext::kSettings, this, [this] { openSettings(); });
    m_captions.action(tools, maintext::kProductionRecord, this, [this] { openProductionRecord(); });
    buildSkinMenu(tools);
    m_captions.action(tools, maintext::kCalculator, this, [this] {
        if (!desktop::StartCalculator()) say(UserMessage{desktop::text::kNoCalculator, 11, {}});
    });
    m_topMost = m_captions.action(tools, maintext::kTopMost);
    m_topMost->setCheckable(true);
    connect(m_topMost, &QAction::toggled, this, [this](bool on) {
        Shell().TopMost = on;
        SetTopMost(this, on);
    });
    // Only the user's choice is written, not the state loaded at start.
    connect(m_topMost, &QAction::triggered, this, [](bool on) {
        WriteConfig(QStringLiteral("Config"), QStringLiteral("SetTop"), BoolText(on));
    });
    // The IDE's tool entry is switched in the settings dialog; this entry leads there.
    m_captions.action(tools, maintext::kIdeEntry, this, [this] { openSettings(); });

    QMenu* help = m_captions.menu(m_menuBar, maintext::kMenuHelp);
    m_captions.action(help, maintext::kHelpTopics, this, [this] {
        HelpWindow window(this);
        window.exec();
    });
    QAction* support = m_captions.action(help, maintext::kSupport, this, [] {
        QDesktopServices::openUrl(QUrl(desktop::text::kSupportPage));
    });
    support->setToolTip(desktop::text::kSupportPage);
    help->addSeparator();
    m_captions.action(help, maintext::kAbout, this, [this] {
        AboutWindow window(this);
        window.exec();
    });
}

void MainWindow::buildFileMenu() {
    m_fileMenu = m_captions.menu(m_menuBar, maintext::kMenuFile);
    QAction* open =
        m_captions.action(m_fileMenu, maintext::kOpenFile, m_files, &FileFlows::openWithDialog);
    open->setShortcut(QKeySequence::Open);
    m_openDefault =
        m_captions.action(m_fileMenu, maintext::kOpenDefault, m_files, &FileFlows::openDefaultFile);
    m_saveDefault =
        m_captions.action(m_fileMenu, maintext::kSaveDefault, m_files, &FileFlows::saveAsDefault);
    m_fileMenu->addSeparator();
    m_fileHistory = m_captions.menu(m_fileMenu, maintext::kFileHistory);
    m_taskHidden << m_saveDefault;
    m_taskHidden << m_captions.action(m_fileMenu, maintext::kRefresh, m_files,
                                      &FileFlows::refreshBuffer);
    m_taskHidden << m_fileMenu->addSeparator();
    m_commandHistory = m_captions.menu(m_fileMenu, maintext::kCommandHistory);
    m_taskHidden << m_commandHistory->menuAction();
    m_taskHidden << m_captions.action(m_fileMenu, maintext::kSaveAs, m_files, &FileFlows::saveAs);
    m_taskHidden << m_fileMenu->addSeparator();
    m_captions.action(m_fileMenu, maintext::kExit, this, [this] { quitWith(0); });
    connect(m_cmdOpen, &kui::Cmd::Click, m_files, &FileFlows::openWithDialog);
    connect(m_cmdOpen, &kui::Cmd::DropClick, this,
            [this] { m_cmdOpen->PopMenu(m_fileHistory, 1); });
    connect(m_cmdCode, &kui::Cmd::Click, this, [this] { m_cmdCode->PopMenu(m_commandHistory, 1); });
}

void MainWindow::buildSkinMenu(QMenu* tools) {
    m_skinMenu = m_captions.menu(tools, maintext::kSkins);
    auto* group = new QActionGroup(this);
    const auto add = [&](const QString& caption, int index) {
        QAction* action =
            m_skinMenu->addAction(caption, this, [this, index] { chooseSkin(index); });
        action->setCheckable(true);
        group->addAction(action);
        m_skinActions << action;
    };
    // The frame's own look, then what the skin engine offers when it is there.
    add(maintext::kDefaultSkin, 0);
    m_captions.text(m_skinActions.first(), maintext::kDefaultSkin);
    kui::SkinEngine* engine = Shell().SkinEngine;
    const int engineSkins = engine ? engine->SkinCount() : 0;
    for (int i = 0; i < engineSkins; ++i) add(engine->SkinName(i), 2 + i);
    const int index = Shell().SkinIndex;
    const int current = index >= 0 && index < engineSkins ? 1 + index : 0;
    m_skinActions[current]->setChecked(true);
}

void MainWindow::rebuildFileHistory() {
    m_fileHistory->clear();
    const QStringList files = m_workspace.history().files();
    const QStringList captions = m_workspace.history().menuCaptions(HistoryKind::Files);
    for (int i = 0; i < files.size() && i < captions.size(); ++i) {
        const QString entry = files.at(i);
        m_fileHistory
            ->addAction(captions.at(i), this, [this, entry] { m_files->openHistoryEntry(entry); })
            ->setToolTip(entry);
    }
    if (files.isEmpty()) m_fileHistory->addAction(maintext::kEmptyHistory)->setEnabled(false);
}

void MainWindow::rebuildCommandHistory() {
    m_commandHistory->clear();
    const QStringList commands = m_workspace.history().commands();
    const QStringList captions = m_workspace.history().menuCaptions(HistoryKind::Commands);
    for (int i = 0; i < commands.size() && i < captions.size(); ++i) {
        const QString command = commands.at(i);
        m_commandHistory->addAction(captions.at(i), this, [this, command] {
            m_workspace.updateSettings([&command](UserSettings& s) { s.Rest = command; });
            // The entry used last heads the list.
            History history = History::load(m_workspace.paths().configFile());
            history.add(HistoryKind::Commands, command, m_workspace.paths().configFile());
            m_workspace.LoadHistory();
            // Not from inside the entry's own signal: rebuilding deletes the entry.
            QMetaObject::invokeMethod(this, &MainWindow::rebuildCommandHistory,
                                      Qt::QueuedConnection);
        });
    }
    if (commands.isEmpty()) m_commandHistory->addAction(maintext::kEmptyHistory)->setEnabled(false);
}

QAction* MainWindow::fileAction(const QString& caption) const {
    for (QAction* action : m_fileMenu->actions())
        if (action->text() == caption) return action;
    return nullptr;
}

void MainWindow::selectPage(int index) {
    m_tab1->setSelected(index);
}

void MainWindow::selectOptionPage(int index) {
    m_tab1->setSelected(2);
    m_tab2->setSelected(index);
}

}  // namespace korvan
