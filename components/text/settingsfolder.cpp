#include "settingsfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ktext {

QString WithTrailingSlash(const QString& folder) {
    QString result = folder;
    while (result.size() > 1 && result.endsWith(u'/')) result.chop(1);
    if (!result.endsWith(u'/')) result += u'/';
    return result;
}

QString ConfigHome() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return WithTrailingSlash(xdg);
    return WithTrailingSlash(QDir::homePath()) + QStringLiteral(".config/");
}

QString ExecutableFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    // Without an application object (tools, fuzzers) the kernel still knows the executable.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
}

QString SettingsFolder() {
    const QString home = qEnvironmentVariable("KORVAN_HOME");
    if (!home.isEmpty()) return WithTrailingSlash(QDir(home).absolutePath());
    const QString exeFolder = ExecutableFolder();
    if (!exeFolder.isEmpty() && QFileInfo(exeFolder).isWritable())
        return WithTrailingSlash(exeFolder);
    return ConfigHome() + QStringLiteral("KORVAN/");
}

}  // namespace ktext
