#include "enginetexts.h"

#include "text.h"

namespace zel::events {

namespace {

// Picks the check / download / configure variant of a message.
QString byJob(JobType type, const QString& check, const QString& download,
              const QString& configure) {
    switch (type) {
        case JobType::Check:
            return check;
        case JobType::Download:
            return download;
        case JobType::Configure:
            return configure;
    }
    return {};
}

}  // namespace

QString portText() {
    return KORVAN_TR("zel", "串行端口已打开或者无效");
}

QString portLostText() {
    return KORVAN_TR("zel", "串行端口已断开：串口适配器被拔出或连接中断");
}

QString seriesRefusedText(JobType type) {
    return type == JobType::Download ? KORVAN_TR("zel", "系列不同，已取消下载")
                                     : KORVAN_TR("zel", "系列不同，已取消配置");
}

QString unknownModelText() {
    return KORVAN_TR("zel", "未知型号的单片机");
}
QString adoptSeriesText() {
    return KORVAN_TR("zel", "自动更换系列");
}
QString seriesDiffersText() {
    return KORVAN_TR("zel", "系列不同");
}

QString jobText(JobType type) {
    return byJob(type, KORVAN_TR("zel", "检测单片机参数"), KORVAN_TR("zel", "下载单片机程序"),
                 KORVAN_TR("zel", "配置单片机选项"));
}

QString waitingText() {
    return KORVAN_TR("zel", "等待启动标志...");
}

QString detectedText(const QString& model, const QString& modelId) {
    if (model.isEmpty()) return KORVAN_TR("zel", "检测到单片机：未知型号 %1").arg(modelId);
    return KORVAN_TR("zel", "检测到单片机：%1").arg(model);
}

QString baudText(int64_t baud) {
    return KORVAN_TR("zel", "设置波特率：%1bps...").arg(baud);
}

QString rateLimitedText(int64_t cpu, int64_t asked, int64_t usable) {
    return KORVAN_TR("zel", "单片机时钟 %1Hz 产生 %2bps 的误差超过 3%，最高可用 %3bps")
        .arg(cpu)
        .arg(asked)
        .arg(usable);
}

QString rateFallbackText(int64_t failed, int64_t next) {
    return KORVAN_TR("zel",
                     "%1bps 下单片机无有效应答（串口适配器或连线可能不支持此速率），改用 "
                     "%2bps 重试")
        .arg(failed)
        .arg(next);
}

QString eraseText() {
    return KORVAN_TR("zel", "擦除单片机程序...");
}
QString writeText() {
    return KORVAN_TR("zel", "写入单片机程序...");
}
QString optionsText() {
    return KORVAN_TR("zel", "设置单片机选项...");
}

QString completeText(JobType type) {
    return byJob(type, KORVAN_TR("zel", "参数检测完成"), KORVAN_TR("zel", "程序下载成功"),
                 KORVAN_TR("zel", "参数配置完成"));
}

QString failedText(JobType type) {
    return byJob(type, KORVAN_TR("zel", "参数检测失败"), KORVAN_TR("zel", "程序下载失败"),
                 KORVAN_TR("zel", "参数配置失败"));
}

QString cancelledText(JobType type) {
    return byJob(type, KORVAN_TR("zel", "取消参数检测"), KORVAN_TR("zel", "取消程序下载"),
                 KORVAN_TR("zel", "取消参数配置"));
}

}  // namespace zel::events
