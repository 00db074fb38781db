#include "desktop/owntypes.h"

#include "desktop/desktoptexts.h"
#include "desktop/fileassociation.h"
#include "desktop/userdesktopfiles.h"

namespace korvan::desktop {

bool RegisterOwnFileTypes(const RegistryStore& registry, const QString& program) {
    bool ok = WriteIfChanged(UserMimePackageFile(), MimePackage());
    ok = WriteIfChanged(UserDesktopEntryFile(), DesktopEntryFor(program)) && ok;
    ok = UpdateUserMimeCache() && ok;
    FileAssociations types(registry, program);
    // The icon numbers are those of the file types' icons in the executable.
    ok = types.RegisterFileType(QStringLiteral("mcu"), text::kSettingsFileType, true, 1) && ok;
    ok = types.RegisterFileType(QStringLiteral("mcp"), text::kTaskFileType, true, 0) && ok;
    return ok;
}

}  // namespace korvan::desktop
