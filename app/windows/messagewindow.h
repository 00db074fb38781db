// The message window: every prompt of the program is shown here instead of the platform's
// message box. A style number picks the buttons (tens digit 1 OK, 2 OK and Cancel) and the
// icon (units digit); the result is 1 for OK, 2 for Cancel and 0 when the window was closed
// otherwise (its caption button, Escape).
#pragma once

#include <QString>

#include "windows/skinneddialog.h"

class QLabel;

namespace kui {
class Cmd;
}

namespace korvan {

class MessageWindow : public SkinnedDialog {
    Q_OBJECT

  public:
    explicit MessageWindow(QWidget* parent = nullptr);
    ~MessageWindow() override;

    // Everything ShowMsg sets before showing: text, style, size, caption, position, buttons
    // and icon. An empty title gives "温馨提示".
    void setMessage(const QString& prompt, int style, const QString& title);
    // setMessage, then shown modally; returns InfoInt.
    int ShowMsg(const QString& prompt, int style, const QString& title = {});

    int LabInfo() const { return m_labInfo; }  // the style of the current message
    int InfoInt() const { return m_infoInt; }  // the button pressed, 0 for none
    QString promptText() const;
    int iconDigit() const { return m_icon; }
    kui::Cmd* okButton() const { return m_ok; }
    kui::Cmd* cancelButton() const { return m_cancel; }
    QLabel* promptLabel() const { return m_prompt; }

  signals:
    // The prompt sound to play as the window comes up: "0" or "2".
    void promptRequested(const QString& sound);

  protected:
    void layoutClient() override;
    void showEvent(QShowEvent* event) override;

  private:
    void press(int result);
    QSize promptPixels();

    QLabel* m_iconLabel = nullptr;
    QLabel* m_prompt = nullptr;
    kui::Cmd* m_ok = nullptr;
    kui::Cmd* m_cancel = nullptr;
    int m_labInfo = 10;
    int m_infoInt = 0;
    int m_icon = 0;
    bool m_twoButtons = false;
};

// Shows a message over the right window and returns the pressed button (MessageResult): a
// minimised main window is restored first and pending events run. Sounds follow the prompt
// settings of this process.
int ShowMessage(const QString& prompt, int style = 10, const QString& title = {});

}  // namespace korvan
