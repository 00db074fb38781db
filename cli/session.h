// One run of korvan-cli after its arguments were read: the database, the code file and the
// settings it brings, the port (or the virtual chip), then the job or series of downloads on
// the job controller, and the summary. With several ports (a gang download) every port runs
// its own jobs at the same time and the summary ends with a table of the ports.
#pragma once

#include "cliargs.h"
#include "core/codeworkspace.h"
#include "gangboard.h"
#include "joboutput.h"
#include "portlane.h"
#include "record/recorder.h"
#include "record/serialstore.h"
#include "serialpool.h"

#include <QElapsedTimer>
#include <memory>
#include <vector>

namespace korvan::cli {

// The exit codes of korvan-cli.
enum ExitCode : int {
    kExitSuccess = 0,
    kExitJobFailed = 1,
    kExitUsage = 2,
    kExitPort = 3,
    kExitTimeOut = 4,
};

struct OutcomeCode {
    int exit;
    const char* result;
};
// The exit code and the summary's result word of a job's outcome.
OutcomeCode CodeOf(jobs::Outcome outcome);

class Session {
  public:
    Session(Options options, JobOutput& out);
    ~Session();

    // Runs everything and returns the exit code.
    int run();
    // Ctrl-C: cancel the job that runs now and start no other.
    void stop();

  private:
    bool gang() const { return m_lanes.size() > 1; }
    PortLane& first() { return *m_lanes.front(); }
    bool openDatabase();
    bool loadCode();
    // Whether the code file, when it is a HEX file, ends with its end-of-file record.
    bool endRecordSeen() const;
    jobs::JobSettings applyOptions();
    void connectLanes(const jobs::JobSettings& settings);
    bool startSimChip(PortLane& lane);
    std::optional<QString> preparePort(PortLane& lane);
    bool preparePorts();
    int runJobs();
    void chooseOptions();
    int finish(int exitCode, const QString& result, const QString& message);
    // A gang download.
    void makeLaneOutputs();
    void watchSerials(PortLane& lane);
    void keepSerial(PortLane& lane, const jobs::JobResult& result);
    // The next serial number into a task, into the file as it is on disk now; a failure is
    // kept in m_saveFailure.
    void keepSerialInTask();
    // One port: a serial number the settings file could not take stops the run.
    void watchSerialSaves();
    int runGang();
    // The production record, and the serial numbers from its database when one is named;
    // false (the run finished) when the database text is unusable or a numbered run cannot
    // reach it.
    bool startRecording(jobs::JobSettings& settings);
    void watchDbSerials(PortLane& lane, CodeWorkspace& workspace);
    PortSummary summaryOf(const PortLane& lane) const;

    Options m_options;
    JobOutput& m_out;
    jobs::SystemJobClock m_clock;
    CodeWorkspace m_workspace;
    jobs::MemoryDownloadCounter m_counter;
    std::vector<std::unique_ptr<PortLane>> m_lanes;
    std::vector<JobOutput*> m_laneOutputs;  // a gang download: each port's output
    std::vector<std::unique_ptr<JobOutput>> m_ownedOutputs;
    std::unique_ptr<GangBoard> m_board;
    std::optional<SerialPool> m_serials;
    std::unique_ptr<record::Recorder> m_recorder;
    std::unique_ptr<record::RecordDatabase> m_serialDb;
    std::unique_ptr<record::SerialStore> m_dbSerials;
    bool m_persistSerial = false;  // the serial number goes back into the settings file
    bool m_serialsChanged = false;
    QString m_saveFailure;        // why a serial number could not be kept; the run fails with it
    bool m_fileSettings = false;  // the settings came with a .mcu or .mcp
    bool m_fileSeries = false;    // and they name a series
    JobSummary m_summary;
    bool m_stopRequested = false;
    QString m_optionError;  // configure: an option the chip does not have
    QElapsedTimer m_elapsed;
};

}  // namespace korvan::cli
