#include "core/codefile.h"

#include <QFileInfo>

namespace korvan {

bool FileUsable(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    return info.isFile() && info.size() != 0;
}

CodeFileType FileTypeOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "hex") return CodeFileType::Hex;
    if (suffix == "bin") return CodeFileType::Bin;
    if (suffix == "mcu") return CodeFileType::Mcu;
    if (suffix == "mcp") return CodeFileType::Mcp;
    return CodeFileType::Unsupported;
}

QString FileTitle(const QString& path) {
    return QFileInfo(path).completeBaseName();
}

}  // namespace korvan
