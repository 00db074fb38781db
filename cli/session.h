// One run of korvan-cli after its arguments were read: the database, the code file, the port
// (or the virtual chip), the soft start, the job or series of downloads, and the summary.
#pragma once

#include "cliargs.h"
#include "codeloader.h"
#include "joboutput.h"
#include "jobrunner.h"
#include "portaccess.h"
#include "zelcontext.h"

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
    bool preparePort();
    Outcome runOne(int number);
    void pauseBetweenDownloads();
    int finish(int exitCode, const QString& result, const QString& message);

    Options m_options;
    JobOutput& m_out;
    zel::ZelContext m_context;
    std::unique_ptr<zel::ChipDatabase> m_database;
    QString m_dbPath;  // the file the database comes from; "" for the built-in copy
    zel::SeriesCatalog m_series;
    std::optional<LoadedCode> m_code;
    std::unique_ptr<zelsim::VirtualChip> m_sim;
    PortTarget m_port;
    std::unique_ptr<zel::ZelQtJob> m_job;
    std::unique_ptr<JobRunner> m_runner;
    JobSummary m_summary;
    JobOutcome m_last;
    bool m_stopRequested = false;
    QElapsedTimer m_clock;
};

}  // namespace korvan::cli
