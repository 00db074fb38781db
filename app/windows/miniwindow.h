// The mini window of an unattended download (started with "/u", typically from the IDE): a
// small window above all others with a message line, a progress bar, and two buttons. What
// the buttons do is the main window's business: OK asks for the main window to be shown (the
// mini window then closes), Cancel asks to cancel the download or to end the program (the
// mini window is hidden first). Closing it by its caption button counts as Cancel, so that a
// hidden main window is never left running on its own. The window is dragged by its panel.
#pragma once

#include "windows/skinneddialog.h"

class QLabel;

namespace kui {
class Cmd;
class Progress;
}  // namespace kui

namespace korvan {

class MiniWindow : public SkinnedDialog {
    Q_OBJECT

  public:
    // Loading the window ends the start-up screen's time (SplashDone) and registers it as
    // the mini window of this process.
    explicit MiniWindow(QWidget* parent = nullptr);
    ~MiniWindow() override;

    QLabel* messageLabel() const { return m_message; }
    kui::Progress* progressBar() const { return m_progress; }
    kui::Cmd* okButton() const { return m_ok; }
    kui::Cmd* cancelButton() const { return m_cancel; }
    void setMessage(const QString& text);
    void setProgress(int percent);

  signals:
    void openMainRequested();
    void cancelRequested();

  protected:
    void layoutClient() override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void openMain();
    void cancel();

    QLabel* m_message = nullptr;
    kui::Progress* m_progress = nullptr;
    kui::Cmd* m_ok = nullptr;
    kui::Cmd* m_cancel = nullptr;
};

}  // namespace korvan
