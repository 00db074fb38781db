#include "hostports.h"

#include <QFileInfo>

#include "mscomm.h"
#include "settingsfolder.h"

namespace zel::control {

QString HostConfigFile() {
    const QString path = ktext::SettingsFolder() + QStringLiteral("Config.ini");
    return QFileInfo(path).isFile() ? path : QString();
}

void LoadHostPortMap() {
    const QString path = HostConfigFile();
    if (!path.isEmpty()) kserial::MSComm::loadPortMap(path);
}

}  // namespace zel::control
