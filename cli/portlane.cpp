#include "portlane.h"

#include "zelsim/virtualchip.h"

namespace korvan::cli {

PortLane::PortLane(jobs::JobClock& clock, QString argument, bool virtualChip)
    : argument(std::move(argument)), virtualChip(virtualChip), driver(clock) {}

PortLane::~PortLane() {
    controller.reset();
    if (sim) sim->stop();
}

void PortLane::connect(CodeWorkspace& workspace, JobOutput& out, jobs::DownloadCounter& counter,
                       jobs::JobClock& clock) {
    output = &out;
    view = std::make_unique<CliView>(out, driver, workspace.settings());
    controller = std::make_unique<jobs::JobController>(
        jobs::JobController::Parts{driver, clock, workspace, port, launcher, counter, *view});
}

}  // namespace korvan::cli
