// Every text the job layer shows or logs, in one place.
#pragma once

#include "core/textlist.h"

#include <QString>
#include <QStringList>

namespace korvan::jobs::text {

// First line of a job.
inline QString RepeatStart(int number) {
    return KORVAN_TR("korvan", "启动第 %1 次重复下载").arg(number);
}
inline constexpr i18n::Text kAutoDownload = KORVAN_TEXT("korvan", "文件更新自动下载程序");
inline constexpr i18n::Text kDownloadJob = KORVAN_TEXT("korvan", "下载单片机程序");
inline constexpr i18n::Text kConfigureJob = KORVAN_TEXT("korvan", "配置单片机选项");
inline constexpr i18n::Text kCheckJob = KORVAN_TEXT("korvan", "检测单片机参数");

// The start countdown.
inline constexpr i18n::Text kWaitingTreeLine = KORVAN_TEXT("korvan", "等待启动标志... ");
inline constexpr i18n::Text kCheckTreeLine = KORVAN_TEXT("korvan", "检测单片机启动标志... ");
inline constexpr i18n::Text kTimeOut = KORVAN_TEXT("korvan", "通讯超时退出");
inline constexpr TextList kTimeOutHints{KORVAN_TEXT("korvan", "请确认单片机是否正确启动"),
                                        KORVAN_TEXT("korvan", "请确认下载时P1.0与P1.1是否需要接地"),
                                        KORVAN_TEXT("korvan", "请确认串行通信口选择是否正确")};

// After a download.
inline QString DownloadCounted(qint32 count) {
    return KORVAN_TR("korvan", "总第 %1 次下载成功完成").arg(count);
}
inline QString SeriesDone(qint32 count) {
    return KORVAN_TR("korvan", "共 %1 次重复下载已全部完成").arg(count);
}
inline QString RunProgramLine(const QString& delay) {
    return KORVAN_TR("korvan", "运行用户程序 (延时: %1)").arg(delay);
}
inline constexpr i18n::Text kRunParameters = KORVAN_TEXT("korvan", "执行用户参数");
// The program after a download names a document that no installed program opens.
inline QString NoAssociatedProgram(const QString& document) {
    return KORVAN_TR("korvan", "没有与此类文件关联的程序，无法打开：%1").arg(document);
}
inline QString ProgramNotStarted(const QString& command) {
    return KORVAN_TR("korvan", "用户程序无法运行：%1").arg(command);
}
inline QString CounterPanel(qint32 count) {
    // Not arg(): the layout code's "%0" would take the number.
    return KORVAN_TR("korvan", "计数: ") + QString::number(count) + QStringLiteral("%#@100;%0");
}

// The window was closed while a job ran.
inline constexpr i18n::Text kCancelledAtExit =
    KORVAN_TEXT("korvan", "窗口关闭：任务已取消，串口已关闭");

// Soft start.
inline constexpr i18n::Text kSoftStart = KORVAN_TEXT("korvan", "发送用户自定软启指令");
// The reset sequence's steps in their canonical form.
inline QString ResetSequenceRun(const QString& steps) {
    return KORVAN_TR("korvan", "执行复位序列 %1").arg(steps);
}

// The code that does not fit the chip is refused before the erase.
inline QString DoesNotFit(qint64 needed, const QString& model, qint64 flash) {
    return KORVAN_TR("korvan", "程序数据超出单片机的存储空间：需要 %1 字节，%2 只有 %3 字节")
        .arg(needed)
        .arg(model)
        .arg(flash);
}
inline constexpr i18n::Text kIncrementRefused = KORVAN_TEXT("korvan", "自动增量数据无法加入");

// A program named by a file the user did not write asks before it runs.
inline QString ConsentPrompt(const QString& program) {
    // Line breaks outside the translated parts: the catalogues keep no carriage returns.
    return KORVAN_TR("korvan", "此文件设定在下载完成后运行如下程序：") + QStringLiteral("\r\n") +
           program + QStringLiteral("\r\n") + KORVAN_TR("korvan", "是否允许运行？");
}
inline constexpr i18n::Text kConsentRefused =
    KORVAN_TEXT("korvan", "未经允许，下载完成后不运行文件指定的程序");

// Ports.
inline QString PortInvalid(const QString& port) {
    return KORVAN_TR("korvan", "当前串口(%1)无效\n请选择有效端口").arg(port);
}
inline QString PortHeld(const QString& port) {
    return KORVAN_TR("korvan", "当前串口(%1)已经打开\n请关闭其它程序后再试").arg(port);
}
// Added under the message above when the system tells which program holds the port.
inline QString PortHolder(const QString& program, qint64 pid) {
    return KORVAN_TR("korvan", "\n占用该串口的程序：%1（进程号 %2）").arg(program).arg(pid);
}
inline constexpr i18n::Text kPortFallback = KORVAN_TEXT("korvan", "串行端口已打开或者无效");
// Added under the port's message when the system refused it for lack of permission: the group
// that owns the device (dialout when it cannot be told), and how to join it.
inline QString PortPermissionHint(const QString& group) {
    return KORVAN_TR("korvan",
                     "\n当前用户没有使用该串口的权限。该串口属于 %1 组，请把用户加入该组：\n"
                     "    sudo usermod -aG %1 $USER\n"
                     "然后注销并重新登录。")
        .arg(group);
}
inline constexpr i18n::Text kPortLost = KORVAN_TEXT("korvan", "串口或串口适配器已断开，任务中止");

// Why a job ended, in words, for the line under a failed job's result.
inline constexpr i18n::Text kCauseTimedOut = KORVAN_TEXT("korvan", "原因：单片机没有应答（超时）");
inline constexpr i18n::Text kCauseRetries = KORVAN_TEXT("korvan", "原因：单片机多次拒收数据");
inline constexpr i18n::Text kCauseUnexpected =
    KORVAN_TEXT("korvan", "原因：单片机的应答不符合预期");
inline constexpr i18n::Text kCauseUnknownModel =
    KORVAN_TEXT("korvan", "原因：数据库中没有这个型号");
inline constexpr i18n::Text kCauseSeries =
    KORVAN_TEXT("korvan", "原因：单片机的系列与选定的系列不同");
inline constexpr i18n::Text kCauseNoSteps =
    KORVAN_TEXT("korvan", "原因：数据库中没有这个任务的步骤");
inline constexpr i18n::Text kCauseNoData = KORVAN_TEXT("korvan", "原因：没有要下载的程序数据");
inline constexpr i18n::Text kCausePortWrite = KORVAN_TEXT("korvan", "原因：无法向串口写入数据");
inline constexpr i18n::Text kCausePortOpen = KORVAN_TEXT("korvan", "原因：串口无法打开");
inline QString SerialNumberOutOfRange(qint64 number) {
    return KORVAN_TR("korvan", "下一个增量(N) %1 超出范围（0-999999999），请在自动增量页改正后再试")
        .arg(number);
}
inline constexpr i18n::Text kCauseDoesNotFit =
    KORVAN_TEXT("korvan", "原因：程序数据超出单片机的存储空间");

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
