// Who holds a serial number taken from a pool, and giving back what a station's dead processes
// held: a process that crashes between taking a number and settling it would otherwise keep
// that number from every chip for good.
#pragma once

#include "record/recorddatabase.h"

#include <QString>
#include <optional>

namespace korvan::record {

struct SerialHolder {
    QString station;
    QString host;  // the machine the process ran on
    qint64 pid = 0;
};

SerialHolder ThisProcess(const QString& station);

// Whether the process `pid` of this machine still runs. A pid that is not known (0, from a
// database made before holders were noted) counts as running: nothing is given back on a guess.
bool ProcessRuns(qint64 pid);

// Gives back the numbers that processes of this station on this machine took and did not settle
// before they ended. A number whose chip the production record shows as programmed is kept
// instead, so that a chip's number never goes to a second chip. How many were given back or
// kept; nothing when the database failed (db.error() says why).
std::optional<int> ReclaimDeadHolders(RecordDatabase& db, const QString& station);

}  // namespace korvan::record
