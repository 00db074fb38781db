// What runs after a download: the terminal actions of "APP", a program for the chosen time,
// and the consent a program named by a foreign settings file needs.
#include "jobs/jobtexts.h"
#include "jobtestsupport.h"

#include <QFile>

namespace korvan::jobs::testing {
namespace {

struct ActionCase {
    const char* name;
    QString program;
    QString parameters;
    bool stopOnly;
    QStringList requests;
};

class AppActions : public ControllerTest, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(AppActions, BecomeTerminalRequests) {
    const ActionCase& c = GetParam();
    workspace->updateSettings([&](UserSettings& s) { s.RunProgram = c.program; });
    workspace->updateSettings([&](UserSettings& s) { s.RunParameters = c.parameters; });
    controller->RunUserAction(c.stopOnly);
    EXPECT_EQ(view.requests, c.requests);
    EXPECT_TRUE(launcher.started.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Parameters, AppActions,
    ::testing::Values(
        ActionCase{"OpenAndSend", "app", "opencom++send", false, {"open", "tab", "send"}},
        ActionCase{"TabOnly", "APP", "tabcom", false, {"tab"}},
        ActionCase{"UnknownPartsIgnored", "App", "foo++SEND", false, {"send"}},
        ActionCase{"StopOnlyDoesNothing", "app", "opencom++send", true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

class ProgramAfterDownload : public ControllerTest {
  protected:
    void downloadOne() {
        driver.identify(chip());
        driver.finishDownload();
        clock.advance(0);
    }
};

TEST_F(ProgramAfterDownload, RunsForTheDelayThenTheNextRepeatStarts) {
    loadHex(64);
    workspace->updateSettings([&](UserSettings& s) {
        s.RunAfter = true;
        s.RunProgram = QStringLiteral("flash-label");
        s.RunParameters = QStringLiteral("--copies 2");
        s.RunDelayIndex = 1;  // 1000 ms
    });
    JobSettings js = controller->settings();
    js.count = true;
    js.reCount = 2;
    controller->setSettings(js);
    ASSERT_TRUE(controller->DownloadAction(JobController::kRepeat));
    downloadOne();
    EXPECT_EQ(launcher.started, QStringList{"flash-label --copies 2"});
    EXPECT_TRUE(view.texts().contains(text::RunProgramLine(QStringLiteral("1000 ms"))));
    clock.advance(999);
    EXPECT_EQ(driver.starts.size(), 1u);
    EXPECT_TRUE(launcher.stopped.empty());
    clock.advance(1);
    EXPECT_EQ(launcher.stopped, std::vector<qint64>{101});
    EXPECT_EQ(driver.starts.size(), 2u) << "Timer3 starts the next chip";
    downloadOne();
    clock.advance(1000);
    EXPECT_EQ(driver.starts.size(), 2u);
    ASSERT_EQ(view.runs.size(), 1u);
    EXPECT_EQ(view.runs[0].completed, 2);
}

// A configuration file written by someone else names a program; the user is asked once.
struct ConsentCase {
    const char* name;
    int answer;
    bool runs;
};

class ForeignProgram : public ProgramAfterDownload,
                       public ::testing::WithParamInterface<ConsentCase> {};

TEST_P(ForeignProgram, RunsOnlyWithTheUsersConsent) {
    loadHex(64);
    const QString mcu = scratch.path() + QStringLiteral("/other.mcu");
    QFile file(mcu);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[UserSet]\nUserFile=\"%AppPath%code.hex\"\n[UserDown]\nRun=1\nExe=evil\nTimer=0\n");
    file.close();
    ASSERT_TRUE(workspace->OpenCodeFile(mcu, false).Ok);
    ASSERT_TRUE(workspace->runNeedsConsent());
    view.answerWith = GetParam().answer;
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    clock.advance(0);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].message.Style, 21);
    downloadOne();
    EXPECT_EQ(launcher.started.size(), GetParam().runs ? 1 : 0);
    EXPECT_EQ(view.texts().contains(text::kConsentRefused), !GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(Answers, ForeignProgram,
                         ::testing::Values(ConsentCase{"Allowed", 1, true},
                                           ConsentCase{"Refused", 2, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramAfterDownload, SendActionWritesItsDataTextAtTheSoftStartSettings) {
    loadHex(64);
    workspace->updateSettings([&](UserSettings& s) {
        s.RunAfter = true;
        s.RunProgram = QStringLiteral("send");
        s.RunParameters = QStringLiteral("AA %NL1");
        s.IncNext = 9;
        s.Rest = QStringLiteral(";19200,N,8,1");
    });
    ASSERT_TRUE(controller->DownloadAction(JobController::kDownload));
    pty.readAll();
    downloadOne();
    EXPECT_EQ(pty.readAll(), QByteArray("\xAA\x09", 2));
    EXPECT_TRUE(view.texts().contains(text::kRunParameters));
    clock.advance(10);
    ASSERT_EQ(view.runs.size(), 1u);
}

TEST_F(ProgramAfterDownload, SoftStartOnAMissingPortSaysSo) {
    loadHex(64);
    workspace->updateSettings(
        [&](UserSettings& s) { s.Rest = QStringLiteral("12 34;9600,N,8,1"); });
    port.setTarget(ParsePortArgument(scratch.path() + QStringLiteral("/ttyGONE")));
    EXPECT_EQ(controller->SendSoftStart(false), 0);
    clock.runPosted();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].message.Style, 12);
}

TEST(RunProgram, StopOnlyEndsTheRunningProgramAndStartsNone) {
    RecordingLauncher launcher;
    qint64 pid = 0;
    RunProgram(launcher, QStringLiteral("a"), pid, false);
    EXPECT_EQ(pid, 101);
    RunProgram(launcher, QStringLiteral("b"), pid, false);  // the first still runs: ended
    EXPECT_EQ(pid, 0);
    EXPECT_EQ(launcher.started, QStringList{"a"});
    EXPECT_EQ(launcher.stopped, std::vector<qint64>{101});
}

}  // namespace
}  // namespace korvan::jobs::testing
