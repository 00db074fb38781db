// The about window. Created before the start-up screen's time is over (SplashDone false) it is
// the start-up screen: above all others, the product name shown, no OK button, 220 of 255
// opaque, and faded out by fadeOut. Created later it is Help > About, a modal box that stays
// above others only when the main window does. Closing it ends the start-up screen's time.
#pragma once

#include "windows/skinneddialog.h"

class QLabel;

namespace kui {
class Cmd;
}

namespace korvan {

class AboutWindow : public SkinnedDialog {
    Q_OBJECT

  public:
    static constexpr int kSplashAlpha = 220;
    static constexpr int kFadeStep = 5;

    explicit AboutWindow(QWidget* parent = nullptr);
    ~AboutWindow() override;

    bool isStartupScreen() const { return m_startup; }
    kui::Cmd* okButton() const { return m_ok; }
    QLabel* productNameLabel() const { return m_name; }
    QLabel* versionLabel() const { return m_version; }
    QLabel* mailLabel() const { return m_mail; }
    // The opacity set last, out of 255.
    int alpha() const { return m_alpha; }

    // The start-up screen's end: opacity from 220 down to 0 in steps of 5, then closed.
    void fadeOut();

  signals:
    void alphaChanged(int alpha);

  protected:
    void layoutClient() override;
    void hideEvent(QHideEvent* event) override;

  private:
    void setAlpha(int alpha);

    bool m_startup = false;
    int m_alpha = 255;
    QLabel* m_icon = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_descriptionShadow = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_copyright = nullptr;
    QLabel* m_mail = nullptr;
    kui::Cmd* m_ok = nullptr;
};

}  // namespace korvan
