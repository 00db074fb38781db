// The settings dialog's texts.
#pragma once

#include "core/textlist.h"

#include <QString>
#include <QStringList>

namespace korvan::settingstext {

inline constexpr i18n::Text kCaption = KORVAN_TEXT("korvan", "系统设置");
inline constexpr TextList kPages{
    KORVAN_TEXT("korvan", "常规选项"), KORVAN_TEXT("korvan", "提示声音"),
    KORVAN_TEXT("korvan", "文件关联"), KORVAN_TEXT("korvan", "主题色彩")};
inline constexpr i18n::Text kSecondsSuffix = KORVAN_TEXT("korvan", " 秒");

inline constexpr i18n::Text kOpenLast =
    KORVAN_TEXT("korvan", "软件启动时自动加载上次打开的文件(&A)");
inline constexpr i18n::Text kAutoClose =
    KORVAN_TEXT("korvan", "下载完成后关闭本系统(最小化下载时自动关闭)");
inline constexpr i18n::Text kCount = KORVAN_TEXT("korvan", "重复下载达到此次数时自动停止(&T)：");
inline constexpr i18n::Text kOpenRts =
    KORVAN_TEXT("korvan", "下载时启用RTS信号控制P1.0/P1.1接地(需下载线支持)");
inline constexpr i18n::Text kMaxBaud = KORVAN_TEXT("korvan", "最高波特率：");
inline constexpr i18n::Text kErrTim = KORVAN_TEXT("korvan", "检测启动时长：");
// The production record's shared database; the password belongs in ~/.pgpass.
inline constexpr i18n::Text kDatabase = KORVAN_TEXT("korvan", "生产数据库(&D)：");
inline constexpr i18n::Text kDatabasePlaceholder =
    KORVAN_TEXT("korvan", "postgresql://用户@主机/数据库");
inline constexpr i18n::Text kDatabaseHint =
    KORVAN_TEXT("korvan", "postgresql://用户@主机/数据库（留空：本机记录；密码放在 ~/.pgpass）");
inline constexpr i18n::Text kIdeTool =
    KORVAN_TEXT("korvan", "嵌入 Keil 下载，打开： 菜单 - Tools - KORVAN");
inline constexpr i18n::Text kClearCounter = KORVAN_TEXT("korvan", "清除下载计数(&L)");

inline constexpr i18n::Text kSoundOpen = KORVAN_TEXT("korvan", "开启提示声音(&S)");
inline constexpr i18n::Text kSoundLabel =
    KORVAN_TEXT("korvan", "1：单次成功、2：重复成功、3：错误提示音");
inline const QString kBrowse = QStringLiteral("...");
// One per sound, numbered as the label above them numbers the sounds.
inline constexpr i18n::Text kPlay = KORVAN_TEXT("korvan", "试听(&%1)");
inline constexpr i18n::Text kWaveFilter = KORVAN_TEXT("korvan", "声音波形文件(*.wav)|*.wav");

inline constexpr i18n::Text kAssociateLabel = KORVAN_TEXT("korvan", "在需要进行关联的文件前打勾");
inline constexpr i18n::Text kTickAll = KORVAN_TEXT("korvan", "全选(&Q)");
inline constexpr i18n::Text kUntickAll = KORVAN_TEXT("korvan", "全不选(&B)");
inline const QStringList kFileTypes = {QStringLiteral("HEX"), QStringLiteral("BIN")};
inline constexpr TextList kFileTypeDescriptions{KORVAN_TEXT("korvan", "十六进制代码文件"),
                                                KORVAN_TEXT("korvan", "二进制代码文件")};

inline constexpr i18n::Text kColorOpen = KORVAN_TEXT("korvan", "使用我的主题色彩(&R)");
inline constexpr TextList kChannels{KORVAN_TEXT("korvan", "红色："),
                                    KORVAN_TEXT("korvan", "绿色："),
                                    KORVAN_TEXT("korvan", "蓝色：")};

inline constexpr i18n::Text kOk = KORVAN_TEXT("korvan", "确定(&O)");
inline constexpr i18n::Text kCancel = KORVAN_TEXT("korvan", "取消(&C)");

}  // namespace korvan::settingstext
