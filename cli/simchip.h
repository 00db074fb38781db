// --sim MODEL: a virtual chip of that model in this process, on a thread of its own, serving
// the job over a real pseudo-terminal exactly as a chip on a serial port would.
#pragma once

#include "cliargs.h"

#include <QString>
#include <memory>

namespace zelsim {
class VirtualChip;
}

namespace korvan::cli {

struct SimRequest {
    QString model;                   // model ID or name
    QString dbPath;                  // the database the host reads too
    std::optional<ResetSpec> reset;  // the chip then runs its program until it hears it
    qint64 serial = 1;               // %N in the soft-start command
};

// The running chip, or nothing with `error` set.
std::unique_ptr<zelsim::VirtualChip> StartSimChip(const SimRequest& request, QString& error);

}  // namespace korvan::cli
