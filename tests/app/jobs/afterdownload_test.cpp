// After a successful download: the counter, the serial number, repeat series with and without
// a limit, and the unattended close.
#include "core/inifile.h"
#include "jobs/jobtexts.h"
#include "jobtestsupport.h"

#include <limits>

namespace korvan::jobs::testing {
namespace {

class AfterDownloadTest : public ControllerTest {
  protected:
    void downloadOne() {
        driver.identify(chip());
        driver.finishDownload();
        clock.advance(0);
    }
};

TEST_F(AfterDownloadTest, RepeatSeriesOfThreeEndsWithItsLine) {
    loadHex(100);
    JobSettings s = controller->settings();
    s.count = true;
    s.reCount = 3;
    controller->setSettings(s);
    ASSERT_TRUE(controller->DownloadAction(JobController::kRepeat));
    for (int i = 0; i < 3; ++i) {
        downloadOne();
        clock.advance(200);  // the pause before the next chip
    }
    EXPECT_EQ(driver.starts, (std::vector<int>{2, 2, 2}));
    const QStringList texts = view.texts();
    for (const QString& line : {text::RepeatStart(1), text::RepeatStart(2), text::RepeatStart(3),
                                text::DownloadCounted(3), text::SeriesDone(3)})
        EXPECT_TRUE(texts.contains(line)) << line.toStdString();
    EXPECT_EQ(view.prompts.back(), 1);
    EXPECT_EQ(controller->busyState(), BusyState::Idle);
    ASSERT_EQ(view.runs.size(), 1u);
    EXPECT_EQ(view.runs[0].completed, 3);
    EXPECT_FALSE(view.runs[0].cancelled);
    EXPECT_EQ(counter.read(), 3);
}

// The counter stops at its largest value instead of turning negative.
TEST_F(AfterDownloadTest, CounterAtItsLargestValueStaysThere) {
    loadHex(100);
    counter.write(std::numeric_limits<qint32>::max() - 1);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
        downloadOne();
        clock.advance(200);
    }
    EXPECT_EQ(counter.read(), std::numeric_limits<qint32>::max());
    EXPECT_TRUE(view.texts().contains(text::DownloadCounted(std::numeric_limits<qint32>::max())));
}

// Config.ini's counter as stored, whatever another program or a hand wrote there.
TEST(ConfigDownloadCounterTest, ReadsTheAbsoluteValueWithinRange) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    AppPaths paths;
    paths.AppPath = dir.path() + QLatin1Char('/');
    ConfigDownloadCounter counter(paths);
    struct {
        const char* stored;
        qint32 read;
    } const table[] = {{"12", 12},
                       {"-12", 12},
                       {"2147483647", 2147483647},
                       {"2147483648", 2147483647},
                       {"-2147483648", 2147483647},
                       {"99999999999999999999", 2147483647},
                       {"", 0},
                       {"abc", 0}};
    for (const auto& row : table) {
        WriteIni(QStringLiteral("Config"), QStringLiteral("DownCount"),
                 QString::fromLatin1(row.stored), paths.configFile());
        EXPECT_EQ(counter.read(), row.read) << row.stored;
    }
}

TEST_F(AfterDownloadTest, SeriesWithoutLimitRunsUntilCancelled) {
    loadHex(100);
    ASSERT_TRUE(controller->DownloadAction(JobController::kRepeat));
    for (int i = 0; i < 4; ++i) {
        downloadOne();
        clock.advance(200);
    }
    EXPECT_EQ(driver.starts.size(), 5u);
    EXPECT_EQ(controller->busyState(), BusyState::Download);
    EXPECT_TRUE(view.runs.empty());
    controller->DownloadAction(JobController::kCancel);
    clock.advance(0);
    ASSERT_EQ(view.runs.size(), 1u);
    EXPECT_TRUE(view.runs[0].cancelled);
    EXPECT_EQ(view.runs[0].completed, 4);
}

TEST_F(AfterDownloadTest, CancelBetweenTwoChipsEndsTheSeries) {
    loadHex(100);
    ASSERT_TRUE(controller->DownloadAction(JobController::kRepeat));
    downloadOne();
    controller->DownloadAction(JobController::kCancel);
    clock.advance(1000);
    EXPECT_EQ(driver.starts.size(), 1u) << "no next chip after a cancel";
    ASSERT_EQ(view.runs.size(), 1u);
    EXPECT_TRUE(view.runs[0].cancelled);
}

