// The serial port of the main window's own (the soft start, the "SEND" action, the port test
// before a job; the terminal uses it too): a device path or "COMn", opened at a settings
// text, and the messages for a port that cannot be used.
#pragma once

#include "core/datatext.h"
#include "mscomm.h"

#include <QString>
#include <optional>

namespace korvan::jobs {

struct PortTarget {
    QString shown;              // as the user named it: "COM3" or "/dev/ttyUSB0"
    std::optional<int> number;  // COMn
    QString device;             // a device path
};

// "COMn" (any letter case, n ≥ 1) or anything else as a device path.
PortTarget ParsePortArgument(const QString& text);
// Reads the [Ports] section of Config.ini into the port map, once per process.
void LoadPortMapOnce();
// Points `comm` at the port. COMn is looked up in the [Ports] section of Config.ini first.
void ApplyPort(kserial::MSComm& comm, const PortTarget& target);

struct PortProblem {
    int number = 0;   // the port's error number (8002, 8005, 8100, ...)
    QString message;  // what to tell the user, hint included
    int style = 11;   // message style: 12 for an invalid port, 11 otherwise
};

// The group that owns the device ("dialout" when it cannot be read, the number when the group
// has no name).
QString DeviceGroup(const QString& device);
// The message for an error of the port; a port refused for lack of permission gets the hint
// about the group that owns the device.
PortProblem ProblemOf(const PortTarget& target, const kserial::CommError& error);

class PortAccess {
  public:
    static inline const QString kTestSettings = QStringLiteral("1200,N,8,1");

    PortAccess() { m_comm.setInputMode(kserial::MSComm::comInputModeBinary); }
    void setTarget(const PortTarget& target);
    const PortTarget& target() const { return m_target; }
    kserial::MSComm& comm() { return m_comm; }

    // OpenSerialPort: opens at `settings` (nothing when open already); with `testOnly` closes
    // it again. On failure the port is closed and the problem returned.
    std::optional<PortProblem> open(const QString& settings, bool testOnly);
    // Closes the port (what is queued leaves first) and drops RTS.
    void close();
    bool isOpen() const { return m_comm.PortOpen(); }

    // SendDataText: the text's bytes in one write; 0 when the port is not open.
    int sendDataText(const QString& text, const DataTextContext& context);
    // How long `bytes` characters take on the line at the port's settings, in whole
    // milliseconds, plus the time a far side needs to read them before the rate changes.
    int lineTimeMs(int bytes) const;

  private:
    PortTarget m_target;
    kserial::MSComm m_comm;
};

}  // namespace korvan::jobs
