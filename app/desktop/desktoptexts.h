// The texts of KORVAN's desktop integration.
#pragma once

#include "core/textlist.h"

#include <QString>

namespace korvan::desktop::text {

// The descriptions of KORVAN's own file types.
inline constexpr i18n::Text kSettingsFileType = KORVAN_TEXT("korvan", "MCU 配置文件");
inline constexpr i18n::Text kTaskFileType = KORVAN_TEXT("korvan", "MCU 下载任务");

// The Tools menu's calculator when none of the usual ones is installed.
inline constexpr i18n::Text kNoCalculator = KORVAN_TEXT(
    "korvan", "未找到计算器程序<br>请安装 gnome-calculator、kcalc、galculator 或 xcalc 后再试");
// The maker's support page, opened from the Help menu.
inline const QString kSupportPage = QStringLiteral("https://vornhelm.example/korvan/support");

}  // namespace korvan::desktop::text
