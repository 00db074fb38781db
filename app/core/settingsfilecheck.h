// The settings files KORVAN reads at start (Config.ini, Lang.ini, registry.ini) checked once:
// one that is too large or not a regular file is neither read nor written, and the user is
// told so instead of silently getting the defaults.
#pragma once

#include "core/apppaths.h"

#include <QStringList>

namespace korvan {

// One line per settings file that is refused; empty when all are usable or absent.
QStringList RefusedSettingsFiles(const AppPaths& paths);

}  // namespace korvan
