// The settings dialog's texts.
#pragma once

#include <QString>
#include <QStringList>

namespace korvan::settingstext {

inline const QString kCaption = QStringLiteral("系统设置");
inline const QStringList kPages = {QStringLiteral("常规选项"), QStringLiteral("提示声音"),
                                   QStringLiteral("文件关联"), QStringLiteral("主题色彩")};
inline const QString kSecondsSuffix = QStringLiteral(" 秒");

inline const QString kOpenLast = QStringLiteral("软件启动时自动加载上次打开的文件(&A)");
inline const QString kAutoClose = QStringLiteral("下载完成后关闭本系统(最小化下载时自动关闭)");
inline const QString kCount = QStringLiteral("重复下载达到此次数时自动停止(&T)：");
inline const QString kOpenRts = QStringLiteral("下载时启用RTS信号控制P1.0/P1.1接地(需下载线支持)");
inline const QString kMaxBaud = QStringLiteral("最高波特率：");
inline const QString kErrTim = QStringLiteral("检测启动时长：");
// The production record's shared database; the password belongs in ~/.pgpass.
inline const QString kDatabase = QStringLiteral("生产数据库(&D)：");
inline const QString kDatabasePlaceholder = QStringLiteral("postgresql://用户@主机/数据库");
inline const QString kDatabaseHint =
    QStringLiteral("postgresql://用户@主机/数据库（留空：本机记录；密码放在 ~/.pgpass）");
inline const QString kIdeTool = QStringLiteral("嵌入 Keil 下载，打开： 菜单 - Tools - KORVAN");
inline const QString kClearCounter = QStringLiteral("清除下载计数(&L)");

inline const QString kSoundOpen = QStringLiteral("开启提示声音(&S)");
inline const QString kSoundLabel = QStringLiteral("1：单次成功、2：重复成功、3：错误提示音");
inline const QString kBrowse = QStringLiteral("...");
// One per sound, numbered as the label above them numbers the sounds.
inline const QString kPlay = QStringLiteral("试听(&%1)");
inline const QString kWaveFilter = QStringLiteral("声音波形文件(*.wav)|*.wav");

inline const QString kAssociateLabel = QStringLiteral("在需要进行关联的文件前打勾");
inline const QString kTickAll = QStringLiteral("全选(&Q)");
inline const QString kUntickAll = QStringLiteral("全不选(&B)");
inline const QStringList kFileTypes = {QStringLiteral("HEX"), QStringLiteral("BIN")};
inline const QStringList kFileTypeDescriptions = {QStringLiteral("十六进制代码文件"),
                                                  QStringLiteral("二进制代码文件")};

inline const QString kColorOpen = QStringLiteral("使用我的主题色彩(&R)");
inline const QStringList kChannels = {QStringLiteral("红色："), QStringLiteral("绿色："),
                                      QStringLiteral("蓝色：")};

inline const QString kOk = QStringLiteral("确定(&O)");
inline const QString kCancel = QStringLiteral("取消(&C)");

}  // namespace korvan::settingstext
