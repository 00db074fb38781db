#include "core/apppaths.h"

#include <QDir>
#include <optional>

#include "settingsfolder.h"

namespace korvan {
namespace {

std::optional<AppPaths>& Current() {
    static std::optional<AppPaths> paths;
    return paths;
}

}  // namespace

AppPaths AppPaths::detect() {
    AppPaths paths;
    paths.AppPath = ktext::SettingsFolder();
    QDir().mkpath(paths.AppPath);
    paths.TempPath = WithTrailingSlash(QDir::tempPath());
    const QString registry = qEnvironmentVariable("KORVAN_REGISTRY");
    paths.RegistryFile =
        registry.isEmpty() ? ktext::ConfigHome() + QStringLiteral("KORVAN/registry.ini") : registry;
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
