// The main window's side of the file commands (FileFlows), task mode, dropped files, and the
// controls bound to the user settings.
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
void MainWindow::bindFileFlows() {
    m_files = new FileFlows(m_workspace, {m_txtFile, m_txtXor, m_txtSpa, m_txtSz, m_txtSize},
                            *m_dataPage, this);
    m_files->setBusyCheck([this] { return jobRunning(); });
    m_files->setFlashSize([this] { return m_driver.chip().flash; });
    connect(m_files, &FileFlows::settingsNeeded, this, &MainWindow::takeSettings);
    connect(m_files, &FileFlows::settingsApplied, this, [this] {
        m_series->SelectStoredSeries(m_workspace.settings().Mcu);
        m_seriesLists->showCurrent();
        showSettings();
    });
    connect(m_files, &FileFlows::openShown, this, [this](const OpenResult& result) {
        m_skin->setCaption(m_workspace.caption());
        setWindowTitle(m_workspace.caption());
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

// Every change of a bound control reaches the settings at once: the file watcher and the
// repeats read them without a button being pressed.
void MainWindow::bindSettings() {
    const auto take = [this] {
        if (!m_binding) takeSettings();
    };
    for (QCheckBox* box : findChildren<QCheckBox*>()) connect(box, &QCheckBox::toggled, this, take);
    for (QLineEdit* box :
         {m_txtTest, m_txtExe[0], m_txtExe[1], m_incAddress, m_incFormat, m_incNext})
        connect(box, &QLineEdit::editingFinished, this, take);
    connect(m_combo3, &QComboBox::currentIndexChanged, this, take);
    connect(m_terminalPage->periodBox(), &QLineEdit::editingFinished, this, take);
    const QString* filters[] = {&maintext::kProgramFilters, &maintext::kAllFilesFilter};
    for (int i = 0; i < 2; ++i)
        connect(m_cmdRun[size_t(i)], &kui::Cmd::Click, this, [this, i, filter = filters[i]] {
            const QString name = QFileDialog::getOpenFileName(this, {}, {}, *filter);
            if (name.isEmpty()) return;
            m_txtExe[size_t(i)]->setText(name);
            takeSettings();
        });
}

// Settings → controls.
void MainWindow::showSettings() {
    m_binding = true;
    const UserSettings& s = m_workspace.settings();
    m_check[0]->setChecked(s.UseResetCommand);
    m_check[1]->setChecked(s.AutoData);
    m_check[2]->setChecked(s.AutoType);
    m_check[3]->setChecked(s.AutoDown);
    m_txtTest->setText(SplitRest(s.Rest).Command);
    m_terminalPage->syncPortSettings(s.Rest, false);
    m_terminalPage->showUserSettings(s.TermHex, s.TermCrlf, s.TermTimer, s.TermSend);
    m_chkExe->setChecked(s.RunAfter);
    m_txtExe[0]->setText(s.RunProgram);
    m_txtExe[1]->setText(s.RunParameters);
    m_combo3->setCurrentIndex(std::clamp(s.RunDelayIndex, 0, m_combo3->count() - 1));
    m_chkInc->setChecked(s.IncOpen);
    m_incAddress->setText(
        QStringLiteral("%1").arg(s.IncAddress, 4, 16, QLatin1Char('0')).toUpper());
    m_incFormat->setText(s.IncFormat);
    m_incNext->setText(QString::number(s.IncNext));
    m_binding = false;
}

// Controls → settings, before anything reads or writes them.
void MainWindow::takeSettings() {
    UserSettings& s = m_workspace.settings();
    if (!m_workspace.taskMode()) {
        s.UseResetCommand = m_check[0]->isChecked();
        s.AutoData = m_check[1]->isChecked();
        s.AutoType = m_check[2]->isChecked();
        s.AutoDown = m_check[3]->isChecked();
    }
    s.Rest = m_txtTest->text() + QLatin1Char(';') + m_terminalPage->syncPortSettings({}, true);
    s.TermHex = m_terminalPage->hexBox()->isChecked();
    s.TermCrlf = m_terminalPage->lineBreakBox()->isChecked();
    s.TermTimer = m_terminalPage->periodBox()->text().toInt();
    s.TermSend = m_terminalPage->sendBox()->toPlainText();
    s.RunAfter = m_chkExe->isChecked();
    s.RunProgram = m_txtExe[0]->text();
    s.RunParameters = m_txtExe[1]->text();
    s.RunDelayIndex = m_combo3->currentIndex();
    s.IncOpen = m_chkInc->isChecked();
    bool ok = false;
    const uint address = m_incAddress->text().toUInt(&ok, 16);
    if (ok && address <= 0xFFFF) s.IncAddress = quint16(address);
    s.IncFormat = m_incFormat->text();
    const qint64 next = m_incNext->text().toLongLong(&ok);
    if (ok) s.IncNext = next;
    s.Mcu = m_control.ListIndex();
    s.OptionValues = m_series->CurrentValues();
    m_workspace.setShownFile(m_txtFile->text());
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
