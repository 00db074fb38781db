// Why a job failed, in the words both programs use: korvan-cli prints them under the result,
// the main window logs them and gives them to the message window as its second line.
#pragma once

#include "jobs/jobdriver.h"

#include <QString>

namespace korvan::jobs {

// The cause that the control's end reason gives; "" for reasons that say nothing more than
// the result line (completed, cancelled, a plain failure) or that have a line of their own
// (unknown models, refused series, ports).
QString CauseOf(EndReason reason);

}  // namespace korvan::jobs
