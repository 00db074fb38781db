// The final table of a gang download: one row per port with its chip's model, the result, the
// time and the serial numbers its chips got, aligned for a terminal (Chinese characters take
// two columns).
#pragma once

#include "joboutput.h"

#include <QStringList>

namespace korvan::cli {

// The columns `text` takes on a terminal.
int DisplayWidth(const QString& text);
// `text` cut to at most `columns` terminal columns.
QString FitWidth(const QString& text, int columns);

QStringList PortTableLines(const JobSummary& summary);

}  // namespace korvan::cli
