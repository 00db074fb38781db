// A complete job, and what follows a successful download: the counter, the serial number,
// the user's program or action, the next repetition and the unattended close.
#include "core/increment.h"
#include "core/usersettings.h"
#include "jobs/jobcontroller.h"
#include "jobs/jobtexts.h"

#include <algorithm>

namespace korvan::jobs {

namespace {

constexpr int kRepeatPauseMs = 200;
constexpr int kClosePauseMs = 500;
constexpr int kActionDelayMs = 10;

bool IsBuiltInAction(const QString& program) {
    const QString upper = program.trimmed().toUpper();
    return upper == QStringLiteral("APP") || upper == QStringLiteral("SEND");
}

}  // namespace

void JobController::onComplete(const QString& info, bool s) {
    if (m_driver.downType() != 2) {
        m_view.playPrompt(s ? 0 : 2);
        LogLine(info, s ? icon::kSuccess : icon::kFail, s, info::kComplete, LineKind::Result);
        SetBusy(BusyState::Idle);
        return;
    }
    m_view.progressBarShown(false);
    if (AfterDownload()) {
        m_view.playPrompt(m_repeatMode ? 1 : 0);
        SetBusy(BusyState::Idle);
        m_view.miniClose();
        if (settings().unattended || settings().autoClose) {
            after(kClosePauseMs, [this] { m_view.closeRequested(); });
        } else {
            m_view.flashWindow();
        }
        return;
    }
    m_view.playPrompt(0);
    // With a program to run, Timer3 starts the next repetition once its time is up.
    if (!m_workspace.settings().RunAfter) after(kRepeatPauseMs, [this] { StartJob(2, false); });
}

bool JobController::AfterDownload() {
    CountDownload(1);
    m_view.progressBarShown(false);
    // The owner of the serial number advances it: the window's box, the settings file (or
    // the open task) and the next job all follow it. A shared pool keeps its own next number.
    if (m_workspace.settings().IncOpen && !m_serials) {
        if (settings().persistSerial)
            m_workspace.AdvanceSerialNumber();
        else
            m_workspace.updateSettings(
                [](UserSettings& s) { s.IncNext = NextSerialNumber(s.IncNext); });
    }
    const UserSettings& user = m_workspace.settings();
    const bool s = m_driver.success();
    LogLine(text::DownloadCounted(m_counter.read()), icon::kSuccess, s);
    bool finished = true;
    if (m_repeatMode) {
        ++m_repeatCount;
        finished = settings().count && m_repeatCount == settings().reCount;
    }
    if (user.RunAfter) {
        if (!IsBuiltInAction(user.RunProgram)) {
            const int last = static_cast<int>(RunDelays().size()) - 1;
            const int delay =
                RunDelays().at(static_cast<size_t>(std::clamp(user.RunDelayIndex, 0, last)));
            m_timer3->start(delay, false);
            LogLine(text::RunProgramLine(QStringLiteral("%1 ms").arg(delay)), icon::kNote, false);
        } else {
            m_timer3->start(kActionDelayMs, false);
            LogLine(text::kRunParameters, icon::kNote, false);
        }
        m_timer3Finished = finished;
        RunUserAction(false);
    }
    if (m_repeatMode && finished)
        LogLine(text::SeriesDone(settings().reCount), icon::kSuccess, s, 0, LineKind::Result);
    return finished;
}

void JobController::Timer3Tick() {
    m_timer3->stop();
    RunUserAction(true);
    if (!m_timer3Finished && m_busy != BusyState::Idle) StartJob(2, false);
    checkRunFinished();
}

bool JobController::programAllowed() {
    if (!m_workspace.runNeedsConsent()) return true;
    LogLine(text::kConsentRefused, icon::kFail, false, 0, LineKind::Problem);
    return false;
}

void JobController::RunUserAction(bool stopOnly) {
    const UserSettings& user = m_workspace.settings();
    const QString program = user.RunProgram.trimmed();
    const QString upper = program.toUpper();
    const QString parameters = user.RunParameters;
    if (upper == QStringLiteral("APP")) {
        if (stopOnly) return;
        for (const QString& part : parameters.split(QStringLiteral("++"))) {
            const QString action = part.trimmed().toUpper();
            if (action == QStringLiteral("OPENCOM")) {
                m_view.terminalOpen();
                m_view.selectTerminalTab();
            } else if (action == QStringLiteral("SEND")) {
                m_view.terminalSend();
            } else if (action == QStringLiteral("TABCOM")) {
                m_view.selectTerminalTab();
            }
        }
        return;
    }
    if (upper == QStringLiteral("SEND")) {
        if (stopOnly || parameters.isEmpty()) return;
        if (m_view.terminalIsOpen()) m_view.terminalClose();
        const ResetCommand reset = SplitRest(user.Rest);
        if (!openPort(reset.PortSettings)) return;
        SendDataText(parameters);
        m_port.close();
        return;
    }
    if (program.isEmpty()) return;
    if (!stopOnly && !programAllowed()) return;
    const QString command =
        parameters.isEmpty() ? program : program + QLatin1Char(' ') + parameters;
    switch (RunProgram(m_launcher, command, m_userProcess, stopOnly)) {
        case RunOutcome::NoAssociatedProgram:
            LogLine(text::NoAssociatedProgram(program.section(QLatin1Char(' '), 0, 0)), icon::kFail,
                    false, 0, LineKind::Problem);
            break;
        case RunOutcome::StartFailed:
            LogLine(text::ProgramNotStarted(command), icon::kFail, false, 0, LineKind::Problem);
            break;
        case RunOutcome::Started:
        case RunOutcome::Stopped:
            break;
    }
}

}  // namespace korvan::jobs
