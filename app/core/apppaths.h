// Where KORVAN keeps its files: the application folder (Config.ini, Lang.ini), the scratch
// folder for unpacked tasks, and the file behind the per-user registry store.
#pragma once

#include <QString>

#include "settingsfolder.h"

namespace korvan {

struct AppPaths {
    QString AppPath;       // always ends in "/"
    QString TempPath;      // always ends in "/"
    QString RegistryFile;  // the file-backed registry store

    QString configFile() const { return AppPath + QStringLiteral("Config.ini"); }
    QString langFile() const { return AppPath + QStringLiteral("Lang.ini"); }

    // The settings folder (ktext::SettingsFolder, which the ZEL control asks as well). The registry
    // file is KORVAN_REGISTRY, else $XDG_CONFIG_HOME/KORVAN/registry.ini. Creates the application
    // folder when missing.
    static AppPaths detect();
};

// The paths of this process, detected on first use unless set before.
const AppPaths& CurrentAppPaths();
void SetCurrentAppPaths(const AppPaths& paths);

using ktext::WithTrailingSlash;

}  // namespace korvan
