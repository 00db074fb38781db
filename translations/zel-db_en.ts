<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<!-- The series names, captions and choices of zel.db, keyed by the trimmed Chinese text. zel.db is data,
     not source code, so lupdate does not write this file: keep it by hand when the database
     gains a text (the option texts test lists any text left without a translation). -->
<context>
    <name>zel.db</name>
    <message>
        <source>周期(双倍速)：</source>
        <translation>Machine cycle:</translation>
    </message>
    <message>
        <source>12T(单倍速)</source>
        <translation>12T (normal)</translation>
    </message>
    <message>
        <source>6T(双倍速)</source>
        <translation>6T (double)</translation>
    </message>
    <message>
        <source>MCU 时钟源：</source>
        <translation>Clock source:</translation>
    </message>
    <message>
        <source>外部晶振或时钟</source>
        <translation>External</translation>
    </message>
    <message>
        <source>内部RC振荡器</source>
        <translation>Internal RC</translation>
    </message>
    <message>
        <source>振荡器等待时钟数(掉电/复位)：</source>
        <translation>Osc. wait cycles:</translation>
    </message>
    <message>
        <source>上电复位增加额外的复位延时：</source>
        <translation>Extra reset delay:</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>振荡器增益：</source>
        <translation>Oscillator gain:</translation>
    </message>
    <message>
        <source>高增益</source>
        <translation>High</translation>
    </message>
    <message>
        <source>低增益(&lt;12M)</source>
        <translation>Low (&lt;12M)</translation>
    </message>
    <message>
        <source>P1.0/P1.1控制：</source>
        <translation>P1.0/P1.1 control:</translation>
    </message>
    <message>
        <source>与下载无关</source>
        <translation>Ignored</translation>
    </message>
    <message>
        <source>下载时必需接地</source>
        <translation>Must be low</translation>
    </message>
    <message>
        <source>擦除FLASH数据：</source>
        <translation>Erase data flash:</translation>
    </message>
    <message>
        <source>下载时不擦除</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>下载时擦除</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>内部扩展 RAM：</source>
        <translation>Internal XRAM:</translation>
    </message>
    <message>
        <source>允许访问(推荐)</source>
        <translation>On (advised)</translation>
    </message>
    <message>
        <source>禁止访问</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>RESET引脚功能：</source>
        <translation>RESET pin:</translation>
    </message>
    <message>
        <source>复位脚</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>P4.7(RC时仍为复位)</source>
        <translation>P4.7 (RC: reset)</translation>
    </message>
    <message>
        <source>RESET2引脚功能：</source>
        <translation>RESET2 pin:</translation>
    </message>
    <message>
        <source>启动看门狗后：</source>
        <translation>Watchdog stopped by:</translation>
    </message>
    <message>
        <source>复位关闭看门狗</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>停电关闭看门狗</source>
        <translation>Power-off</translation>
    </message>
    <message>
        <source>冷启动后看门狗预分频数：</source>
        <translation>Watchdog prescaler:</translation>
    </message>
    <message>
        <source>看门狗启动后禁改分频数：</source>
        <translation>Lock WDT prescaler:</translation>
    </message>
    <message>
        <source>启动看门狗后禁改其控制寄存器：</source>
        <translation>Lock WDT control:</translation>
    </message>
    <message>
        <source>上电自动用有关参数启动看门狗：</source>
        <translation>Watchdog at power-on:</translation>
    </message>
    <message>
        <source>空闭/睡眠状态停止看门狗计数：</source>
        <translation>WDT off in idle/sleep:</translation>
    </message>
    <message>
        <source>复位电压(版本5.4以上)：</source>
        <translation>Reset voltage (5.4+):</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>复位电压(12M以上建议选高)：</source>
        <translation>Reset voltage (&gt;12M High):</translation>
    </message>
    <message>
        <source>复位电压(版本5.7以上)：</source>
        <translation>Reset voltage (5.7+):</translation>
    </message>
    <message>
        <source>ZEL51A 系列</source>
        <translation>ZEL51A series</translation>
    </message>
    <message>
        <source>ZEL51B 系列</source>
        <translation>ZEL51B series</translation>
    </message>
    <message>
        <source>ZEL51C 系列</source>
        <translation>ZEL51C series</translation>
    </message>
    <message>
        <source>ZEL51D 系列</source>
        <translation>ZEL51D series</translation>
    </message>
    <message>
        <source>ZEL51E 系列</source>
        <translation>ZEL51E series</translation>
    </message>
    <message>
        <source>ZEL51F 系列</source>
        <translation>ZEL51F series</translation>
    </message>
    <message>
        <source>ZEL51G 系列</source>
        <translation>ZEL51G series</translation>
    </message>
    <message>
        <source>ZEL51H 系列</source>
        <translation>ZEL51H series</translation>
    </message>
</context>
</TS>
