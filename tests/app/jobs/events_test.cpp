// The control's events: series adoption per job type, errors to the log or as a message (never
// inside the event), and a failed job's message.
#include "jobtestsupport.h"

#include <QFile>
#include <functional>

namespace korvan::jobs::testing {
namespace {

struct AdoptCase {
    const char* name;
    int button;     // a download button, or -1 for the check
    bool autoType;  // "自动识别单片机系列"
    bool adopts;
};

class SeriesAdoption : public ControllerTest, public ::testing::WithParamInterface<AdoptCase> {};

TEST_P(SeriesAdoption, FollowsTheJobType) {
    const AdoptCase& c = GetParam();
    loadHex(64);
    workspace->updateSettings([&](UserSettings& s) { s.AutoType = c.autoType; });
    driver.setSeriesIndex(2);
    if (c.button < 0)
        ASSERT_TRUE(controller->CheckAction(JobController::kCheck));
    else
        ASSERT_TRUE(controller->DownloadAction(c.button));
    driver.identify(chip(5));
    EXPECT_EQ(driver.interrupt(c.button < 0 ? 2 : 1, QStringLiteral("系列不同")), c.adopts);
    EXPECT_EQ(driver.seriesIndex(), c.adopts ? 5 : 2);
    EXPECT_EQ(view.adopted, c.adopts ? std::vector<int>{5} : std::vector<int>{});
    EXPECT_EQ(view.refused, c.adopts ? 0 : 1);
    if (c.adopts) {
        EXPECT_EQ(workspace->settings().Mcu, 5);
    }
}

INSTANTIATE_TEST_SUITE_P(
    JobTypes, SeriesAdoption,
    ::testing::Values(AdoptCase{"CheckAlways", -1, false, true},
                      AdoptCase{"DownloadWithAutoType", JobController::kDownload, true, true},
                      AdoptCase{"DownloadWithoutAutoType", JobController::kDownload, false, false},
                      AdoptCase{"ConfigureNever", JobController::kConfigure, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControllerTest, ErrorMessageWaitsUntilTheEventHasReturned) {
    loadHex(64);
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    driver.error(12, QStringLiteral("未知型号的单片机"));
    EXPECT_TRUE(view.messages.empty()) << "no message inside the control's event";
    EXPECT_EQ(controller->busyState(), BusyState::Idle);
    clock.runPosted();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(
        view.messages[0].message,
        (UserMessage{QStringLiteral("未知型号的单片机\r\n原因：数据库中没有这个型号"), 12, {}}));
    EXPECT_TRUE(view.messages[0].logged);
}

// However many events the control raises for one failure, the job gives one message: its
// result, and under it why. The log has the result once and the cause in a line of its own.
TEST_F(ControllerTest, AFailedJobSaysWhyInOneMessage) {
    struct Case {
        const char* name;
        int button;
        std::function<void()> fail;
        QString result;  // the failure line, logged once
        QString cause;
    };
    const auto unknownModel = [this] {
        driver.identify(ChipRecord{});
        // The control reports this one twice, with an error between.
        driver.fail(EndReason::UnknownModel, QStringLiteral("程序下载失败"));
        driver.error(12, QStringLiteral("未知型号的单片机"));
        driver.fail(EndReason::UnknownModel, QStringLiteral("程序下载失败"));
    };
    const auto after = [this](EndReason reason, const char* text) {
        return [this, reason, text] {
            driver.identify(chip());
            driver.fail(reason, QString::fromUtf8(text));
        };
    };
    const auto noChip = [this] { clock.advance(60000); };
    const Case cases[] = {
        {"unknown model", JobController::kDownload, unknownModel, "程序下载失败",
         "原因：数据库中没有这个型号"},
        {"configure without steps", JobController::kConfigure,
         after(EndReason::NoSteps, "参数配置失败"), "参数配置失败",
         "原因：数据库中没有这个任务的步骤"},
        {"refused blocks", JobController::kDownload,
         after(EndReason::RetriesExhausted, "程序下载失败"), "程序下载失败",
         "原因：单片机多次拒收数据"},
        {"no chip", JobController::kDownload, noChip, "失败", "原因：单片机没有应答（超时）"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.messages.clear();
        view.lines.clear();
        loadHex(64);
        ASSERT_TRUE(controller->DownloadAction(c.button));
        c.fail();
        clock.runPosted();
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].message.Text, c.result + QStringLiteral("\r\n") + c.cause);
        EXPECT_EQ(view.messages[0].message.Style, 12);
        const QStringList lines = view.texts();
        EXPECT_EQ(lines.count(c.result), 1) << lines.join('|').toStdString();
        EXPECT_EQ(lines.count(c.cause), 1) << lines.join('|').toStdString();
        EXPECT_GT(lines.indexOf(c.cause), lines.indexOf(c.result));
        EXPECT_TRUE(controller->quiet());
    }
}

TEST_F(ControllerTest, SeriesErrorGoesToTheLog) {
    loadHex(64);
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    driver.error(10, QStringLiteral("系列不同，已取消下载"));
    clock.runPosted();
    EXPECT_TRUE(view.messages.empty());
    const DownloadLog& log = controller->log();
    EXPECT_EQ(log.at(log.size() - 1).icon, icon::kError);
    EXPECT_TRUE(log.at(log.size() - 1).text.endsWith(QStringLiteral("系列不同，已取消下载")));
}

TEST_F(ControllerTest, PortRefusedByTheControlEndsTheRunAsAPortError) {
    loadHex(64);
    driver.refuseStart = true;
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    clock.advance(0);
    ASSERT_EQ(view.runs.size(), 1u);
    EXPECT_EQ(view.runs[0].last.outcome, Outcome::PortError);
    EXPECT_EQ(view.countdowns.size(), 0u) << "nothing to wait for";
}

// A stored serial number beyond nine digits is never cut to fit and sent: the job does not start.
TEST_F(ControllerTest, ASerialNumberOutOfRangeIsRefusedWithItsMessage) {
    loadHex(64);
    workspace->updateSettings([](UserSettings& s) {
        s.IncOpen = true;
        s.IncNext = 4294967298;
    });
    EXPECT_FALSE(controller->DownloadAction(JobController::kDownload));
    clock.runPosted();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].message.Text.contains(QStringLiteral("4294967298")));
    EXPECT_TRUE(driver.starts.empty());
}

TEST_F(ControllerTest, NoCodeIsRefusedWithItsMessage) {
    EXPECT_FALSE(controller->DownloadAction(JobController::kDownload));
    clock.runPosted();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].message.Text, QStringLiteral("文件未打开，请打开后再试"));
    EXPECT_EQ(view.messages[0].message.Style, 11);
    EXPECT_TRUE(driver.starts.empty());
}

