// The help window's scrolling without the window: a tall text panel moves inside a viewport
// in steps of 90 twips, ten steps to a page.
#pragma once

namespace korvan {

class ScrollSteps {
  public:
    static constexpr int kStepTwips = 90;
    static constexpr int kPageSteps = 10;

    // Heights in twips.
    ScrollSteps(int contentHeight, int viewportHeight);

    bool barVisible() const { return m_max > 0; }
    // The largest step: enough to bring the panel's bottom into view.
    int maxStep() const { return m_max; }
    int step() const { return m_step; }
    // Kept within 0..maxStep; returns the step taken.
    int setStep(int step);
    // The panel's top inside the viewport, in twips.
    int panelTop() const { return -m_step * kStepTwips; }

  private:
    int m_max = 0;
    int m_step = 0;
};

}  // namespace korvan
