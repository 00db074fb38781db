// cDialog: the common dialogs (open, save, colour, font, help) behind properties, so that a
// window needs no dialog code of its own. A cancelled or failed dialog returns false and
// leaves the properties as they were.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>

#include "ui/core/colorrule.h"

class QDialog;
class QWidget;

namespace kui {

class cDialog {
  public:
    // The flags of the file dialogs, as the settings files store them.
    enum FileFlag : int {
        OfnReadOnly = 0x1,
        OfnOverwritePrompt = 0x2,
        OfnHideReadOnly = 0x4,
        OfnNoChangeDir = 0x8,
        OfnPathMustExist = 0x800,
        OfnFileMustExist = 0x1000,
    };

    cDialog();
    // The process-wide instance, created on first use.
    static cDialog& instance();

    QString Filename;
    QString FileTitle;
    QString Filter;
    int FilterIndex = 1;  // 1-based, as the filter text counts its pairs
    QString DefaultExt;
    QString DialogTitle;
    QString InitDir;
    int Flags = 0;
    QPointer<QWidget> Owner;  // null: the active window
    OleColor rgbResult = 0;
    QString FontName;
    double FontSize = 9;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeThru = false;
    QString HelpFile;
    int HelpCommand = 0;
    QString HelpKey;

    bool ShowOpen();
    bool ShowSave();
    bool ShowColor();
    bool ShowFont();
    // Opens HelpFile with the desktop's viewer.
    bool ShowHelp();

    // Called with each dialog right before it runs modally; a test cancels or fills it here.
    using DialogHook = std::function<void(QDialog*)>;
    void setDialogHook(DialogHook hook) { m_hook = std::move(hook); }

  private:
    QWidget* owner() const;
    bool runFileDialog(bool save);
    bool run(QDialog& dialog);

    DialogHook m_hook;
};

}  // namespace kui
