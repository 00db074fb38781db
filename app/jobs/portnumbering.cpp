#include "jobs/portnumbering.h"

#include "core/inifile.h"
#include "mscomm.h"

namespace korvan::jobs {

bool RememberPortNumber(int number, const QString& configFile) {
    for (const kserial::NumberedPort& port : kserial::MSComm::numberedPorts()) {
        if (port.number != number) continue;
        if (port.configured || !port.present || port.adapter.byId.isEmpty()) return false;
        if (!WriteIni(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(number),
                      port.adapter.byId, configFile))
            return false;
        QMap<int, QString> map = kserial::MSComm::portMap();
        map.insert(number, port.adapter.byId);
        kserial::MSComm::setPortMap(map);
        return true;
    }
    return false;
}

}  // namespace korvan::jobs
