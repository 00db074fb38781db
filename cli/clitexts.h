// korvan-cli's own texts, besides those of the job layer and the help.
#pragma once

#include <QString>
#include "text.h"

namespace korvan::cli::text {

inline QString SeriesAdopted(const QString& info, const QString& name) {
    return KORVAN_TR("korvan-cli", "%1：%2").arg(info, name);
}
inline QString SeriesRefused(const QString& info, const QString& chip, const QString& chosen) {
    return KORVAN_TR("korvan-cli", "%1：单片机为 %2，选定的是 %3").arg(info, chip, chosen);
}
inline QString NextSerial(qint64 next) {
    return KORVAN_TR("korvan-cli", "下一个增量(N)：%1").arg(next);
}
inline QString SeriesPartlyDone(int completed, int wanted) {
    return KORVAN_TR("korvan-cli", "%1/%2 完成").arg(completed).arg(wanted);
}
inline QString DatabaseUnreadable(const QString& path) {
    return KORVAN_TR("korvan-cli", "无法读取单片机数据库：%1").arg(path);
}
// -v: the installed database could not be created, so the program's own copy is used.
inline constexpr korvan::i18n::Text kBuiltInDatabaseNoHome =
    KORVAN_TEXT("korvan-cli", "没有可用的用户数据目录，使用程序内置的数据库");
inline QString BuiltInDatabaseInstead(const QString& path) {
    return KORVAN_TR("korvan-cli", "单片机数据库 %1 无法创建，使用程序内置的数据库").arg(path);
}
inline constexpr korvan::i18n::Text kSeriesOutOfRange =
    KORVAN_TEXT("korvan-cli", "--series 超出范围，数据库中的系列：\n");
inline QString SimUnknownModel(const QString& model) {
    return KORVAN_TR(
               "korvan-cli",
               "虚拟单片机无法启动：数据库中没有型号 %1（请给出四位型号 ID，如 D103，或型号名称）")
        .arg(model);
}
inline constexpr korvan::i18n::Text kSimUnavailable =
    KORVAN_TEXT("korvan-cli", "虚拟单片机无法启动");
inline QString NoUserFile(const QString& path) {
    return KORVAN_TR("korvan-cli", "配置文件没有指定代码文件（UserFile）：%1").arg(path);
}
inline QString BadRecords(const QString& path, qsizetype count) {
    return KORVAN_TR("korvan-cli", "%1 中有 %2 条记录校验和错误或格式不正确，文件可能已损坏")
        .arg(path)
        .arg(count);
}
inline QString SerialOutOfRange(const QString& path, qint64 number) {
    return KORVAN_TR("korvan-cli",
                     "%1 中的下一个增量(N) %2 超出范围（0-999999999）；文件未下载，也未改动")
        .arg(path)
        .arg(number);
}
// A HEX file without its end-of-file record was probably cut short (a full disk, an
// interrupted copy): what it holds may be only the front of the code.
inline QString NoEndRecord(const QString& path) {
    return KORVAN_TR("korvan-cli", "%1 没有文件结束记录，文件可能不完整").arg(path);
}
inline constexpr korvan::i18n::Text kBadRecordsRefused =
    KORVAN_TEXT("korvan-cli", "；文件未下载。确认无误后可用 --ignore-hex-errors 仍然下载");
inline constexpr korvan::i18n::Text kProgramNeedsConsent =
    KORVAN_TEXT("korvan-cli", "文件指定了下载完成后运行的程序；只有加上 --allow-run 才会运行");
inline constexpr korvan::i18n::Text kNoTerminal =
    KORVAN_TEXT("korvan-cli", "korvan-cli 没有串口助手，忽略终端操作");
inline constexpr korvan::i18n::Text kStartFailed = KORVAN_TEXT("korvan-cli", "任务无法启动");

// A gang download.
inline QString SerialGiven(qint64 number) {
    return KORVAN_TR("korvan-cli", "本片增量(N)：%1").arg(number);
}
inline constexpr korvan::i18n::Text kTablePort = KORVAN_TEXT("korvan-cli", "串口");
inline constexpr korvan::i18n::Text kTableModel = KORVAN_TEXT("korvan-cli", "型号");
inline constexpr korvan::i18n::Text kTableResult = KORVAN_TEXT("korvan-cli", "结果");
inline constexpr korvan::i18n::Text kTableTime = KORVAN_TEXT("korvan-cli", "用时");
inline constexpr korvan::i18n::Text kTableSerials = KORVAN_TEXT("korvan-cli", "增量(N)");
inline constexpr korvan::i18n::Text kTableNote = KORVAN_TEXT("korvan-cli", "说明");
inline QString ResultWord(const QString& result) {
    if (result == QStringLiteral("success")) return KORVAN_TR("korvan-cli", "成功");
    if (result == QStringLiteral("cancelled")) return KORVAN_TR("korvan-cli", "已取消");
    if (result == QStringLiteral("timeout")) return KORVAN_TR("korvan-cli", "超时");
    if (result == QStringLiteral("port-error")) return KORVAN_TR("korvan-cli", "串口错误");
    return KORVAN_TR("korvan-cli", "失败");
}
inline QString Seconds(qint64 ms) {
    return KORVAN_TR("korvan-cli", "%1 秒").arg(static_cast<double>(ms) / 1000.0, 0, 'f', 2);
}
inline QString UnusedSerials(const QString& numbers) {
    return KORVAN_TR("korvan-cli", "未使用的增量(N)：%1").arg(numbers);
}
inline QString GangTotal(int ports, int succeeded) {
    return KORVAN_TR("korvan-cli", "共 %1 个串口：%2 个成功，%3 个失败")
        .arg(ports)
        .arg(succeeded)
        .arg(ports - succeeded);
}
inline QString GangPartlyDone(int succeeded, int ports) {
    return KORVAN_TR("korvan-cli", "%1/%2 个串口成功").arg(succeeded).arg(ports);
}

// -p auto and no -p: the port taken, or the ports to pick from.
inline constexpr korvan::i18n::Text kAutoPortChosen = KORVAN_TEXT("korvan-cli", "自动选择串口：");
inline constexpr korvan::i18n::Text kAutoPortNone = KORVAN_TEXT(
    "korvan-cli", "没有找到 USB 串口适配器。请插上适配器，或用 -p 指定串口。现有串口：");
inline constexpr korvan::i18n::Text kAutoPortNoneAtAll = KORVAN_TEXT("korvan-cli", "  （没有）");
inline constexpr korvan::i18n::Text kAutoPortSeveral =
    KORVAN_TEXT("korvan-cli", "找到多个 USB 串口适配器，请用 -p 选择其中一个：");

// korvan-cli ports: the table's heads and the holder of a port.
inline constexpr korvan::i18n::Text kPortsHeads =
    KORVAN_TEXT("korvan-cli", "串口|设备|by-id 名称|厂商/产品|VID:PID|序列号|占用");
inline constexpr korvan::i18n::Text kPortsNone = KORVAN_TEXT("korvan-cli", "没有找到串口");
inline constexpr korvan::i18n::Text kPortAbsent = KORVAN_TEXT("korvan-cli", "（未连接）");
inline QString PortHeldBy(const QString& name, qint64 pid) {
    return QStringLiteral("%1 (%2)").arg(name.isEmpty() ? QStringLiteral("?") : name).arg(pid);
}

// The monitor: what it listens to and how it ends.
inline QString MonitorStarted(const QString& port, const QString& settings) {
    return KORVAN_TR("korvan-cli", "监视串口 %1（%2），按 Ctrl-C 或 Ctrl-] 结束\n")
        .arg(port, settings);
}
inline constexpr korvan::i18n::Text kMonitorPortLost =
    KORVAN_TEXT("korvan-cli", "串口或串口适配器已断开，监视结束");

}  // namespace korvan::cli::text
