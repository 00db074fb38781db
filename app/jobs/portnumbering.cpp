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

QString PortCaption(const kserial::NumberedPort& port) {
    QStringList parts{QStringLiteral("COM%1").arg(port.number)};
    parts << (port.present ? port.adapter.path : port.device);
    if (port.present && !port.adapter.describe().isEmpty()) parts << port.adapter.describe();
    return parts.join(QStringLiteral("  "));
}

QList<kserial::NumberedPort> PresentUsbPorts(const QList<kserial::NumberedPort>& ports) {
    QList<kserial::NumberedPort> usb;
    for (const kserial::NumberedPort& port : ports)
        if (port.present && port.adapter.isUsb()) usb << port;
    return usb;
}

}  // namespace korvan::jobs
