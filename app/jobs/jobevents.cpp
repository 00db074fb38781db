// The control's four events and the end of a job, as the job controller answers them.
#include "core/increment.h"
#include "core/usersettings.h"
#include "jobs/failurecause.h"
#include "jobs/jobcontroller.h"
#include "jobs/jobtexts.h"

#include <algorithm>
#include <utility>

namespace korvan::jobs {

namespace {

QByteArray AsByteArray(const std::vector<uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

}  // namespace

void JobController::driverError(int index, const QString& info) {
    // A port that cannot be opened is said once per job, however often the control tried.
    if (index == info::kErrorPort && std::exchange(m_job.portError, true)) return;
    SetBusy(BusyState::Idle);
    m_view.chipTreeCleared();
    if (index == info::kErrorToLog) {
        LogLine(info, icon::kError, false, index, LineKind::Problem);
        return;
    }
    if (index == info::kErrorPort) {
        // A start refused on the port: no job ran, this is all the user hears of it.
        m_job.messageShown = true;
        deliver(UserMessage{info, 12, {}}, false);
        return;
    }
    // Said once, with the job's result and its cause, when the job has ended.
    LogLine(info, icon::kError, false, index, LineKind::Problem);
    if (m_job.errorIndex == 0) {
        m_job.errorIndex = index;
        m_job.problem = info;
    }
}

void JobController::driverProgress(int percent) {
    m_job.lastProgress = percent;
    m_view.progress(percent);
}

void JobController::driverInterrupt(int index, const QString& info, bool& resume) {
    const int type = m_driver.downType();
    if (type == 1 || (type == 2 && m_workspace.settings().AutoType)) {
        resume = adoptSeries();
        m_view.seriesAdopted(m_driver.seriesIndex(), info);
        return;
    }
    (void)index;
    m_view.seriesRefused(info);
}

// The detected series becomes the selected one, each with its own option values.
bool JobController::adoptSeries() {
    saveOptions();
    m_driver.setSeriesIndex(m_driver.chip().index);
    const int series = m_driver.seriesIndex();
    m_workspace.updateSettings([series](UserSettings& s) { s.Mcu = series; });
    loadOptions();
    return true;
}

void JobController::saveOptions() {
    const int n = m_driver.optionCount();
    if (n == 0 || m_workspace.taskMode()) return;
    QStringList values;
    for (int i = 0; i < n; ++i) values << QString::number(m_driver.optionValue(i));
    auto doc = IniDocument::loadForUpdate(m_workspace.settingsFile());
    if (!doc) return;
    WriteOptionValues(*doc, m_driver.seriesIndex(), values.join(QLatin1Char(',')));
    doc->save(m_workspace.settingsFile());
}

void JobController::loadOptions() {
    const int n = m_driver.optionCount();
    if (n == 0) return;
    const IniDocument doc = IniDocument::load(m_workspace.settingsFile());
    const auto values = FitOptionValues(ReadOptionValues(doc, m_driver.seriesIndex()), n);
    for (int i = 0; i < n; ++i)
        if (values[static_cast<size_t>(i)])
            m_driver.setOptionValue(i, *values[static_cast<size_t>(i)]);
}

void JobController::driverViewInfo(int index, const QString& info) {
    const bool s = m_driver.success();
    switch (index) {
        case info::kErase:
            LogLine(info, icon::kStep, s, index);
            if (m_driver.downType() == 2) supplyData();
            return;
        case info::kWrite:
            m_view.progressBarShown(true);
            LogLine(info, icon::kStep, s, index);
            return;
        case info::kOptions:
            LogLine(info, icon::kStep, s, index);
            m_view.progressBarShown(false);
            return;
        case info::kWriteDone:
            m_view.progressBarShown(false);
            return;
        case info::kDetected: {
            m_timer1->stop();
            // The chip is up; a step still to come could only restart it.
            m_reset->stop();
            m_job.identifiedAt = m_clock.now();
            const ChipRecord chip = m_driver.chip();
            if (settings().followChipSeries) {
                m_driver.setSeriesIndex(chip.index);
                m_workspace.updateSettings([&chip](UserSettings& s) { s.Mcu = chip.index; });
            }
            m_view.chipIdentified(chip);
            LogLine(info, icon::kChip, true, index);
            if (m_driver.downType() == 2) refuseWhatDoesNotFit();
            return;
        }
        case info::kJob:
            return;
        case info::kBaud:
            m_job.rateSwitched = true;
            LogLine(info, icon::kStep, s, index);
            return;
        case info::kComplete:
            m_job.message = info;
            m_job.completeSeen = true;
            m_job.successAtComplete = s && m_driver.downType() == m_job.type;
            onComplete(info, s);
            return;
        case info::kCancelled:
            m_job.message = info;
            SetBusy(BusyState::Idle);
            LogLine(info, icon::kNote, s, index, LineKind::Result);
            return;
        case info::kFailed:
            m_job.message = info;
            SetBusy(BusyState::Idle);
            // The message, with its cause, follows when the control reports the job's end.
            if (std::exchange(m_job.failureLogged, true)) return;
            LogLine(info, icon::kFail, s, index, LineKind::Result);
            if (m_miniActive) m_view.miniClose();
            return;
        default:
            LogLine(info, icon::kStep, s, index);
            return;
    }
}

// The erase announcement: the code goes to the control now, and with it the increment bytes,
// so that the erase size and the blocks written cover both.
void JobController::supplyData() {
    m_view.dataRequested();
    const CodeBuffer& code = m_workspace.codeBuffer();
    m_driver.setData(AsByteArray(code));
    m_job.bytes = static_cast<qint64>(code.size());
    if (!m_workspace.settings().IncOpen) return;
    const std::optional<UserSettings> user = numberedSettings();
    if (!user) {
        // A number is never guessed: stopped before the erase, the chip keeps what it had.
        m_job.problem = text::SerialNotTaken(m_serials->error());
        LogLine(m_job.problem, icon::kFail, false, 0, LineKind::Problem);
        m_driver.cancel(false);
        return;
    }
    const IncrementData inc = IncrementBytes(*user, true, m_clock.now());
    if (inc.Data.empty() || !m_driver.appendData(AsByteArray(inc.Data), inc.Address)) {
        // The number was not written: the next chip may have it.
        settleSerial(false);
        if (!inc.Data.empty())
            LogLine(text::kIncrementRefused, icon::kFail, false, 0, LineKind::Problem);
        return;
    }
    m_job.bytes += static_cast<qint64>(inc.Data.size());
    m_job.serial = user->IncNext;
}

// A download that reaches beyond the chip's flash would be refused block by block only after
// the erase had wiped the program the chip holds; stop it before anything is changed.
void JobController::refuseWhatDoesNotFit() {
    const ChipRecord chip = m_driver.chip();
    if (chip.model.isEmpty() || chip.flash <= 0) return;
    qint64 end = static_cast<qint64>(m_workspace.codeBuffer().size());
    const UserSettings& user = m_workspace.settings();
    if (user.IncOpen) {
        const IncrementData inc = IncrementBytes(user, true, m_clock.now());
        if (!inc.Data.empty())
            end = std::max(end,
                           static_cast<qint64>(inc.Address) + static_cast<qint64>(inc.Data.size()));
    }
    if (end <= chip.flash) return;
    m_job.refused = true;
    LogLine(text::DoesNotFit(end, chip.model, chip.flash), icon::kFail, false, 0,
            LineKind::Problem);
    m_driver.cancel(false);
}

void JobController::driverJobEnded(EndReason reason) {
    m_jobOpen = false;
    m_reset->stop();
    const JobResult result = resultOf(reason);
    if (result.outcome == Outcome::Success) ++m_run.completed;
    m_run.last = result;
    if (m_busy != BusyState::Idle && !m_driver.busy() && !m_pause->isActive() &&
        !m_timer3->isActive() && !m_startDelay->isActive())
        SetBusy(BusyState::Idle);  // an end the control reported without a final event
    settleSerial(result.outcome == Outcome::Success);
    reportFailure(result);
    record(result);
    m_view.jobEnded(result);
    checkRunFinished();
}

// A failed job says why: a log line under its result, and the same words as the second line
// of the one message the job gives.
void JobController::reportFailure(const JobResult& result) {
    if (result.outcome == Outcome::Success || result.outcome == Outcome::Cancelled) return;
    if (m_job.messageShown || (!m_job.failureLogged && m_job.problem.isEmpty())) return;
    m_job.messageShown = true;
    const QString cause = causeOf(result);
    if (!cause.isEmpty()) LogLine(cause, icon::kNote, false, 0, LineKind::Problem);
    QString text = m_job.message.isEmpty() ? m_job.problem : m_job.message;
    // Without a cause in words, what the control said went wrong (a port gone) is the reason.
    const QString second = !cause.isEmpty() || m_job.problem == text ? cause : m_job.problem;
    if (!second.isEmpty()) text += QStringLiteral("\r\n") + second;
    deliver(UserMessage{text, 12, {}}, true);
}

QString JobController::causeOf(const JobResult& result) const {
    switch (result.outcome) {
        case Outcome::TimedOut:
            return text::kCauseTimedOut;
        case Outcome::Refused:
            return text::kCauseDoesNotFit;
        case Outcome::Failed:
        case Outcome::PortLost:
            break;
        default:
            return {};
    }
    if (result.reason == EndReason::UnknownModel || m_job.errorIndex == info::kErrorUnknownModel)
        return text::kCauseUnknownModel;
    if (result.reason == EndReason::SeriesRefused) return text::kCauseSeries;
    return CauseOf(result.reason);
}

JobResult JobController::resultOf(EndReason reason) const {
    JobResult r;
    r.jobType = m_job.type;
    r.reason = reason;
    r.message = m_job.message;
    r.rateSwitched = m_job.rateSwitched;
    // Progress counts the blocks the chip accepted; a job that stopped on the way wrote that
    // share of the data only.
    r.bytes = m_job.bytes * std::clamp(m_job.lastProgress, 0, 100) / 100;
    const QDateTime end = m_clock.now();
    r.identified = m_job.identifiedAt.isValid();
    if (m_job.startedAt.isValid()) {
        r.waitMs = m_job.startedAt.msecsTo(r.identified ? m_job.identifiedAt : end);
        r.jobMs = r.identified ? m_job.identifiedAt.msecsTo(end) : 0;
    }
    // A port that refuses a write mid-job has gone away as surely as one that hung up.
    if (reason == EndReason::PortLost || reason == EndReason::PortWriteFailed) {
        r.outcome = Outcome::PortLost;
    } else if (m_job.timedOut) {
        r.outcome = Outcome::TimedOut;
    } else if (m_job.portError || reason == EndReason::PortOpenFailed) {
        r.outcome = Outcome::PortError;
    } else if (m_job.refused) {
        r.outcome = Outcome::Refused;
    } else if (m_job.userCancelled) {
        r.outcome = Outcome::Cancelled;
    } else {
        // Success needs all of it: the completion event for this job type with the control's
        // success flag set, an end that the control calls complete, and for a download every
        // block accepted.
        const bool wroteAll = m_job.type != 2 || (m_job.lastProgress == 100 && m_job.bytes > 0);
        const bool ok = m_job.completeSeen && m_job.successAtComplete &&
                        reason == EndReason::Completed && wroteAll;
        r.outcome = ok ? Outcome::Success : Outcome::Failed;
        if (ok) r.bytes = m_job.bytes;
    }
    return r;
}

}  // namespace korvan::jobs
