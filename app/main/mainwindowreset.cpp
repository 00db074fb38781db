// The custom download page's reset sequence: a preset or the user's own steps, checked when
// chosen, saved at once in [Config] and handed to the job layer for the next job.
#include <QComboBox>
#include <QLineEdit>

#include "core/programconfig.h"
#include "core/resetsequence.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "windows/shellstate.h"

namespace korvan {

QComboBox* MainWindow::buildResetSequenceBox(QWidget* page) {
    m_cboResetSeq = new QComboBox(page);
    m_cboResetSeq->setObjectName(QStringLiteral("cboResetSeq"));
    m_cboResetSeq->setEditable(true);
    m_cboResetSeq->setInsertPolicy(QComboBox::NoInsert);
    m_cboResetSeq->addItem(QString());
    for (const ResetPreset& preset : ResetPresets()) m_cboResetSeq->addItem(preset.name);
    m_captions.bind(m_cboResetSeq, [box = m_cboResetSeq] {
        box->lineEdit()->setPlaceholderText(maintext::kResetSeqNone);
        box->setToolTip(maintext::kResetSeqTip);
    });
    connect(m_cboResetSeq->lineEdit(), &QLineEdit::editingFinished, this,
            &MainWindow::chooseResetSequence);
    connect(m_cboResetSeq, &QComboBox::activated, this, &MainWindow::chooseResetSequence);
    return m_cboResetSeq;
}

void MainWindow::showResetSequence() {
    if (m_cboResetSeq->currentText() != Shell().Config.value().ResetSeq)
        m_cboResetSeq->setEditText(Shell().Config.value().ResetSeq);
}

void MainWindow::chooseResetSequence() {
    const QString text = m_cboResetSeq->currentText().trimmed();
    if (text == Shell().Config.value().ResetSeq) return;
    const ResetSequenceParse parsed = ParseResetSequence(text);
    if (!parsed.sequence) {
        // The last good choice stays in force; the box shows it again.
        showResetSequence();
        showMessage(UserMessage{parsed.errorText(), 11, {}}, false, {});
        return;
    }
    SaveResetSequence(m_workspace.paths(), text);
    // The next job reads the sequence from the owner.
    Shell().Config.update([&text](ProgramConfig& c) { c.ResetSeq = text; });
}

}  // namespace korvan
