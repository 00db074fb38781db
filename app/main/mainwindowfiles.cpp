// The main window's side of the file commands (FileFlows), task mode and dropped files.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>

#include "main/datapage.h"
#include "main/fileflows.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "main/messagegate.h"
#include "main/terminalpage.h"
#include "ui/controls/cmd.h"
#include "ui/controls/vtab.h"
#include "ui/skin/skin.h"
#include "views/seriesoptions.h"
#include "windows/serieslists.h"

namespace korvan {

bool MainWindow::jobRunning() const {
    return m_control.Buzy() != 0;
}

void MainWindow::say(const UserMessage& message) {
    AskUser(message.Text, message.Style, message.Title);
}

void MainWindow::openFromDialog(const QString& path) {
    m_files->openFromDialog(path);
}

// The file commands live in FileFlows; the window follows what they report.
void MainWindow::showCaption() {
    const QString caption = m_workspace.caption();
    m_skin->setCaption(caption);
    setWindowTitle(caption);
}

void MainWindow::bindFileFlows() {
    m_files = new FileFlows(m_workspace, {m_txtFile, m_txtXor, m_txtSpa, m_txtSz, m_txtSize},
                            *m_dataPage, this);
    m_files->setBusyCheck([this] { return jobRunning(); });
    m_files->setFlashSize([this] { return m_driver.chip().flash; });
    // The option editor holds its values itself: they go to the owner before a file is written.
    connect(m_files, &FileFlows::settingsNeeded, this, &MainWindow::storeOptionValues);
    connect(m_files, &FileFlows::settingsApplied, this, [this] {
        m_series->SelectStoredSeries(m_workspace.settings().Mcu);
        m_seriesLists->showCurrent();
        showSettings();
    });
    connect(m_files, &FileFlows::openShown, this, [this](const OpenResult& result) {
        showCaption();
        showTaskMode();
        rebuildFileHistory();
        if (result.CodeLoaded) m_controller->setWatching(m_workspace.settings().AutoDown);
    });
    // Nothing to refresh from in the unattended mode with no window shown: nothing to do.
    connect(m_files, &FileFlows::nothingToRefresh, this, [this] {
        if (m_commandLine.unattended() && !isVisible()) quitWith(1);
    });
}

void MainWindow::showTaskMode() {
    const bool task = m_workspace.taskMode();
    for (int i = 1; i < m_tab1->TabCount(); ++i) m_tab1->Change(i, QString(), !task);
    for (QCheckBox* box : m_check) box->setEnabled(!task);
    for (QAction* action : m_taskHidden) action->setVisible(!task);
    m_txtFile->setEnabled(!task);
    if (task) m_tab1->setSelected(0);
    m_openDefault->setEnabled(m_workspace.openDefaultEnabled());
    m_saveDefault->setEnabled(m_workspace.saveDefaultEnabled());
    m_cboMcu[0]->setEnabled(!task && !m_check[2]->isChecked());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !jobRunning()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    m_files->openFromDialog(urls.first().toLocalFile());
}

}  // namespace korvan
