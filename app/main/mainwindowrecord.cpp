// The main window's production record: every job that reached a chip leaves a row; a problem
// with the record goes to the log once and never changes a job's outcome.
#include "jobs/downloadlog.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "main/recordwindow.h"
#include "record/databaseserials.h"
#include "record/recorder.h"
#include "windows/shellstate.h"

#include <QCoreApplication>
#include <QDateTime>

namespace korvan {

void MainWindow::startRecording() {
    startSerials();
    const ProgramConfig& config = Shell().Config.value();
    record::RecorderSetup setup;
    setup.enabled = config.Record;
    setup.database = config.Database;
    setup.station = {record::StationName(config.Station), QStringLiteral("KORVAN"),
                     QCoreApplication::applicationVersion()};
    setup.dataFolder = record::DefaultDataFolder();
    // Only a change of the record's own settings starts it again.
    if (m_recorder && m_recorder->enabled() == setup.enabled &&
        m_recorder->setup().database == setup.database &&
        m_recorder->setup().station.name == setup.station.name)
        return;
    m_controller->setRecorder(nullptr);
    m_recorder = std::make_unique<record::Recorder>(setup);
    m_recorder->setOnProblem([this](const QString& text) {
        m_controller->log().append(text, jobs::icon::kNote, false, QDateTime::currentDateTime());
    });
    if (!m_recorder->start()) {
        m_controller->log().append(m_recorder->error(), jobs::icon::kNote, false,
                                   QDateTime::currentDateTime());
        return;
    }
    m_controller->setRecorder(m_recorder.get());
}

void MainWindow::startSerials() {
    const ProgramConfig& config = Shell().Config.value();
    const QString station = record::StationName(config.Station);
    const bool same =
        m_serials ? m_serials->database() == config.Database && m_serials->station() == station
                  : config.Database.isEmpty();
    if (same) return;
    // The old pool settles what it lent the job layer before it goes.
    m_controller->setSerialSource(nullptr);
    m_serials.reset();
    if (config.Database.isEmpty()) return;
    m_serials = std::make_unique<record::DatabaseSerials>(config.Database, station);
    m_controller->setSerialSource(m_serials.get());
}

void MainWindow::openProductionRecord() {
    record::RecordDatabase* db = m_recorder ? m_recorder->database() : nullptr;
    QString why;
    if (!m_recorder || !m_recorder->enabled())
        why = maintext::kRecordRecordingOff;
    else if (!db)
        why = maintext::RecordUnavailable(m_recorder->error());
    RecordWindow window(db, why, this);
    window.exec();
}

}  // namespace korvan
