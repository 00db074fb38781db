// The reset sequence of a job: its line steps reach the job's port in order, at the times its
// waits give, only while the job sends the start flag, and not after a cancel or an answer.
#include "jobs/jobtexts.h"
#include "jobtestsupport.h"

namespace korvan::jobs::testing {
namespace {

using Kind = ResetStep::Kind;

class ResetSequenceTest : public ControllerTest {
  protected:
    ResetSequenceTest() {
        driver.clockMs = [this] { return clock.elapsed(); };
    }

    void useSequence(const char* text) {
        const auto parsed = ParseResetSequence(QString::fromUtf8(text));
        ASSERT_TRUE(parsed.sequence) << parsed.errorText().toStdString();
        JobSettings settings = controller->settings();
        settings.resetSequence = *parsed.sequence;
        controller->setSettings(settings);
    }
};

struct PlayCase {
    const char* name;
    const char* sequence;
    bool check;  // a check job, else a download
    ResetSequence lines;
    std::vector<qint64> times;
};

class PlaysTheSequence : public ResetSequenceTest,
                         public ::testing::WithParamInterface<PlayCase> {};

TEST_P(PlaysTheSequence, StepByStepOnTheVirtualClock) {
    const PlayCase& c = GetParam();
    useSequence(c.sequence);
    loadHex(64);
    if (c.check)
        ASSERT_TRUE(controller->CheckAction(JobController::kCheck));
    else
        ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    // Each wait is honoured to the millisecond: nothing after a wait runs a moment early.
    for (qint64 t = 1; t <= 4000; ++t) {
        clock.advance(1);
        for (size_t i = 0; i < driver.lineTimes.size(); ++i)
            ASSERT_LE(driver.lineTimes[i], c.times[i]) << "step " << i << " came late";
    }
    EXPECT_EQ(driver.lineSteps, c.lines);
    EXPECT_EQ(driver.lineTimes, c.times);
    EXPECT_EQ(driver.starts.size(), 1u);
    EXPECT_EQ(driver.lineWhileWaiting, std::vector<bool>(c.lines.size(), true))
        << "every step is made while the start flag is being sent";
    const QStringList texts = view.texts();
    const QString logged = text::ResetSequenceRun(
        ResetSequenceText(*ParseResetSequence(QString::fromUtf8(c.sequence)).sequence));
    EXPECT_EQ(texts.count(logged), 1) << texts.join('\n').toStdString();
    const qsizetype waiting = texts.indexOf(QStringLiteral("等待启动标志..."));
    ASSERT_GE(waiting, 0) << texts.join('\n').toStdString();
    EXPECT_GT(texts.indexOf(logged), waiting) << "announced once the start flag is on its way";
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, PlaysTheSequence,
    ::testing::Values(
        PlayCase{"DtrPowerPresetDownload",
                 "dtr-power",
                 false,
                 {{Kind::Dtr, 0}, {Kind::Dtr, 1}},
                 {0, 300}},
        PlayCase{
            "DtrPowerPresetCheck", "dtr-power", true, {{Kind::Dtr, 0}, {Kind::Dtr, 1}}, {0, 300}},
        PlayCase{"RtsPreset", "rts-p10", false, {{Kind::Rts, 1}}, {0}},
        PlayCase{"WaitsAddUp",
                 "r1,d0,w300,W100,D1,W2000,R0",
                 false,
                 {{Kind::Rts, 1}, {Kind::Dtr, 0}, {Kind::Dtr, 1}, {Kind::Rts, 0}},
                 {0, 0, 400, 2400}},
        PlayCase{"WaitFirst", "W50,D1", false, {{Kind::Dtr, 1}}, {50}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResetSequenceTest, NoSequenceDrivesNoLine) {
    loadHex(64);
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    clock.advance(6000);
    EXPECT_EQ(driver.starts.size(), 1u);
    EXPECT_TRUE(driver.lineSteps.empty());
}

enum class Stop { CancelButton, ChipAnswers, PortLost };

struct StopCase {
    const char* name;
    Stop stop;
};

class StopsTheSequence : public ResetSequenceTest,
                         public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopsTheSequence, NoStepAfterTheStop) {
    useSequence("D0,W300,D1,W300,R1");
    loadHex(64);
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    clock.advance(100);
    switch (GetParam().stop) {
        case Stop::CancelButton:
            controller->DownloadAction(JobController::kCancel);
            break;
        case Stop::ChipAnswers:
            // A chip that answers is up already: powering it off again would end the job.
            driver.identify(chip());
            break;
        case Stop::PortLost:
            driver.loseThePort();
            clock.runPosted();
            break;
    }
    clock.advance(5000);
    EXPECT_EQ(driver.lineSteps, (ResetSequence{{Kind::Dtr, 0}}));
}

INSTANTIATE_TEST_SUITE_P(Stops, StopsTheSequence,
                         ::testing::Values(StopCase{"CancelButton", Stop::CancelButton},
                                           StopCase{"ChipAnswers", Stop::ChipAnswers},
                                           StopCase{"PortLost", Stop::PortLost}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResetSequenceTest, CancelledCheckStopsItToo) {
    useSequence("R1,W200,D0,W200,D1");
    loadHex(64);
    ASSERT_TRUE(controller->CheckAction(JobController::kCheck));
    clock.advance(250);
    controller->CheckAction(JobController::kCancelCheck);
    clock.advance(5000);
    EXPECT_EQ(driver.lineSteps, (ResetSequence{{Kind::Rts, 1}, {Kind::Dtr, 0}}));
}

TEST_F(ResetSequenceTest, RefusedStartDrivesNothing) {
    useSequence("dtr-power");
    loadHex(64);
    driver.refuseStart = true;
    controller->DownloadAction(JobController::kDownload);
    clock.advance(5000);
    EXPECT_EQ(driver.starts.size(), 1u);
    EXPECT_TRUE(driver.lineSteps.empty());
}

TEST_F(ResetSequenceTest, EveryRepetitionPlaysItAgain) {
    useSequence("dtr-power");
    loadHex(64);
    ASSERT_TRUE(controller->DownloadAction(JobController::kRepeat));
    clock.advance(500);
    driver.identify(chip());
    driver.finishDownload();
    clock.runPosted();
    // The next repetition starts after the pause between downloads.
    for (int i = 0; i < 100 && driver.starts.size() < 2; ++i) clock.advance(100);
    ASSERT_EQ(driver.starts.size(), 2u);
    const qint64 restartedAt = clock.elapsed();
    clock.advance(1000);
    ASSERT_EQ(driver.lineSteps.size(), 4u);
    EXPECT_EQ(driver.lineSteps[2], (ResetStep{Kind::Dtr, 0}));
    EXPECT_EQ(driver.lineSteps[3], (ResetStep{Kind::Dtr, 1}));
    EXPECT_EQ(driver.lineTimes[3] - driver.lineTimes[2], 300);
    EXPECT_LE(driver.lineTimes[2], restartedAt);
}

}  // namespace
}  // namespace korvan::jobs::testing
