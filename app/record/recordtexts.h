// The production record's texts: what korvan-cli prints and the program's log shows.
#pragma once

#include "core/textlist.h"

#include <QString>

namespace korvan::record::text {

// Reasons a database text is refused.
inline constexpr i18n::Text kUrlEmpty = KORVAN_TEXT("korvan", "数据库地址为空");
inline QString UrlScheme(const QString& text) {
    return KORVAN_TR("korvan",
                     "数据库地址 %1 无法识别（应为 postgresql://用户@主机/数据库 或 "
                     "sqlite:///文件路径）")
        .arg(text);
}
inline constexpr i18n::Text kUrlPassword = KORVAN_TEXT(
    "korvan", "数据库地址中不能写密码：请把密码放入 ~/.pgpass 或 PGPASSFILE 指定的文件");
inline constexpr i18n::Text kUrlNoDatabase = KORVAN_TEXT("korvan", "数据库地址没有指定数据库名称");
inline constexpr i18n::Text kUrlNoPath = KORVAN_TEXT("korvan", "数据库地址没有指定文件路径");
inline QString UrlBadPort(const QString& port) {
    return KORVAN_TR("korvan", "数据库地址的端口 %1 无效（1-65535）").arg(port);
}
inline QString UrlBadOption(const QString& option) {
    return KORVAN_TR("korvan", "数据库地址的参数 %1 无效或不被支持").arg(option);
}
inline constexpr i18n::Text kUrlBadCharacter =
    KORVAN_TEXT("korvan", "数据库地址含有控制字符或无效的编码");

// The record could not take a row; said once per run.
inline QString RecordFailed(const QString& why, const QString& spool) {
    return KORVAN_TR("korvan",
                     "生产记录无法写入（%1），本次结果不受影响，记录暂存于 %2，下次启动时补写")
        .arg(why, spool);
}
inline QString SpoolFailed(const QString& why) {
    return KORVAN_TR("korvan", "生产记录无法写入，暂存文件也无法写入：%1").arg(why);
}
inline QString SpoolWritten(int rows) {
    return KORVAN_TR("korvan", "生产记录：补写了 %1 条暂存的记录").arg(rows);
}
inline QString DatabaseUnreachable(const QString& url, const QString& why) {
    return KORVAN_TR("korvan", "无法连接生产数据库 %1：%2；使用自动增量的下载不能开始")
        .arg(url, why);
}
inline QString SerialNotTaken(const QString& why) {
    return KORVAN_TR("korvan", "无法从生产数据库取得序列号：%1；下载已停止").arg(why);
}
inline constexpr i18n::Text kNoDataFolder =
    KORVAN_TEXT("korvan", "没有可用的用户数据目录，生产记录无法保存");
inline constexpr i18n::Text kNoSqlDriver = KORVAN_TEXT("korvan", "没有安装 Qt 的数据库驱动");
inline constexpr i18n::Text kSchemaNewer =
    KORVAN_TEXT("korvan", "数据库的表结构比本程序新，请升级 KORVAN");

// Result words as stored and as filtered on.
inline const QString kOk = QStringLiteral("ok");
inline const QString kFailed = QStringLiteral("failed");
// The same as the record's window shows them.
inline constexpr i18n::Text kShownOk = KORVAN_TEXT("korvan", "成功");
inline constexpr i18n::Text kShownFailed = KORVAN_TEXT("korvan", "失败");

// A database and what went wrong with it.
inline QString AtDatabase(const QString& url, const QString& why) {
    return QStringLiteral("%1（%2）").arg(url, why);
}

}  // namespace korvan::record::text
