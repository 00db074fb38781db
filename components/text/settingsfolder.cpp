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

bool IsPortableFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isWritable()) return false;
    for (const QString& path :
         {QDir::cleanPath(info.absoluteFilePath()), info.canonicalFilePath()}) {
        for (const char* system : {"/usr", "/bin", "/sbin"}) {
            const QString root = QString::fromLatin1(system);
            if (path == root || path.startsWith(root + u'/')) return false;
        }
    }
    return true;
}

QString SettingsFolder() {
    const QString home = qEnvironmentVariable("KORVAN_HOME");
    if (!home.isEmpty()) return WithTrailingSlash(QDir(home).absolutePath());
    const QString exeFolder = ExecutableFolder();
    if (IsPortableFolder(exeFolder)) return WithTrailingSlash(exeFolder);
    return ConfigHome() + QStringLiteral("KORVAN/");
}

}  // namespace ktext
