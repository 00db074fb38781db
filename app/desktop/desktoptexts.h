// The texts of KORVAN's desktop integration.
#pragma once

#include <QString>

namespace korvan::desktop::text {

// The descriptions of KORVAN's own file types.
inline const QString kSettingsFileType = QStringLiteral("MCU 配置文件");
inline const QString kTaskFileType = QStringLiteral("MCU 下载任务");

}  // namespace korvan::desktop::text
