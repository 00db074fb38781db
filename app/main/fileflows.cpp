#include "main/fileflows.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "core/sizetext.h"
#include "main/datapage.h"
#include "main/maintexts.h"
#include "main/messagegate.h"

namespace korvan {

namespace {

// The text colour of a free space the code does not fit into.
const QColor kWarningColour(0xC0, 0x00, 0x00);

}  // namespace

FileFlows::FileFlows(CodeWorkspace& workspace, Boxes boxes, DataPage& grid, QWidget* window)
    : QObject(window), workspace_(workspace), boxes_(boxes), grid_(grid), window_(window) {}

void FileFlows::say(const UserMessage& message) {
    AskUser(message.Text, message.Style, message.Title);
}

bool FileFlows::confirmCodeFile(const QString& path) {
    const std::optional<UserMessage> question = workspace_.CodeFileWarning(path);
    return !question || AskUser(question->Text, question->Style, question->Title) == 1;
}

void FileFlows::openWithDialog() {
    if (busy()) return;
    const QString name = QFileDialog::getOpenFileName(
        window_, {}, QFileInfo(workspace_.codeFile()).path(), maintext::kOpenFilters);
    if (name.isEmpty()) return;
    openFromDialog(name);
}

void FileFlows::openFromDialog(const QString& path) {
    if (busy() || !confirmCodeFile(path)) return;
    emit settingsNeeded();
    applyOpenResult(workspace_.OpenFromDialog(path));
}

void FileFlows::openHistoryEntry(const QString& entry) {
    if (busy() || !confirmCodeFile(entry)) return;
    emit settingsNeeded();
    applyOpenResult(workspace_.OpenHistoryEntry(entry));
}

void FileFlows::openDefaultFile() {
    if (busy()) return;
    emit settingsNeeded();
    applyOpenResult(workspace_.OpenDefaultFile());
}

void FileFlows::saveAsDefault() {
    emit settingsNeeded();
    // The default file kept its old content: the user should know the new one is not there.
    if (!workspace_.SaveAsDefault())
        if (const auto failure = workspace_.saveFailure()) say(*failure);
}

void FileFlows::saveAs() {
    emit settingsNeeded();
    const QString name =
        QFileDialog::getSaveFileName(window_, maintext::kSaveAsTitle, {}, maintext::kSaveFilters);
    if (name.isEmpty()) return;
    say(workspace_.SaveAs(name));
}

void FileFlows::refreshBuffer() {
    emit settingsNeeded();
    const OpenResult result = workspace_.RefreshBuffer();
    if (result.NoFile) emit nothingToRefresh();
    applyOpenResult(result);
}

void FileFlows::applyOpenResult(const OpenResult& result) {
    if (result.Message) say(*result.Message);
    if (result.SettingsApplied) emit settingsApplied();
    showCodeBuffer();
    emit openShown(result);
}

void FileFlows::showCodeBuffer() {
    boxes_.file->setText(workspace_.shownFile());
    boxes_.sum->setText(workspace_.sumText());
    const qint64 size = qint64(workspace_.codeBuffer().size());
    const qint64 flash = flash_ ? flash_() : 0;
    const SizeTexts sizes = ShowSizes(size, flash);
    boxes_.codeSize->setText(sizes.CodeSize);
    if (sizes.ChipSpace) boxes_.chipSpace->setText(*sizes.ChipSpace);
    if (sizes.FreeSpace) boxes_.freeSpace->setText(*sizes.FreeSpace);
    // A file larger than the chip shows so at once, not only when the download fails.
    const bool tooBig = flash > 0 && size > flash;
    QPalette palette = boxes_.freeSpace->parentWidget()->palette();
    if (tooBig) palette.setColor(QPalette::Text, kWarningColour);
    boxes_.freeSpace->setPalette(palette);
    boxes_.freeSpace->setToolTip(tooBig ? maintext::DoesNotFit(size, flash) : QString());
    grid_.showGrid();
}

}  // namespace korvan