TEST_F(AfterDownloadTest, PortRefusedForTheNextChipEndsTheSeriesWithThatJob) {
    loadHex(100);
    JobSettings s = controller->settings();
    s.count = true;
    s.reCount = 2;
    controller->setSettings(s);
    ASSERT_TRUE(controller->DownloadAction(JobController::kRepeat));
    downloadOne();
    driver.refuseStart = true;  // the adapter went away with the first chip
    clock.advance(200);
    ASSERT_EQ(view.runs.size(), 1u);
    EXPECT_EQ(view.runs[0].attempted, 2);
    EXPECT_EQ(view.runs[0].completed, 1);
    EXPECT_EQ(view.runs[0].last.outcome, Outcome::PortError);
    EXPECT_EQ(view.messages.size(), 1u);
}

TEST_F(AfterDownloadTest, LostPortIsItsOwnOutcome) {
    loadHex(100);
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    driver.identify(chip());
    driver.loseThePort();
    clock.advance(0);
    ASSERT_EQ(view.runs.size(), 1u);
    EXPECT_EQ(view.runs[0].last.outcome, Outcome::PortLost);
    EXPECT_EQ(view.runs[0].last.reason, EndReason::PortLost);
}

struct SerialCase {
    const char* name;
    qint64 before;
    qint64 after;
};

class SerialNumber : public AfterDownloadTest, public ::testing::WithParamInterface<SerialCase> {};

TEST_P(SerialNumber, AdvancesAndIsKeptInTheSettingsFile) {
    loadHex(100);
    workspace->updateSettings([&](UserSettings& s) {
        s.IncOpen = true;
        s.IncAddress = 0xFFF0;
        s.IncFormat = QStringLiteral("%NL4");
        s.IncNext = GetParam().before;
    });
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    downloadOne();
    ASSERT_EQ(driver.appended.size(), 1u);
    EXPECT_EQ(driver.appended[0].second, 0xFFF0);
    const qint64 n = GetParam().before;
    const char serial[] = {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
    EXPECT_EQ(driver.appended[0].first, QByteArray(serial, 4));
    EXPECT_EQ(workspace->settings().IncNext, GetParam().after);
    EXPECT_EQ(ReadIni("AddData", "Data", workspace->settingsFile(), ""),
              QString::number(GetParam().after));
}

// A view that hands out serial numbers (several ports at once) sets the number when the code is
// asked for; the bytes written are made from it.
TEST_F(AfterDownloadTest, NumberSetWhenTheCodeIsAskedForIsTheOneWritten) {
    loadHex(100);
    workspace->updateSettings([&](UserSettings& s) {
        s.IncOpen = true;
        s.IncAddress = 0xFFF0;
        s.IncFormat = QStringLiteral("%NL4");
        s.IncNext = 5;
    });
    int asked = 0;
    view.onDataRequested = [&] {
        ++asked;
        EXPECT_TRUE(driver.appended.empty()) << "asked after the bytes were made";
        workspace->updateSettings([](UserSettings& s) { s.IncNext = 77; });
    };
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    downloadOne();
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(driver.appended.size(), 1u);
    EXPECT_EQ(driver.appended[0].first, QByteArray("\0\0\0\x4d", 4));
}

INSTANTIATE_TEST_SUITE_P(Increment, SerialNumber,
                         ::testing::Values(SerialCase{"Next", 41, 42},
                                           SerialCase{"WrapsToOne", 999999999, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AfterDownloadTest, UnattendedDownloadAsksToCloseAfterHalfASecond) {
    loadHex(100);
    JobSettings s = controller->settings();
    s.unattended = true;
    controller->setSettings(s);
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    downloadOne();
    clock.advance(499);
    EXPECT_EQ(view.closes, 0);
    clock.advance(1);
    EXPECT_EQ(view.closes, 1);
}

TEST_F(AfterDownloadTest, DownloadResultNeedsEveryBlockAndTheCompleteEvent) {
    loadHex(100);
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    downloadOne();
    ASSERT_EQ(view.jobs.size(), 1u);
    EXPECT_EQ(view.jobs[0].outcome, Outcome::Success);
    EXPECT_EQ(view.jobs[0].bytes, 100);
    EXPECT_EQ(driver.data.size(), 100);
    // The control's own success text is not logged for a download; the counter line is.
    EXPECT_FALSE(view.texts().contains(QStringLiteral("程序下载成功")));
}

}  // namespace
}  // namespace korvan::jobs::testing
