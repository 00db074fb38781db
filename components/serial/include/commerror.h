// The outcome of the last call on a serial port: a number callers compare against, the errno
// behind it when the system refused, and a text fit to show the user. No call throws.
#pragma once

#include <QString>

namespace kserial {

// The numbers of the comm control that callers already know, plus one for "the system said no".
enum CommErrorNumber : int {
    comNoError = 0,
    comInvalidPropertyValue = 380,  // bad Settings text, unknown InputMode
    comPortOpen = 8000,             // operation not valid while the port is open
    comPortInvalid = 8002,          // no such device (or not a serial device)
    comPortAlreadyOpen = 8005,      // held by another program or another MSComm
    comSetCommStateFailed = 8015,   // the device refused the line settings
    comPortNotOpen = 8018,          // operation valid only while the port is open
    comSystemError = 8100,          // anything else; systemErrno tells what (e.g. EACCES)
};

struct CommError {
    int number = comNoError;
    int systemErrno = 0;  // errno of the failing system call, 0 when none
    QString description;  // device path and the reason, e.g. "/dev/ttyUSB0: Permission denied"
    // For 8005 (held by another program): the process that holds the port, when the lock file
    // or the system tells (0 and "" when not known).
    qint64 holderPid = 0;
    QString holderName{};  // the program's name, e.g. "minicom"

    bool ok() const { return number == comNoError; }
};

// The system's own wording for an errno value.
QString systemErrorText(int err);

}  // namespace kserial
