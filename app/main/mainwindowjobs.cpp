// What the main window shows of a job: the job controller's reports turned into the log
// selection, the buttons' states, the progress bar, the chip tree, the mini window and the end
// of an unattended run.
#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include "main/datapage.h"
#include "main/fileflows.h"
#include "main/incrementpage.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "main/messagegate.h"
#include "main/terminalpage.h"
#include "ui/controls/cmd.h"
#include "ui/controls/progress.h"
#include "ui/controls/vtab.h"
#include "ui/skin/skin.h"
#include "ui/skin/skinpanels.h"
#include "views/seriesoptions.h"
#include "windows/chiptreeview.h"
#include "windows/miniwindow.h"
#include "windows/promptplayer.h"
#include "windows/serieslists.h"
#include "windows/shellstate.h"

namespace korvan {

void MainWindow::showMessage(const UserMessage& message, bool logged,
                             std::function<void(int)> answer) {
    (void)logged;
    const int result = AskUser(message.Text, message.Style, message.Title);
    if (answer) answer(result);
    endIfUnattendedFailed();
}

void MainWindow::busyChanged(jobs::BusyState state) {
    const bool idle = state == jobs::BusyState::Idle;
    for (int i : {0, 1, 3, 4}) m_cmdDown[size_t(i)]->setEnabled(idle);
    m_cmdDown[2]->setEnabled(!idle);
    m_cmdCheck[0]->setEnabled(idle);
    m_cmdCheck[1]->setEnabled(state == jobs::BusyState::Check);
    m_cmdTest->setEnabled(idle);
    m_cmdRun[2]->setEnabled(idle);
    m_terminalPage->setIdle(idle);
    m_incrementPage->setDownloading(state == jobs::BusyState::Download);
}

void MainWindow::progress(int percent) {
    m_progress->setValue(percent);
    if (m_mini) m_mini->setProgress(percent);
}

void MainWindow::progressBarShown(bool shown) {
    if (!shown) m_progress->setValue(0);
    m_progress->setVisible(shown);
}

void MainWindow::playPrompt(int number) {
    PlayPrompt(QString::number(number));
}

// The text comes with its panel layout code.
void MainWindow::counterChanged(const QString& panelText) {
    QVector<kui::StatusPanel> panels = kui::parsePanels(m_skin->Panels());
    const QVector<kui::StatusPanel> counter = kui::parsePanels(panelText);
    if (panels.size() < 2 || counter.isEmpty()) return;
    panels[1] = counter.first();
    m_skin->setPanels(kui::joinPanels(panels));
}

void MainWindow::chipTreeCleared() {
    m_trvSet->clear();
}

void MainWindow::chipWaitLine(const QString& text) {
    m_trvSet->clear();
    m_trvSet->AddTreeLine(text, jobs::icon::kChip, false);
}

void MainWindow::chipIdentified(const jobs::ChipRecord& chip) {
    m_trvSet->ShowChipInfo(chip);
    m_files->showCodeBuffer();
}

void MainWindow::seriesAdopted(int index, const QString& info) {
    (void)info;
    m_series->AdoptDetectedSeries(index);
    m_seriesLists->showCurrent();
}

void MainWindow::selectLogTab() {
    m_tab1->setSelected(0);
}

void MainWindow::selectTerminalTab() {
    m_tab1->setSelected(DataPage::kTerminalPage);
}

void MainWindow::terminalClose() {
    m_terminalPage->openTerminal(false, false);
}

void MainWindow::terminalOpen() {
    m_terminalPage->openTerminal(true, true);
}

void MainWindow::terminalSend() {
    m_terminalPage->sendTerminal();
}

bool MainWindow::terminalIsOpen() const {
    return m_terminalPage->terminalOpen();
}

// Only the file watcher's download asks for it: the mini window follows the download without
// its OK button, and the main window steps aside.
void MainWindow::miniShow() {
    if (!m_mini) {
        m_watcherMini = std::make_unique<MiniWindow>();
        setMiniWindow(m_watcherMini.get());
    }
    m_mini->okButton()->hide();
    m_mini->setProgress(0);
    m_mini->show();
    m_controller->setMiniActive(true);
    showMinimized();
}

void MainWindow::miniText(const QString& text) {
    if (m_mini) m_mini->setMessage(text);
}

void MainWindow::miniClose() {
    if (m_mini) m_mini->hide();
    m_controller->setMiniActive(false);
}

void MainWindow::closeRequested() {
    quitWith(0);
}

void MainWindow::flashWindow() {
    QApplication::alert(this);
}

void MainWindow::runFinished(const jobs::RunResult& result) {
    // An unattended run that did not download ends the program once its message is read.
    if (!m_commandLine.unattended() || Shell().MainShown) return;
    if (result.last.outcome == jobs::Outcome::Success && result.completed > 0) return;
    m_unattendedFailed = true;
    QTimer::singleShot(0, this, &MainWindow::endIfUnattendedFailed);
}

void MainWindow::endIfUnattendedFailed() {
    if (!m_unattendedFailed || Shell().MainShown || OpenMessageCount() > 0) return;
    if (!m_controller->quiet()) return;
    quitWith(1);
}

// The mini window's Cancel: a running download is cancelled, otherwise the program ends.
void MainWindow::miniCancel() {
    if (m_controller->busyState() != jobs::BusyState::Idle) {
        m_controller->DownloadAction(jobs::JobController::kCancel);
        return;
    }
    if (!Shell().MainShown) quitWith(1);
}

}  // namespace korvan
