<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>zel</name>
    <message>
        <source>串行端口已打开或者无效</source>
        <translation>The serial port is in use or does not exist</translation>
    </message>
    <message>
        <source>串行端口已断开：串口适配器被拔出或连接中断</source>
        <translation>Serial port lost: the adapter was unplugged or the connection dropped</translation>
    </message>
    <message>
        <source>系列不同，已取消下载</source>
        <translation>Different series: download cancelled</translation>
    </message>
    <message>
        <source>系列不同，已取消配置</source>
        <translation>Different series: configuration cancelled</translation>
    </message>
    <message>
        <source>未知型号的单片机</source>
        <translation>Unknown chip model</translation>
    </message>
    <message>
        <source>自动更换系列</source>
        <translation>Switching the series automatically</translation>
    </message>
    <message>
        <source>系列不同</source>
        <translation>Different series</translation>
    </message>
    <message>
        <source>检测单片机参数</source>
        <translation>Checking the chip</translation>
    </message>
    <message>
        <source>下载单片机程序</source>
        <translation>Downloading the program</translation>
    </message>
    <message>
        <source>配置单片机选项</source>
        <translation>Configuring the chip options</translation>
    </message>
    <message>
        <source>等待启动标志...</source>
        <translation>Waiting for the chip to start...</translation>
    </message>
    <message>
        <source>检测到单片机：未知型号 %1</source>
        <translation>Chip detected: unknown model %1</translation>
    </message>
    <message>
        <source>检测到单片机：%1</source>
        <translation>Chip detected: %1</translation>
    </message>
    <message>
        <source>设置波特率：%1bps...</source>
        <translation>Setting the baud rate: %1 bps...</translation>
    </message>
    <message>
        <source>单片机时钟 %1Hz 产生 %2bps 的误差超过 3%，最高可用 %3bps</source>
        <translation>The chip&apos;s %1 Hz clock makes %2 bps with more than 3% error; the highest usable rate is %3 bps</translation>
    </message>
    <message>
        <source>%1bps 下单片机无有效应答（串口适配器或连线可能不支持此速率），改用 %2bps 重试</source>
        <translation>No valid answer from the chip at %1 bps (the adapter or the wiring may not support this rate); retrying at %2 bps</translation>
    </message>
    <message>
        <source>擦除单片机程序...</source>
        <translation>Erasing the flash...</translation>
    </message>
    <message>
        <source>写入单片机程序...</source>
        <translation>Writing the program...</translation>
    </message>
    <message>
        <source>设置单片机选项...</source>
        <translation>Setting the chip options...</translation>
    </message>
    <message>
        <source>参数检测完成</source>
        <translation>Check complete</translation>
    </message>
    <message>
        <source>程序下载成功</source>
        <translation>Download successful</translation>
    </message>
    <message>
        <source>参数配置完成</source>
        <translation>Configuration complete</translation>
    </message>
    <message>
        <source>参数检测失败</source>
        <translation>Check failed</translation>
    </message>
    <message>
        <source>程序下载失败</source>
        <translation>Download failed</translation>
    </message>
    <message>
        <source>参数配置失败</source>
        <translation>Configuration failed</translation>
    </message>
    <message>
        <source>取消参数检测</source>
        <translation>Check cancelled</translation>
    </message>
    <message>
        <source>取消程序下载</source>
        <translation>Download cancelled</translation>
    </message>
    <message>
        <source>取消参数配置</source>
        <translation>Configuration cancelled</translation>
    </message>
    <message>
        <source>无效参数</source>
        <translation>Invalid parameter</translation>
    </message>
    <message>
        <source>%1、%2</source>
        <translation>%1. %2</translation>
    </message>
</context>
</TS>
