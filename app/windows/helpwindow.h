// The help window: the command variables and the run parameters in a text panel that scrolls
// inside a viewport, 90 twips a step and 10 steps a page; the scroll bar shows only when the
// text does not fit. Focus given to the window goes to the viewport, which takes the arrow and
// page keys as well as the wheel.
#pragma once

#include "windows/skinneddialog.h"

#include <memory>

class QLabel;

namespace kui {
class cScroll;
}

namespace korvan {

class ScrollSteps;

class HelpWindow : public SkinnedDialog {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

    QWidget* viewport() const { return m_viewport; }
    QWidget* textPanel() const { return m_panel; }
    kui::cScroll* scroller() const { return m_scroll; }
    int step() const;
    int maxStep() const;
    // Moves the text to `step` (kept in range), as the scroll bar does.
    void scrollTo(int step);

  protected:
    void layoutClient() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildText();
    void updateSteps();
    void placePanel();

    QWidget* m_viewport = nullptr;
    QWidget* m_panel = nullptr;
    QLabel* m_mail = nullptr;
    kui::cScroll* m_scroll = nullptr;
    std::unique_ptr<ScrollSteps> m_steps;
};

}  // namespace korvan
