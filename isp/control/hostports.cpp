#include "hostports.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "mscomm.h"

namespace zel::control {

QString HostConfigFile() {
    const QString name = QStringLiteral("Config.ini");
    QStringList folders;
    const QString home = qEnvironmentVariable("KORVAN_HOME");
    if (!home.isEmpty()) {
        folders << home;
    } else {
        if (QCoreApplication::instance()) folders << QCoreApplication::applicationDirPath();
        QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
        folders << config + QStringLiteral("/KORVAN");
    }
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

void LoadHostPortMap() {
    const QString path = HostConfigFile();
    if (!path.isEmpty()) kserial::MSComm::loadPortMap(path);
}

}  // namespace zel::control
