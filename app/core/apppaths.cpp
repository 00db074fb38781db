#include "core/apppaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <optional>

namespace korvan {
namespace {

QString ConfigHome() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty()) return WithTrailingSlash(xdg);
    return WithTrailingSlash(QDir::homePath()) + QStringLiteral(".config/");
}

QString ExecutableFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    // Without an application object (tools, fuzzers) the kernel still knows the executable.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}

QString DetectAppPath() {
    const QString home = qEnvironmentVariable("KORVAN_HOME");
    if (!home.isEmpty()) return WithTrailingSlash(QDir(home).absolutePath());
    const QString exeFolder = ExecutableFolder();
    if (!exeFolder.isEmpty() && QFileInfo(exeFolder).isWritable())
        return WithTrailingSlash(exeFolder);
    return ConfigHome() + QStringLiteral("KORVAN/");
}

std::optional<AppPaths>& Current() {
    static std::optional<AppPaths> paths;
    return paths;
}

}  // namespace

QString WithTrailingSlash(const QString& folder) {
    QString result = folder;
    while (result.size() > 1 && result.endsWith('/')) result.chop(1);
    if (!result.endsWith('/')) result += '/';
    return result;
}

AppPaths AppPaths::detect() {
    AppPaths paths;
    paths.AppPath = DetectAppPath();
    QDir().mkpath(paths.AppPath);
    paths.TempPath = WithTrailingSlash(QDir::tempPath());
    const QString registry = qEnvironmentVariable("KORVAN_REGISTRY");
    paths.RegistryFile =
        registry.isEmpty() ? ConfigHome() + QStringLiteral("KORVAN/registry.ini") : registry;
    return paths;
}

const AppPaths& CurrentAppPaths() {
    if (!Current()) Current() = AppPaths::detect();
    return *Current();
}

void SetCurrentAppPaths(const AppPaths& paths) {
    Current() = paths;
}

}  // namespace korvan
