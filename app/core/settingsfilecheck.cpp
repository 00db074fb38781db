#include "core/settingsfilecheck.h"

#include "core/inidocument.h"
#include "core/messages.h"
#include "regularfile.h"

#include <QFileInfo>

namespace korvan {

QStringList RefusedSettingsFiles(const AppPaths& paths) {
    QStringList refused;
    for (const QString& file : {paths.configFile(), paths.langFile(), paths.RegistryFile}) {
        // A size check alone: a usable file is read by its owner when it is needed.
        const QFileInfo info(file);
        ktext::FileError error{ktext::FileError::None, 0, file};
        if (!info.exists()) continue;
        if (!ktext::IsRegularFile(file))
            error.kind = ktext::FileError::NotRegular;
        else if (info.size() > IniDocument::kMaxSettingsFileBytes)
            error.kind = ktext::FileError::TooLarge;
        if (error.failed()) refused << msg::SettingsFileRefused(error);
    }
    return refused;
}

}  // namespace korvan
