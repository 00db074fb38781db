// A run's production record: every job that reached a chip leaves a row, and with a database
// named the serial numbers come from its pool, shared by every port and station.
#include "clitexts.h"
#include "core/programconfig.h"
#include "core/serialpoolname.h"
#include "record/recordtexts.h"
#include "record/serialholders.h"
#include "session.h"

#include <QCoreApplication>

namespace korvan::cli {

bool Session::startRecording(jobs::JobSettings& settings) {
    const ProgramConfig config = LoadConfig(CurrentAppPaths());
    const QString database = !m_options.recordDb.isEmpty() ? m_options.recordDb : config.Database;
    record::RecorderSetup setup;
    setup.enabled = config.Record;
    setup.database = database;
    setup.station = {record::StationName(config.Station), QCoreApplication::applicationName(),
                     QCoreApplication::applicationVersion()};
    setup.dataFolder = record::DefaultDataFolder();
    m_recorder = std::make_unique<record::Recorder>(setup);
    m_recorder->setOnProblem([this](const QString& text) { m_out.warning(text); });
    if (!m_recorder->start())
        return finish(kExitUsage, QStringLiteral("input-error"), m_recorder->error()), false;

    // Without a database named, the numbers stay with the task as they always were.
    if (database.isEmpty() || m_options.job != Job::Download || !m_workspace.settings().IncOpen)
        return true;
    const record::DatabaseUrlResult url = record::ParseDatabaseUrl(database);
    if (!url.url) return finish(kExitUsage, QStringLiteral("input-error"), url.error), false;
    m_serialDb = std::make_unique<record::RecordDatabase>(*url.url);
    // A number must never be guessed: no database, no numbered job.
    if (!m_serialDb->open())
        return finish(kExitJobFailed, QStringLiteral("failed"),
                      record::text::DatabaseUnreachable(record::DatabaseUrlText(*url.url),
                                                        m_serialDb->error())),
               false;
    // What this station's crashed runs held goes back first; a failure here is not fatal, the
    // next start tries again.
    record::ReclaimDeadHolders(*m_serialDb, setup.station.name);
    m_dbSerials =
        std::make_unique<record::SerialStore>(*m_serialDb, SerialPoolName(m_workspace),
                                              setup.station.name, m_workspace.settings().IncNext);
    // The database keeps the next number; the task's own copy would only mislead.
    settings.persistSerial = false;
    return true;
}

void Session::watchDbSerials(PortLane& lane, CodeWorkspace& workspace) {
    lane.view->setShowNextSerial(false);
    lane.view->setOnDataRequested([this, &lane, &workspace] {
        if (lane.serial) m_dbSerials->giveBack(*std::exchange(lane.serial, std::nullopt));
        const std::optional<qint64> number = m_dbSerials->take();
        if (!number) {
            lane.output->logLine(LogEntry{record::text::SerialNotTaken(m_dbSerials->error()), false,
                                          0, LineRole::Problem});
            // Stopped before the erase: the chip keeps what it had.
            lane.driver.cancel(false);
            return;
        }
        lane.serial = *number;
        workspace.updateSettings([n = *number](UserSettings& s) { s.IncNext = n; });
    });
    lane.view->setOnJobEnded([this, &lane](const jobs::JobResult& result) {
        if (!lane.serial) return;
        const qint64 number = *std::exchange(lane.serial, std::nullopt);
        if (result.outcome != jobs::Outcome::Success) {
            if (!m_dbSerials->giveBack(number))
                lane.output->logLine(LogEntry{record::text::SerialNotTaken(m_dbSerials->error()),
                                              false, 0, LineRole::Problem});
            return;
        }
        m_dbSerials->keep(number);
        lane.serials << number;
        lane.output->logLine(LogEntry{text::SerialGiven(number), true, 0, LineRole::Result});
    });
}

}  // namespace korvan::cli
