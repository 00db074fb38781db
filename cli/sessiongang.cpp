// A gang download: every port runs its own jobs on the one event loop, the serial numbers come
// from one pool, and the run ends with a table of the ports.
#include "clitexts.h"
#include "core/messages.h"
#include "core/serialwriteback.h"
#include "jobs/jobtexts.h"
#include "jsonoutput.h"
#include "session.h"
#include "text.h"
#include "textoutput.h"

#include <unistd.h>
#include <QEventLoop>
#include <algorithm>

namespace korvan::cli {

namespace {

// Why a port's run failed, in words, for the table.
QString NoteOf(const jobs::RunResult& run) {
    using jobs::EndReason;
    using jobs::Outcome;
    namespace jt = jobs::text;
    const jobs::JobResult& last = run.last;
    switch (last.outcome) {
        case Outcome::Success:
        case Outcome::Cancelled:
            return {};
        case Outcome::TimedOut:
            return jt::kTimeOut;
        case Outcome::PortLost:
            return jt::kPortLost;
        case Outcome::PortError:
            return jt::kCausePortOpen;
        default:
            break;
    }
    if (last.reason == EndReason::UnknownModel) return jt::kCauseUnknownModel;
    if (last.reason == EndReason::SeriesRefused) return jt::kCauseSeries;
    const QString cause = CauseOf(last.reason);
    return cause.isEmpty() ? last.message : last.message + KORVAN_TR("korvan-cli", "，") + cause;
}

// A message written for the message window, as one line of output.
QString OneLine(QString text) {
    return text.replace(QStringLiteral("\r\n"), KORVAN_TR("korvan-cli", "，"));
}

}  // namespace

void Session::makeLaneOutputs() {
    QStringList names;
    for (const auto& lane : m_lanes) names << lane->name;
    if (auto* json = dynamic_cast<JsonOutput*>(&m_out)) {
        for (const QString& name : names) {
            m_ownedOutputs.push_back(json->forPort(name));
            m_laneOutputs.push_back(m_ownedOutputs.back().get());
        }
        return;
    }
    // The trace shares standard error; lines drawn over would garble it.
    if (::isatty(STDOUT_FILENO) == 1 && !m_options.verbose && !m_options.quiet) {
        m_board = std::make_unique<GangBoard>(stdout, stderr, names);
        for (int i = 0; i < names.size(); ++i) m_laneOutputs.push_back(&m_board->output(i));
        return;
    }
    const QStringList prefixes = PortPrefixes(names);
    for (const QString& prefix : prefixes) {
        TextOutput::Style style;
        style.quiet = m_options.quiet;
        style.showChip = false;
        style.prefix = prefix;
        m_ownedOutputs.push_back(std::make_unique<TextOutput>(stdout, stderr, style));
        m_laneOutputs.push_back(m_ownedOutputs.back().get());
    }
}

void Session::watchSerials(PortLane& lane) {
    lane.view->setShowNextSerial(false);
    lane.view->setOnDataRequested([this, &lane] {
        if (lane.serial) m_serials->giveBack(*lane.serial);
        lane.serial = m_serials->take();
        const qint64 serial = *lane.serial;
        lane.ownWorkspace->updateSettings([serial](UserSettings& s) { s.IncNext = serial; });
    });
    lane.view->setOnJobEnded(
        [this, &lane](const jobs::JobResult& result) { keepSerial(lane, result); });
}

// The end of a job that took a number: kept by a chip that succeeded, else given back.
void Session::keepSerial(PortLane& lane, const jobs::JobResult& result) {
    if (!lane.serial) return;
    const qint64 number = *std::exchange(lane.serial, std::nullopt);
    if (result.outcome != jobs::Outcome::Success) {
        m_serials->giveBack(number);
        return;
    }
    m_serials->keep(number);
    lane.serials << number;
    lane.output->logLine(LogEntry{text::SerialGiven(number), true, 0, LineRole::Result});
    // Kept at once, as a single port keeps it after each chip; a task is packed at the end.
    const qint64 next = m_serials->next();
    m_workspace.updateSettings([next](UserSettings& s) { s.IncNext = next; });
    if (!m_persistSerial) return;
    m_serialsChanged = true;
    if (m_workspace.taskMode()) return;
    ktext::FileError error;
    if (WriteBackSerialNumber(m_workspace.settingsFile(), m_workspace.settings().IncNext,
                              m_workspace.paths().TempPath, &error))
        return;
    // Every port stops: a chip flashed now would get a number the next run gives again.
    if (m_saveFailure.isEmpty()) m_saveFailure = OneLine(msg::SaveFailedText(error));
    stop();
}

// A task is packed again with its next serial number and nothing else changed: the ports may
// have met chips of several series, and none of them is to become the task's.
void Session::keepSerialInTask() {
    ktext::FileError error;
    if (!WriteBackSerialNumber(m_workspace.settingsFile(), m_workspace.settings().IncNext,
                               m_workspace.paths().TempPath, &error) &&
        m_saveFailure.isEmpty())
        m_saveFailure = OneLine(msg::SaveFailedText(error));
}

void Session::watchSerialSaves() {
    first().view->setOnJobEnded([this](const jobs::JobResult& result) {
        if (result.outcome != jobs::Outcome::Success || m_workspace.taskMode()) return;
        const auto failure = m_workspace.saveFailure();
        if (!failure || !m_saveFailure.isEmpty()) return;
        m_saveFailure = OneLine(failure->Text);
        stop();
    });
}

PortSummary Session::summaryOf(const PortLane& lane) const {
    PortSummary p;
    p.port = lane.name;
    p.wanted = m_options.repeat;
    p.serials = lane.serials;
    p.timeMs = lane.timeMs;
    const jobs::ChipRecord chip = lane.driver.chip();
    if (!chip.id.isEmpty()) {
        p.model = chip.model;
        p.id = chip.id;
    }
    if (!lane.problem.isEmpty()) {
        p.result = QStringLiteral("port-error");
        p.message = lane.problem;
        return p;
    }
    if (!lane.view || !lane.view->run()) {
        p.result = m_stopRequested ? QStringLiteral("cancelled") : QStringLiteral("failed");
        p.message = m_stopRequested ? QString() : text::kStartFailed;
        return p;
    }
    const jobs::RunResult& run = *lane.view->run();
    p.completed = run.completed;
    OutcomeCode code = CodeOf(run.last.outcome);
    if (run.cancelled || (m_stopRequested && run.last.outcome != jobs::Outcome::Success))
        code = {kExitJobFailed, "cancelled"};
    if (code.exit == kExitSuccess && run.completed < p.wanted) code = {kExitJobFailed, "failed"};
    p.result = QString::fromLatin1(code.result);
    if (code.exit != kExitSuccess) p.message = NoteOf(run);
    return p;
}

int Session::runGang() {
    QEventLoop loop;
    auto allDone = [this] {
        return std::all_of(m_lanes.begin(), m_lanes.end(), [](const auto& l) { return l->done; });
    };
    for (size_t i = 0; i < m_lanes.size(); ++i) {
        PortLane& lane = *m_lanes[i];
        lane.elapsed.start();
        auto end = [&lane] {
            lane.done = true;
            lane.timeMs = lane.elapsed.elapsed();
        };
        if (!lane.problem.isEmpty()) {
            m_laneOutputs[i]->logLine(LogEntry{lane.problem, false, 0, LineRole::Problem});
            end();
            continue;
        }
        lane.view->setOnFinished([&loop, end, allDone] {
            end();
            if (allDone()) loop.quit();
        });
        const bool started =
            !m_stopRequested &&
            lane.controller->DownloadAction(m_options.repeat > 1 ? jobs::JobController::kRepeat
                                                                 : jobs::JobController::kDownload);
        if (!started) end();
    }
    if (!allDone()) loop.exec();  // Ctrl-C is taken meanwhile
    for (const auto& lane : m_lanes)
        if (lane->view) lane->view->setOnFinished({});
    // What a port that did not start has to say comes from the event loop.
    QEventLoop drain;
    QMetaObject::invokeMethod(&drain, &QEventLoop::quit, Qt::QueuedConnection);
    drain.exec();

    int succeeded = 0;
    for (const auto& lane : m_lanes) {
        PortSummary port = summaryOf(*lane);
        if (port.result == QStringLiteral("success")) ++succeeded;
        m_summary.completed += port.completed;
        if (lane->view && lane->view->run()) {
            m_summary.attempted += lane->view->run()->attempted;
            m_summary.bytes = std::max(m_summary.bytes, lane->view->run()->last.bytes);
        }
        m_summary.ports.push_back(std::move(port));
    }
    if (m_dbSerials && m_summary.completed > 0) m_summary.nextSerial = m_dbSerials->nextNew();
    if (m_serials) {
        if (m_serials->anyKept()) m_summary.nextSerial = m_serials->next();
        m_summary.unusedSerials = m_serials->unused();
    }
    if (m_workspace.taskMode() && m_serialsChanged) keepSerialInTask();
    if (!m_saveFailure.isEmpty())
        return finish(kExitJobFailed, QStringLiteral("failed"), m_saveFailure);
    const int ports = static_cast<int>(m_lanes.size());
    m_summary.message = text::GangPartlyDone(succeeded, ports);
    if (succeeded == ports) return finish(kExitSuccess, QStringLiteral("success"), {});
    return finish(kExitJobFailed,
                  m_stopRequested ? QStringLiteral("cancelled") : QStringLiteral("failed"), {});
}

}  // namespace korvan::cli
