<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>i18n-test</name>
    <message>
        <source>下载</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>检测到单片机：%1</source>
        <translation>Chip detected: %1</translation>
    </message>
</context>
</TS>
