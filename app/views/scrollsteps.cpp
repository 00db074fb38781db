#include "views/scrollsteps.h"

#include <algorithm>

namespace korvan {

ScrollSteps::ScrollSteps(int contentHeight, int viewportHeight) {
    const int hidden = contentHeight - viewportHeight;
    m_max = hidden > 0 ? (hidden + kStepTwips - 1) / kStepTwips : 0;
}

int ScrollSteps::setStep(int step) {
    m_step = std::clamp(step, 0, m_max);
    return m_step;
}

}  // namespace korvan
