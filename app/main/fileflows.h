// The file side of the main window: the open, history, default-file, save-as and refresh
// commands over the code workspace, the question before a damaged HEX file is opened, and the
// file name, checksum and size boxes that show the result. The window binds its menus and
// buttons to the commands and follows the signals for what only it shows (the settings
// controls, the caption, task mode, the history menu).
#pragma once

#include "core/codeworkspace.h"

#include <QObject>
#include <functional>

class QLineEdit;
class QWidget;

namespace korvan {

class DataPage;

class FileFlows : public QObject {
    Q_OBJECT
  public:
    // The boxes beside the file name: TxtFile, TxtXor, TxtSpa, txtSz and TxtSize.
    struct Boxes {
        QLineEdit* file = nullptr;
        QLineEdit* sum = nullptr;
        QLineEdit* codeSize = nullptr;
        QLineEdit* chipSpace = nullptr;
        QLineEdit* freeSpace = nullptr;
    };

    // `window` is the parent of the dialogs; `grid` shows the buffer.
    FileFlows(CodeWorkspace& workspace, Boxes boxes, DataPage& grid, QWidget* window);

    const Boxes& boxes() const { return boxes_; }
    // While it says true (a job runs) the opening commands are ignored.
    void setBusyCheck(std::function<bool()> busy) { busy_ = std::move(busy); }
    // The identified chip's flash size, 0 before any chip answered.
    void setFlashSize(std::function<qint64()> flash) { flash_ = std::move(flash); }

    void openWithDialog();
    // As the open dialog with this name (also a dropped file).
    void openFromDialog(const QString& path);
    void openHistoryEntry(const QString& entry);
    void openDefaultFile();
    void saveAsDefault();
    void saveAs();
    void refreshBuffer();

    // Before a HEX file (or a configuration naming one) is opened: false when its records are
    // damaged or its end is missing and the user chose not to go on.
    bool confirmCodeFile(const QString& path);
    // After any open: the message, then what the window shows of the result.
    void applyOpenResult(const OpenResult& result);
    // The file name, the checksum, the sizes and the grid.
    void showCodeBuffer();

  signals:
    // The workspace is about to read or write the settings: the controls' values go first.
    void settingsNeeded();
    // The settings were read anew; the controls show them.
    void settingsApplied();
    // An open has been shown: caption, mode and history follow.
    void openShown(const OpenResult& result);
    // A refresh with no file at all.
    void nothingToRefresh();

  private:
    bool busy() const { return busy_ && busy_(); }
    void say(const UserMessage& message);

    CodeWorkspace& workspace_;
    Boxes boxes_;
    DataPage& grid_;
    QWidget* window_;
    std::function<bool()> busy_;
    std::function<qint64()> flash_;
};

}  // namespace korvan
