// One run of korvan-cli after its arguments were read: the database, the code file and the
// settings it brings, the port (or the virtual chip), then the job or series of downloads on
// the job controller, and the summary.
#pragma once

#include "cliargs.h"
#include "cliview.h"
#include "core/codeworkspace.h"
#include "joboutput.h"
#include "jobs/enginejobdriver.h"
#include "jobs/jobcontroller.h"

#include <QElapsedTimer>
#include <memory>

namespace zelsim {
class VirtualChip;
}

namespace korvan::cli {

// The exit codes of korvan-cli.
enum ExitCode : int {
    kExitSuccess = 0,
    kExitJobFailed = 1,
    kExitUsage = 2,
    kExitPort = 3,
    kExitTimeOut = 4,
};

class Session {
  public:
    Session(Options options, JobOutput& out);
    ~Session();

    // Runs everything and returns the exit code.
    int run();
    // Ctrl-C: cancel the job that runs now and start no other.
    void stop();

  private:
    bool openDatabase();
    bool loadCode();
    void applyOptions();
    bool preparePort();
    int runJobs();
    void chooseOptions();
    int finish(int exitCode, const QString& result, const QString& message);

    Options m_options;
    JobOutput& m_out;
    jobs::SystemJobClock m_clock;
    jobs::EngineJobDriver m_driver{m_clock};
    CodeWorkspace m_workspace;
    jobs::PortAccess m_port;
    jobs::ProcessLauncher m_launcher;
    jobs::MemoryDownloadCounter m_counter;
    std::unique_ptr<CliView> m_view;
    std::unique_ptr<jobs::JobController> m_controller;
    std::unique_ptr<zelsim::VirtualChip> m_sim;
    bool m_fileSettings = false;  // the settings came with a .mcu or .mcp
    bool m_fileSeries = false;    // and they name a series
    JobSummary m_summary;
    bool m_stopRequested = false;
    QString m_optionError;  // configure: an option the chip does not have
    QElapsedTimer m_elapsed;
};

}  // namespace korvan::cli
