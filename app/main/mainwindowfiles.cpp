// The file commands of the main window over the code workspace.
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

#include "core/sizetext.h"
#include "main/datapage.h"
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

void MainWindow::openWithDialog() {
    if (jobRunning()) return;
    const QString name = QFileDialog::getOpenFileName(
        this, {}, QFileInfo(m_workspace.codeFile()).path(), maintext::kOpenFilters);
    if (name.isEmpty()) return;
    openFromDialog(name);
}

void MainWindow::openFromDialog(const QString& path) {
    if (jobRunning()) return;
    applyOpenResult(m_workspace.OpenFromDialog(path));
}

void MainWindow::openHistoryEntry(const QString& entry) {
    if (jobRunning()) return;
    applyOpenResult(m_workspace.OpenHistoryEntry(entry));
}

void MainWindow::openDefaultFile() {
    if (jobRunning()) return;
    applyOpenResult(m_workspace.OpenDefaultFile());
}

void MainWindow::saveAsDefault() {
    storeOptionValues();
    m_workspace.SaveAsDefault();
}

void MainWindow::saveAs() {
    storeOptionValues();
    const QString name =
        QFileDialog::getSaveFileName(this, maintext::kSaveAsTitle, {}, maintext::kSaveFilters);
    if (name.isEmpty()) return;
    say(m_workspace.SaveAs(name));
}

void MainWindow::refreshBuffer() {
    const OpenResult result = m_workspace.RefreshBuffer();
    // Nothing to refresh from in the unattended mode with no window shown: nothing to do.
    if (result.NoFile && m_commandLine.unattended() && !isVisible()) {
        quitWith(1);
        return;
    }
    applyOpenResult(result);
}

// After any open: the message, the rebound controls, the boxes, the mode and the history.
void MainWindow::applyOpenResult(const OpenResult& result) {
    if (result.Message) say(*result.Message);
    if (result.SettingsApplied) {
        m_series->SelectStoredSeries(m_workspace.settings().Mcu);
        m_seriesLists->showCurrent();
        showSettings();
    }
    m_skin->setCaption(m_workspace.caption());
    setWindowTitle(m_workspace.caption());
    showTaskMode();
    showCodeBuffer();
    rebuildFileHistory();
    if (result.CodeLoaded) m_controller->setWatching(m_workspace.settings().AutoDown);
}

void MainWindow::showCodeBuffer() {
    m_txtFile->setText(m_workspace.shownFile());
    m_txtXor->setText(m_workspace.sumText());
    const SizeTexts sizes =
        ShowSizes(qint64(m_workspace.codeBuffer().size()), m_driver.chip().flash);
    m_txtSpa->setText(sizes.CodeSize);
    if (sizes.ChipSpace) m_txtSz->setText(*sizes.ChipSpace);
    if (sizes.FreeSpace) m_txtSize->setText(*sizes.FreeSpace);
    m_dataPage->showGrid();
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
    openFromDialog(urls.first().toLocalFile());
}

}  // namespace korvan