// With the buffer refreshed before each download, a file that no longer loads stops the
// download with its reason; the code read before is not sent in its place.
TEST_F(ControllerTest, ARefreshThatFailsStopsTheDownload) {
    const QString hex = loadHex(64);
    workspace->updateSettings([](UserSettings& s) { s.AutoData = true; });
    QFile file(hex);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("no longer a HEX file\n");
    file.close();
    EXPECT_FALSE(controller->DownloadAction(JobController::kDownload));
    clock.runPosted();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].message.Text,
              QStringLiteral("文件中没有一条有效的 HEX 记录，不是 HEX 文件"));
    EXPECT_TRUE(driver.starts.empty());
}

TEST_F(ControllerTest, MissingPortIsRefusedBeforeTheJob) {
    loadHex(64);
    port.setTarget(ParsePortArgument(scratch.path() + QStringLiteral("/ttyNONE")));
    EXPECT_FALSE(controller->DownloadAction(JobController::kDownload));
    clock.runPosted();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].message.Text.contains(QStringLiteral("无效")));
    EXPECT_TRUE(driver.starts.empty());
}

TEST_F(ControllerTest, CodeBeyondTheFlashIsRefusedBeforeTheErase) {
    loadHex(200);
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    ChipRecord small = chip();
    small.flash = 128;
    driver.identify(small);
    EXPECT_EQ(driver.cancels, std::vector<bool>{false});
    clock.runPosted();
    ASSERT_EQ(view.jobs.size(), 1u);
    EXPECT_EQ(view.jobs[0].outcome, Outcome::Refused);
}

}  // namespace
}  // namespace korvan::jobs::testing
