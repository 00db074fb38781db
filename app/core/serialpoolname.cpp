#include "core/serialpoolname.h"

#include "core/codeworkspace.h"

#include <QFileInfo>

namespace korvan {

QString SerialPoolName(const CodeWorkspace& workspace) {
    const QString named = workspace.settings().IncPool.trimmed();
    if (!named.isEmpty()) return named;
    // Config.ini is every plain code file's settings: the code file is the task then.
    const QString settings = workspace.settingsFile();
    const bool ownFile = !settings.isEmpty() && settings != workspace.paths().configFile();
    return QFileInfo(ownFile ? settings : workspace.codeFile()).fileName();
}

}  // namespace korvan
