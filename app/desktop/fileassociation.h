// KORVAN's file types on the desktop. Each type keeps its class keys in the registry store
// (which other parts of the program read) and, on a freedesktop desktop, is made KORVAN's
// default application for the user in $XDG_CONFIG_HOME/mimeapps.list. That file is written
// directly rather than through xdg-mime: xdg-mime picks a different file per desktop and cannot
// take a default away again, and removing exactly what was added needs both.
#pragma once

#include "core/registrystore.h"
#include "desktop/associatedprogram.h"

#include <QString>

namespace korvan::desktop {

// The desktop entry that installs with KORVAN.
inline const QString kDesktopEntry = QStringLiteral("korvan.desktop");

// The MIME type that stands for an extension ("hex", "bin", "mcu", "mcp", any letter case);
// empty for other extensions.
QString MimeTypeOf(const QString& extension);

class FileAssociations {
  public:
    // `program`: the KORVAN executable the class keys name.
    FileAssociations(RegistryStore registry, QString program);

    // Registering writes the six class keys and makes KORVAN the default for the type; clearing
    // the flag removes both again and leaves other programs' entries alone. False when a
    // write failed; what was done before stays.
    bool RegisterFileType(const QString& extension, const QString& description, bool registerIt,
                          int icon);
    // KORVAN is the user's default application for the type.
    bool IsAssociated(const QString& extension) const;

  private:
    RegistryStore m_registry;
    QString m_program;
};

}  // namespace korvan::desktop
