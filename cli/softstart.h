// The soft-start command: a data text sent to the running chip before a job, through a port
// of its own at the command's settings, to make the program jump into the bootloader.
#pragma once

#include "cliargs.h"
#include "portaccess.h"

#include <optional>

namespace korvan::cli {

struct SoftStartOutcome {
    int bytesSent = 0;
    std::optional<PortProblem> problem;  // the port could not be opened or written
};

// `serial` is the value of %N in the command.
SoftStartOutcome SendSoftStart(const PortTarget& target, const ResetSpec& reset, qint64 serial);

}  // namespace korvan::cli
