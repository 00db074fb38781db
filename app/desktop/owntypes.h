// KORVAN's own file types, .mcu settings and .mcp download tasks, registered at every start:
// the class keys and the user's default application as for any type, and the MIME package and
// desktop entry in the user's data folder that make the desktop know the types and open them
// with this program.
#pragma once

#include "core/registrystore.h"

#include <QString>

namespace korvan::desktop {

// `program`: the running KORVAN executable. False when some part could not be written; the
// rest is done all the same.
bool RegisterOwnFileTypes(const RegistryStore& registry, const QString& program);

}  // namespace korvan::desktop
