#include "enginetexts.h"

namespace zel::events {

namespace {

// Picks the check / download / configure variant of a message.
QString byJob(JobType type, const char* check, const char* download, const char* configure) {
    switch (type) {
        case JobType::Check:
            return QString::fromUtf8(check);
        case JobType::Download:
            return QString::fromUtf8(download);
        case JobType::Configure:
            return QString::fromUtf8(configure);
    }
    return {};
}

}  // namespace

QString portText() {
    return QStringLiteral("串行端口已打开或者无效");
}

QString portLostText() {
    return QStringLiteral("串行端口已断开：串口适配器被拔出或连接中断");
}

QString seriesRefusedText(JobType type) {
    return QStringLiteral("系列不同，已取消") +
           (type == JobType::Download ? QStringLiteral("下载") : QStringLiteral("配置"));
}

QString unknownModelText() {
    return QStringLiteral("未知型号的单片机");
}
QString adoptSeriesText() {
    return QStringLiteral("自动更换系列");
}
QString seriesDiffersText() {
    return QStringLiteral("系列不同");
}

QString jobText(JobType type) {
    return byJob(type, "检测单片机参数", "下载单片机程序", "配置单片机选项");
}

QString waitingText() {
    return QStringLiteral("等待启动标志...");
}

QString detectedText(const QString& model, const QString& modelId) {
    const QString prefix = QStringLiteral("检测到单片机：");
    if (model.isEmpty()) return prefix + QStringLiteral("未知型号 ") + modelId;
    return prefix + model;
}

QString baudText(int64_t baud) {
    return QStringLiteral("设置波特率：") + QString::number(baud) + QStringLiteral("bps...");
}

QString rateLimitedText(int64_t cpu, int64_t asked, int64_t usable) {
    return QStringLiteral("单片机时钟 %1Hz 产生 %2bps 的误差超过 3%，最高可用 %3bps")
        .arg(cpu)
        .arg(asked)
        .arg(usable);
}

QString rateFallbackText(int64_t failed, int64_t next) {
    return QStringLiteral(
               "%1bps 下单片机无有效应答（串口适配器或连线可能不支持此速率），改用 "
               "%2bps 重试")
        .arg(failed)
        .arg(next);
}

QString eraseText() {
    return QStringLiteral("擦除单片机程序...");
}
QString writeText() {
    return QStringLiteral("写入单片机程序...");
}
QString optionsText() {
    return QStringLiteral("设置单片机选项...");
}

QString completeText(JobType type) {
    return byJob(type, "参数检测完成", "程序下载成功", "参数配置完成");
}

QString failedText(JobType type) {
    return byJob(type, "参数检测失败", "程序下载失败", "参数配置失败");
}

QString cancelledText(JobType type) {
    return byJob(type, "取消参数检测", "取消程序下载", "取消参数配置");
}

}  // namespace zel::events
