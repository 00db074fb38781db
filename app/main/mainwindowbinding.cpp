// The controls bound to the user settings' owner: an edit goes to the owner at once, and every
// change of the owner (a file opened, the serial number advanced) comes back to the controls.
// No code copies the controls into the settings.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "main/incrementpage.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "main/terminalpage.h"
#include "ui/controls/cmd.h"
#include "views/seriesoptions.h"
#include "windows/serieslists.h"
#include "zelisp_interface.h"

namespace korvan {

namespace {

// A box is rewritten only when it says something else, so that the caret of a box being typed
// in stays where it is.
void ShowText(QLineEdit* box, const QString& text) {
    if (box->text() != text) box->setText(text);
}

}  // namespace

void MainWindow::editSettings(const std::function<void(UserSettings&)>& change) {
    if (!m_binding) m_workspace.updateSettings(change);
}

void MainWindow::bindSettings() {
    const auto bindCheck = [this](QCheckBox* box, bool UserSettings::*field) {
        connect(box, &QCheckBox::toggled, this,
                [this, field](bool on) { editSettings([&](UserSettings& s) { s.*field = on; }); });
    };
    bindCheck(m_check[0], &UserSettings::UseResetCommand);
    bindCheck(m_check[1], &UserSettings::AutoData);
    bindCheck(m_check[2], &UserSettings::AutoType);
    bindCheck(m_check[3], &UserSettings::AutoDown);
    bindCheck(m_chkExe, &UserSettings::RunAfter);
    connect(m_check[3], &QCheckBox::toggled, this, [this](bool on) {
        if (!m_binding) m_controller->setWatching(on);
    });
    connect(m_txtTest, &QLineEdit::textEdited, this, [this](const QString& command) {
        editSettings([&](UserSettings& s) {
            s.Rest = command + QLatin1Char(';') + SplitRest(s.Rest).PortSettings;
        });
    });
    connect(m_terminalPage, &TerminalPage::portSettingsEdited, this, [this] {
        const QString port = m_terminalPage->portSettingsText();
        editSettings(
            [&](UserSettings& s) { s.Rest = SplitRest(s.Rest).Command + QLatin1Char(';') + port; });
    });
    connect(m_terminalPage->hexBox(), &QCheckBox::toggled, this,
            [this](bool on) { editSettings([on](UserSettings& s) { s.TermHex = on; }); });
    connect(m_terminalPage->lineBreakBox(), &QCheckBox::toggled, this,
            [this](bool on) { editSettings([on](UserSettings& s) { s.TermCrlf = on; }); });
    connect(m_terminalPage->periodBox(), &QLineEdit::editingFinished, this, [this] {
        const qint64 period = m_terminalPage->periodBox()->text().toInt();
        editSettings([period](UserSettings& s) { s.TermTimer = period; });
    });
    connect(m_terminalPage->sendBox(), &QPlainTextEdit::textChanged, this, [this] {
        const QString send = m_terminalPage->sendBox()->toPlainText();
        editSettings([&send](UserSettings& s) { s.TermSend = send; });
    });
    m_terminalPage->setSerialSource([this] { return m_workspace.settings().IncNext; });
    QString UserSettings::*const programFields[] = {&UserSettings::RunProgram,
                                                    &UserSettings::RunParameters};
    const i18n::Text* filters[] = {&maintext::kProgramFilters, &maintext::kAllFilesFilter};
    for (int i = 0; i < 2; ++i) {
        QLineEdit* box = m_txtExe[size_t(i)];
        const auto field = programFields[i];
        connect(box, &QLineEdit::textChanged, this, [this, field](const QString& text) {
            editSettings([&](UserSettings& s) { s.*field = text; });
        });
        connect(m_cmdRun[size_t(i)], &kui::Cmd::Click, this, [this, box, filter = filters[i]] {
            const QString name = QFileDialog::getOpenFileName(this, {}, {}, *filter);
            if (!name.isEmpty()) box->setText(name);
        });
    }
    connect(m_combo3, &QComboBox::currentIndexChanged, this, [this](int index) {
        editSettings([index](UserSettings& s) { s.RunDelayIndex = index; });
    });
    connect(m_txtFile, &QLineEdit::textEdited, this,
            [this](const QString& name) { m_workspace.setShownFile(name); });
    connect(m_seriesLists, &SeriesLists::seriesChanged, this,
            [this](int index) { editSettings([index](UserSettings& s) { s.Mcu = index; }); });
    connect(&m_workspace.settingsOwner(), &SettingsAnnouncer::changed, this,
            &MainWindow::showSettings);
}

// The owner → the controls of this window (the increment page follows the owner itself).
void MainWindow::showSettings() {
    m_binding = true;
    const UserSettings& s = m_workspace.settings();
    m_check[0]->setChecked(s.UseResetCommand);
    m_check[1]->setChecked(s.AutoData);
    m_check[2]->setChecked(s.AutoType);
    m_check[3]->setChecked(s.AutoDown);
    ShowText(m_txtTest, SplitRest(s.Rest).Command);
    m_terminalPage->syncPortSettings(s.Rest, false);
    m_terminalPage->showUserSettings(s.TermHex, s.TermCrlf, s.TermTimer, s.TermSend);
    m_chkExe->setChecked(s.RunAfter);
    ShowText(m_txtExe[0], s.RunProgram);
    ShowText(m_txtExe[1], s.RunParameters);
    m_combo3->setCurrentIndex(std::clamp(s.RunDelayIndex, 0, m_combo3->count() - 1));
    m_binding = false;
}

// The option values live in the ISP control's editor, their owner; the settings take them
// when they are about to be written to a file.
void MainWindow::storeOptionValues() {
    const int series = m_control.ListIndex();
    const QString values = m_series->CurrentValues();
    m_workspace.updateSettings([&](UserSettings& s) {
        s.Mcu = series;
        s.OptionValues = values;
    });
}

}  // namespace korvan
