// Small value types shared by the job engine, its adapters and its users.
#pragma once

#include "modfun.h"
#include "zeldb.h"  // JobType

#include <QString>
#include <cstdint>

namespace zel {

// The engine's timers. Arming a timer starts (or restarts) it to fire once.
enum class EngineTimer : int {
    Timer1 = 1,  // start flag: one 0x7F per tick while waiting for the chip
    Timer2 = 2,  // response time-out
    Timer3 = 3,  // grace period after the first end command
    Settle = 4,  // the 50 ms pauses around a baud-rate command
};

enum class Parity { None, Even };

// Why a port could not be opened, as the port reports it (for diagnostics; the host sees
// the fixed text of Error 1).
struct PortFailure {
    int code = 0;
    QString text;
};

// The answer to a call by the host. Anything but Ok is a misuse by the caller; the engine's
// state is unchanged by a refused call.
enum class CallStatus {
    Ok,
    Busy,           // Start while a job runs
    BadJobType,     // Start with a type other than 1, 2 or 3
    PortFailed,     // Start could not open the port (Error 1 was raised)
    NothingToStop,  // CancelDown with no job type set
    DataLocked,     // data changed after the erase command was composed
    EmptyData,      // AppendData with no bytes
    BadAddress,     // AppendData outside the addressable range
};

// How the latest job ended; None while it runs or before any job.
enum class EndReason {
    None,
    Completed,
    Cancelled,         // CancelDown
    PortOpenFailed,    // the port could not be opened mid-job
    PortWriteFailed,   // a write to the port failed
    TimedOut,          // the third response time-out of the job
    RetriesExhausted,  // five "81" replies in a row
    UnexpectedReply,   // a block write answered with something else than 80, 00 or 81
    UnknownModel,      // download or configure of a chip missing from the database
    SeriesRefused,     // the chip's series differs and the host did not adopt it
    NoSteps,           // the database holds no steps for this job and chip
    NoData,            // a download reached its erase or write step without any data
    PortLost,          // the device went away mid-job (adapter unplugged, hang-up)
};

// One line of the packet trace: what went over the link and what the engine made of it.
enum class TraceKind {
    StartFlag,  // one 0x7F byte
    Sent,       // a packet written to the port
    Received,   // raw bytes from the port
    Reply,      // a complete reply, as hex text
    Stray,      // bytes or replies the engine did not expect (peer garbage), with a note
    PortOpened,
    PortClosed,
};

struct TraceRecord {
    TraceKind kind;
    Bytes bytes;   // the raw bytes, when there are any
    QString text;  // hex text of a reply, the settings of an open, or a note
};

}  // namespace zel
