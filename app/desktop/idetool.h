// The IDE's Tools-menu entry that downloads the IDE's HEX output through KORVAN's mini window,
// kept as the IDE's tool values in the registry store.
#pragma once

#include "core/registrystore.h"

#include <QString>

namespace korvan::desktop {

// The key of the IDE's tool entries under HKEY_CURRENT_USER.
inline const QString kIdeToolKey = QStringLiteral("Software\\Keil\\\u03BCVision3\\ToolM");

// The entry names exactly `program` and is switched on.
bool IdeToolInstalled(const RegistryStore& registry, const QString& program);
// On: writes the five values (the menu text is `title`); off: deletes them. False when a
// write failed.
bool SetIdeTool(RegistryStore& registry, bool on, const QString& program, const QString& title);

}  // namespace korvan::desktop
