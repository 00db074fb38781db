// Every text the job layer shows or logs, in one place.
#pragma once

#include <QString>
#include <QStringList>

namespace korvan::jobs::text {

// First line of a job.
inline QString RepeatStart(int number) {
    return QStringLiteral("启动第 %1 次重复下载").arg(number);
}
inline const QString kAutoDownload = QStringLiteral("文件更新自动下载程序");
inline const QString kDownloadJob = QStringLiteral("下载单片机程序");
inline const QString kConfigureJob = QStringLiteral("配置单片机选项");
inline const QString kCheckJob = QStringLiteral("检测单片机参数");

// The start countdown.
inline const QString kWaitingTreeLine = QStringLiteral("等待启动标志... ");
inline const QString kCheckTreeLine = QStringLiteral("检测单片机启动标志... ");
inline const QString kTimeOut = QStringLiteral("通讯超时退出");
inline const QStringList kTimeOutHints = {QStringLiteral("请确认单片机是否正确启动"),
                                          QStringLiteral("请确认下载时P1.0与P1.1是否需要接地"),
                                          QStringLiteral("请确认串行通信口选择是否正确")};

// After a download.
inline QString DownloadCounted(qint32 count) {
    return QStringLiteral("总第 %1 次下载成功完成").arg(count);
}
inline QString SeriesDone(qint32 count) {
    return QStringLiteral("共 %1 次重复下载已全部完成").arg(count);
}
inline QString RunProgramLine(const QString& delay) {
    return QStringLiteral("运行用户程序 (延时: %1)").arg(delay);
}
inline const QString kRunParameters = QStringLiteral("执行用户参数");
// The program after a download names a document that no installed program opens.
inline QString NoAssociatedProgram(const QString& document) {
    return QStringLiteral("没有与此类文件关联的程序，无法打开：%1").arg(document);
}
inline QString ProgramNotStarted(const QString& command) {
    return QStringLiteral("用户程序无法运行：%1").arg(command);
}
inline QString CounterPanel(qint32 count) {
    // Not arg(): the layout code's "%0" would take the number.
    return QStringLiteral("计数: ") + QString::number(count) + QStringLiteral("%#@100;%0");
}

// The window was closed while a job ran.
inline const QString kCancelledAtExit = QStringLiteral("窗口关闭：任务已取消，串口已关闭");

// Soft start.
inline const QString kSoftStart = QStringLiteral("发送用户自定软启指令");
// The reset sequence's steps in their canonical form.
inline QString ResetSequenceRun(const QString& steps) {
    return QStringLiteral("执行复位序列 %1").arg(steps);
}

// The code that does not fit the chip is refused before the erase.
inline QString DoesNotFit(qint64 needed, const QString& model, qint64 flash) {
    return QStringLiteral("程序数据超出单片机的存储空间：需要 %1 字节，%2 只有 %3 字节")
        .arg(needed)
        .arg(model)
        .arg(flash);
}
inline const QString kIncrementRefused = QStringLiteral("自动增量数据无法加入");

// A program named by a file the user did not write asks before it runs.
inline QString ConsentPrompt(const QString& program) {
    return QStringLiteral("此文件设定在下载完成后运行如下程序：\r\n%1\r\n是否允许运行？")
        .arg(program);
}
inline const QString kConsentRefused = QStringLiteral("未经允许，下载完成后不运行文件指定的程序");

// Ports.
inline QString PortInvalid(const QString& port) {
    return QStringLiteral("当前串口(%1)无效\n请选择有效端口").arg(port);
}
inline QString PortHeld(const QString& port) {
    return QStringLiteral("当前串口(%1)已经打开\n请关闭其它程序后再试").arg(port);
}
// Added under the message above when the system tells which program holds the port.
inline QString PortHolder(const QString& program, qint64 pid) {
    return QStringLiteral("\n占用该串口的程序：%1（进程号 %2）").arg(program).arg(pid);
}
inline const QString kPortFallback = QStringLiteral("串行端口已打开或者无效");
// Added under the port's message when the system refused it for lack of permission: the group
// that owns the device (dialout when it cannot be told), and how to join it.
inline QString PortPermissionHint(const QString& group) {
    return QStringLiteral(
               "\n当前用户没有使用该串口的权限。该串口属于 %1 组，请把用户加入该组：\n"
               "    sudo usermod -aG %1 $USER\n"
               "然后注销并重新登录。")
        .arg(group);
}
inline const QString kPortLost = QStringLiteral("串口或串口适配器已断开，任务中止");

// Why a job ended, in words, for the line under a failed job's result.
inline const QString kCauseTimedOut = QStringLiteral("原因：单片机没有应答（超时）");
inline const QString kCauseRetries = QStringLiteral("原因：单片机多次拒收数据");
inline const QString kCauseUnexpected = QStringLiteral("原因：单片机的应答不符合预期");
inline const QString kCauseUnknownModel = QStringLiteral("原因：数据库中没有这个型号");
inline const QString kCauseSeries = QStringLiteral("原因：单片机的系列与选定的系列不同");
inline const QString kCauseNoSteps = QStringLiteral("原因：数据库中没有这个任务的步骤");
inline const QString kCauseNoData = QStringLiteral("原因：没有要下载的程序数据");
inline const QString kCausePortWrite = QStringLiteral("原因：无法向串口写入数据");
inline const QString kCausePortOpen = QStringLiteral("原因：串口无法打开");
inline QString SerialNumberOutOfRange(qint64 number) {
    return QStringLiteral("下一个增量(N) %1 超出范围（0-999999999），请在自动增量页改正后再试")
        .arg(number);
}
inline const QString kCauseDoesNotFit = QStringLiteral("原因：程序数据超出单片机的存储空间");

// Serial numbers from the production database's pool.
inline QString SerialDatabaseUnavailable(const QString& why) {
    return QStringLiteral("生产数据库不可用：%1\n使用自动增量的下载不能开始，以免序列号重复")
        .arg(why);
}
inline QString SerialNotTaken(const QString& why) {
    return QStringLiteral("无法从生产数据库取得序列号：%1；下载在擦除之前停止").arg(why);
}
inline QString SerialGiven(qint64 number) {
    return QStringLiteral("本片增量(N)：%1").arg(number);
}
inline QString SerialNotKept(qint64 number, const QString& why) {
    return QStringLiteral("增量(N) %1 已写入单片机，但生产数据库未能记下：%2").arg(number).arg(why);
}
inline QString SerialNotGivenBack(qint64 number, const QString& why) {
    return QStringLiteral("增量(N) %1 未能退回生产数据库：%2").arg(number).arg(why);
}

}  // namespace korvan::jobs::text
