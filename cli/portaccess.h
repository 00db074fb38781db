// The serial port a job runs on: a device path or "COMn" from the command line, the test
// that it can be opened before a job starts, and the messages for a port that cannot.
#pragma once

#include "commerror.h"
#include "mscomm.h"

#include <QString>
#include <optional>

namespace korvan::cli {

struct PortTarget {
    QString shown;              // as the user named it: "COM3" or "/dev/ttyUSB0"
    std::optional<int> number;  // COMn
    QString device;             // a device path
};

// "COMn" (any letter case, n ≥ 1) or anything else as a device path.
PortTarget ParsePortArgument(const QString& text);

// Points `comm` at the port. COMn is looked up in the [Ports] section of Config.ini first.
void ApplyPort(kserial::MSComm& comm, const PortTarget& target);

struct PortProblem {
    int number = 0;   // the port's error number (8002, 8005, 8100, ...)
    QString message;  // what to tell the user, hint included
};

// The message for an error of the port, as the main window words it; a port refused for
// lack of permission gets the hint about the dialout group.
QString PortErrorMessage(const PortTarget& target, const kserial::CommError& error);

// Opens the port at "1200,N,8,1" and closes it again.
std::optional<PortProblem> TestPort(const PortTarget& target);

}  // namespace korvan::cli
