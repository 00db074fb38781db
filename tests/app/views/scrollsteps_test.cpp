#include "views/scrollsteps.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

TEST(ScrollSteps, StepsOfNinetyTwipsUntilTheBottomShows) {
    const struct {
        int content, viewport, maxStep;
        bool bar;
    } table[] = {
        {1000, 2000, 0, false}, {2000, 2000, 0, false}, {2001, 2000, 1, true},
        {2090, 2000, 1, true},  {2091, 2000, 2, true},  {9000, 3000, 67, true},
    };
    for (const auto& row : table) {
        ScrollSteps steps(row.content, row.viewport);
        EXPECT_EQ(steps.maxStep(), row.maxStep) << row.content;
        EXPECT_EQ(steps.barVisible(), row.bar) << row.content;
        // At the last step the bottom of the text is inside the viewport.
        steps.setStep(steps.maxStep());
        EXPECT_LE(row.content + steps.panelTop(), row.viewport + ScrollSteps::kStepTwips - 1);
    }
}

TEST(ScrollSteps, TopFollowsTheStepWithinRange) {
    ScrollSteps steps(9000, 3000);
    EXPECT_EQ(steps.setStep(10), 10);
    EXPECT_EQ(steps.panelTop(), -900);
    EXPECT_EQ(steps.setStep(-4), 0);
    EXPECT_EQ(steps.panelTop(), 0);
    EXPECT_EQ(steps.setStep(1000), 67);
    EXPECT_EQ(steps.panelTop(), -67 * 90);
}

}  // namespace
}  // namespace korvan
