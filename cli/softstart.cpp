#include "softstart.h"

#include "core/datatext.h"

#include <QDateTime>

namespace korvan::cli {

SoftStartOutcome SendSoftStart(const PortTarget& target, const ResetSpec& reset, qint64 serial) {
    SoftStartOutcome outcome;
    const Bytes bytes =
        ParseDataText(reset.command, DataTextContext{serial, QDateTime::currentDateTime()});
    kserial::MSComm comm;
    ApplyPort(comm, target);
    comm.setInputMode(kserial::MSComm::comInputModeBinary);
    auto fail = [&] {
        outcome.problem =
            PortProblem{comm.lastError().number, PortErrorMessage(target, comm.lastError())};
        comm.setPortOpen(false);
        return outcome;
    };
    if (!comm.setSettings(reset.settings) || !comm.setPortOpen(true)) return fail();
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    if (!comm.Output(data)) return fail();
    // Closing writes out what is queued and waits until it has left the line.
    if (!comm.setPortOpen(false)) return fail();
    outcome.bytesSent = static_cast<int>(bytes.size());
    return outcome;
}

}  // namespace korvan::cli
