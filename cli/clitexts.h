// korvan-cli's own texts, besides those of the job layer and the help.
#pragma once

#include <QString>

namespace korvan::cli::text {

inline QString SeriesAdopted(const QString& info, const QString& name) {
    return QStringLiteral("%1：%2").arg(info, name);
}
inline QString SeriesRefused(const QString& info, const QString& chip, const QString& chosen) {
    return QStringLiteral("%1：单片机为 %2，选定的是 %3").arg(info, chip, chosen);
}
inline QString NextSerial(qint64 next) {
    return QStringLiteral("下一个增量(N)：%1").arg(next);
}
inline QString SeriesPartlyDone(int completed, int wanted) {
    return QStringLiteral("%1/%2 完成").arg(completed).arg(wanted);
}
inline QString DatabaseUnreadable(const QString& path) {
    return QStringLiteral("无法读取单片机数据库：%1").arg(path);
}
// -v: the installed database could not be created, so the program's own copy is used.
inline const QString kBuiltInDatabaseNoHome =
    QStringLiteral("没有可用的用户数据目录，使用程序内置的数据库");
inline QString BuiltInDatabaseInstead(const QString& path) {
    return QStringLiteral("单片机数据库 %1 无法创建，使用程序内置的数据库").arg(path);
}
inline const QString kSeriesOutOfRange = QStringLiteral("--series 超出范围，数据库中的系列：\n");
inline QString SimUnknownModel(const QString& model) {
    return QStringLiteral(
               "虚拟单片机无法启动：数据库中没有型号 %1（请给出四位型号 ID，如 D103，或型号名称）")
        .arg(model);
}
inline const QString kSimUnavailable = QStringLiteral("虚拟单片机无法启动");
inline QString NoUserFile(const QString& path) {
    return QStringLiteral("配置文件没有指定代码文件（UserFile）：%1").arg(path);
}
inline QString BadRecords(const QString& path, qsizetype count) {
    return QStringLiteral("%1 中有 %2 条记录校验和错误或格式不正确，文件可能已损坏")
        .arg(path)
        .arg(count);
}
inline QString SerialOutOfRange(const QString& path, qint64 number) {
    return QStringLiteral("%1 中的下一个增量(N) %2 超出范围（0-999999999）；文件未下载，也未改动")
        .arg(path)
        .arg(number);
}
// A HEX file without its end-of-file record was probably cut short (a full disk, an
// interrupted copy): what it holds may be only the front of the code.
inline QString NoEndRecord(const QString& path) {
    return QStringLiteral("%1 没有文件结束记录，文件可能不完整").arg(path);
}
inline const QString kBadRecordsRefused =
    QStringLiteral("；文件未下载。确认无误后可用 --ignore-hex-errors 仍然下载");
inline const QString kProgramNeedsConsent =
    QStringLiteral("文件指定了下载完成后运行的程序；只有加上 --allow-run 才会运行");
inline const QString kNoTerminal = QStringLiteral("korvan-cli 没有串口助手，忽略终端操作");
inline const QString kStartFailed = QStringLiteral("任务无法启动");

// A gang download.
inline QString SerialGiven(qint64 number) {
    return QStringLiteral("本片增量(N)：%1").arg(number);
}
inline const QString kTablePort = QStringLiteral("串口");
inline const QString kTableModel = QStringLiteral("型号");
inline const QString kTableResult = QStringLiteral("结果");
inline const QString kTableTime = QStringLiteral("用时");
inline const QString kTableSerials = QStringLiteral("增量(N)");
inline const QString kTableNote = QStringLiteral("说明");
inline QString ResultWord(const QString& result) {
    if (result == QStringLiteral("success")) return QStringLiteral("成功");
    if (result == QStringLiteral("cancelled")) return QStringLiteral("已取消");
    if (result == QStringLiteral("timeout")) return QStringLiteral("超时");
    if (result == QStringLiteral("port-error")) return QStringLiteral("串口错误");
    return QStringLiteral("失败");
}
inline QString Seconds(qint64 ms) {
    return QStringLiteral("%1 秒").arg(static_cast<double>(ms) / 1000.0, 0, 'f', 2);
}
inline QString UnusedSerials(const QString& numbers) {
    return QStringLiteral("未使用的增量(N)：%1").arg(numbers);
}
inline QString GangTotal(int ports, int succeeded) {
    return QStringLiteral("共 %1 个串口：%2 个成功，%3 个失败")
        .arg(ports)
        .arg(succeeded)
        .arg(ports - succeeded);
}
inline QString GangPartlyDone(int succeeded, int ports) {
    return QStringLiteral("%1/%2 个串口成功").arg(succeeded).arg(ports);
}

// -p auto and no -p: the port taken, or the ports to pick from.
inline const QString kAutoPortChosen = QStringLiteral("自动选择串口：");
inline const QString kAutoPortNone =
    QStringLiteral("没有找到 USB 串口适配器。请插上适配器，或用 -p 指定串口。现有串口：");
inline const QString kAutoPortNoneAtAll = QStringLiteral("  （没有）");
inline const QString kAutoPortSeveral =
    QStringLiteral("找到多个 USB 串口适配器，请用 -p 选择其中一个：");

// korvan-cli ports: the table's heads and the holder of a port.
inline const QString kPortsHeads =
    QStringLiteral("串口|设备|by-id 名称|厂商/产品|VID:PID|序列号|占用");
inline const QString kPortsNone = QStringLiteral("没有找到串口");
inline const QString kPortAbsent = QStringLiteral("（未连接）");
inline QString PortHeldBy(const QString& name, qint64 pid) {
    return QStringLiteral("%1 (%2)").arg(name.isEmpty() ? QStringLiteral("?") : name).arg(pid);
}

// The monitor: what it listens to and how it ends.
inline QString MonitorStarted(const QString& port, const QString& settings) {
    return QStringLiteral("监视串口 %1（%2），按 Ctrl-C 或 Ctrl-] 结束\n").arg(port, settings);
}
inline const QString kMonitorPortLost = QStringLiteral("串口或串口适配器已断开，监视结束");

}  // namespace korvan::cli::text
