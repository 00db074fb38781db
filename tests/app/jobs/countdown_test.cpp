// The start countdown: once a second from ErrTim down to 0, the job cancelled at 0, the
// time-out lines of a check, and a chip that answers in time stops it.
#include "jobs/jobtexts.h"
#include "jobtestsupport.h"

namespace korvan::jobs::testing {
namespace {

struct CountdownCase {
    const char* name;
    bool check;  // check job, else download
};

class CountdownWithoutChip : public ControllerTest,
                             public ::testing::WithParamInterface<CountdownCase> {};

TEST_P(CountdownWithoutChip, ShowsEverySecondAndCancelsAtZero) {
    loadHex(64);
    if (GetParam().check)
        ASSERT_TRUE(controller->CheckAction(JobController::kCheck));
    else
        ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    clock.advance(4999);
    EXPECT_TRUE(driver.cancels.empty());
    clock.advance(1);
    const std::vector<std::pair<qint64, int>> expected = {{0, 5},    {1000, 4}, {2000, 3},
                                                          {3000, 2}, {4000, 1}, {5000, 0}};
    EXPECT_EQ(view.countdowns, expected);
    EXPECT_EQ(driver.cancels, std::vector<bool>{false});  // the internal cancel
    clock.advance(5000);
    EXPECT_EQ(view.countdowns.size(), 6u) << "the countdown stops at 0";
    EXPECT_EQ(controller->busyState(), BusyState::Idle);
    EXPECT_EQ(view.prompts, std::vector<int>{2});
    ASSERT_EQ(view.runs.size(), 1u);
    EXPECT_EQ(view.runs[0].last.outcome, Outcome::TimedOut);

    const QStringList texts = view.texts();
    const qsizetype timeOut = texts.indexOf(text::kTimeOut);
    if (GetParam().check) {
        // The check's own line is seen for the first second, then the countdown takes over.
        ASSERT_GE(view.treeLines.size(), 2);
        EXPECT_EQ(view.treeLines[0], QStringLiteral("检测单片机启动标志... 5"));
        EXPECT_EQ(view.treeLines[1], QStringLiteral("等待启动标志... 4"));
        ASSERT_GE(timeOut, 0);
        EXPECT_EQ(texts.mid(timeOut + 1, 3), text::kTimeOutHints);
        // The log model shows the time of the time-out inside the line as well.
        bool stamped = false;
        for (int i = 0; i < controller->log().size(); ++i)
            stamped |= controller->log().at(i).text ==
                       QStringLiteral(" 09:30:05  09:30:05 ") + text::kTimeOut;
        EXPECT_TRUE(stamped);
    } else {
        EXPECT_EQ(timeOut, -1) << "only a check logs the time-out and its hints";
    }
}

INSTANTIATE_TEST_SUITE_P(Jobs, CountdownWithoutChip,
                         ::testing::Values(CountdownCase{"Check", true},
                                           CountdownCase{"Download", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The settings are read when a job starts: a change of their owner between two jobs reaches
// the second one with nothing handed over again.
TEST_F(ControllerTest, EachJobReadsTheSettingsAfresh) {
    loadHex(64);
    JobSettings owned = controller->settings();
    controller->setSettingsSource([&owned] { return owned; });
    ASSERT_TRUE(controller->CheckAction(JobController::kCheck));
    clock.advance(5000);
    ASSERT_EQ(controller->busyState(), BusyState::Idle);
    owned.errTim = 7;
    view.countdowns.clear();
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    ASSERT_FALSE(view.countdowns.empty());
    EXPECT_EQ(view.countdowns.front().second, 7);
}

TEST_F(ControllerTest, ChipThatAnswersStopsTheCountdown) {
    loadHex(64);
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    clock.advance(2500);
    driver.identify(chip());
    clock.advance(10000);
    EXPECT_EQ(view.countdowns.back().second, 3);
    EXPECT_TRUE(driver.cancels.empty());
    EXPECT_EQ(controller->busyState(), BusyState::Download);
}

TEST_F(ControllerTest, WaitingLineShowsTheSecondsLeft) {
    loadHex(64);
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    clock.advance(2000);
    const DownloadLog& log = controller->log();
    EXPECT_EQ(log.at(log.size() - 1).text, QStringLiteral(" 09:30:00  等待启动标志... 3"));
}

}  // namespace
}  // namespace korvan::jobs::testing
