// One port of a korvan-cli run: its engine, its port (or virtual chip), the job controller
// and the view that reports to the port's output. A gang download has one per port, all on
// the one event loop; engines share no state, so the ports run side by side.
#pragma once

#include "cliview.h"
#include "core/codeworkspace.h"
#include "desktop/associatedprogram.h"
#include "jobs/enginejobdriver.h"
#include "jobs/jobcontroller.h"

#include <QElapsedTimer>
#include <memory>
#include <optional>

namespace zelsim {
class VirtualChip;
}

namespace korvan::cli {

struct PortLane {
    PortLane(jobs::JobClock& clock, QString argument, bool virtualChip);
    ~PortLane();

    // The controller and view over `workspace`, reporting to `out`.
    void connect(CodeWorkspace& workspace, JobOutput& out, jobs::DownloadCounter& counter,
                 jobs::JobClock& clock);

    QString argument;  // the port as given, or the virtual chip's model
    bool virtualChip = false;
    QString name;  // what the output calls it: the port, or the virtual chip's terminal
    JobOutput* output = nullptr;  // where its lines go, from connect() on
    jobs::EngineJobDriver driver;
    jobs::PortAccess port;
    jobs::ProcessLauncher launcher{desktop::AssociatedProgram};
    std::optional<CodeWorkspace> ownWorkspace;  // a gang port's copy of the settings
    std::unique_ptr<CliView> view;
    std::unique_ptr<jobs::JobController> controller;
    std::unique_ptr<zelsim::VirtualChip> sim;

    // A gang port's run.
    QString problem;  // why it could not start
    bool done = false;
    std::optional<qint64> serial;  // the number its chip got for the job that runs
    QList<qint64> serials;         // the numbers its chips kept
    QElapsedTimer elapsed;
    qint64 timeMs = 0;
};

}  // namespace korvan::cli
