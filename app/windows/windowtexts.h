// The user texts of the message, mini, about and help windows.
#pragma once

#include <QString>
#include <array>

namespace korvan::wintext {

inline const QString kProductName = QStringLiteral("KORVAN");
inline const QString kProductDescription = QStringLiteral("ZEL 系列单片机下载工具");
inline const QString kMakerMail = QStringLiteral("korvan@vornhelm.example");
inline const QString kMailSubject = QStringLiteral("KORVAN V");
inline const QString kVersionPrefix = QStringLiteral("V ");

inline const QString kMessageTitle = QStringLiteral("温馨提示");
inline const QString kOk = QStringLiteral("确定(&O)");
inline const QString kCancel = QStringLiteral("取消(&C)");

inline const QString kMiniTitle = QStringLiteral("KORVAN 下载");
inline const QString kMiniOpenMain = QStringLiteral("主界面(&O)");
inline const QString kMiniReady = QStringLiteral("正在准备下载...");

inline const QString kAboutTitle = QStringLiteral("关于 KORVAN");
inline const QString kAboutCopyright = QStringLiteral("VORNHELM");
inline const QString kMailLabel = QStringLiteral("联系作者：");

inline const QString kHelpTitle = QStringLiteral("帮助");

// The help text: a heading has no key; an item has its key in the first column.
struct HelpRow {
    QString Key;
    QString Text;
    bool Heading = false;
};

inline const std::array<HelpRow, 16> kHelpRows = {{
    {{}, QStringLiteral("一、指令变量"), true},
    {{},
     QStringLiteral("以下变量适用于：自定义软启命令、串口助手发送代码、自动增量数据格式"),
     false},
    {QStringLiteral("$"),
     QStringLiteral("字符声明。随后数据为不定长字符(可汉字)，如：$MCU、$单片机")},
    {QStringLiteral("#"), QStringLiteral("十进制数声明。随后数据为不定长数字，如：#12345、#555")},
    {QStringLiteral("%N"),
     QStringLiteral("引用自动增量。随后数据为附加数据与增量相加，占用4字节。")},
    {QStringLiteral("%D"), QStringLiteral("引用日期数据。默认占用3字节，格式为：yymmdd(年月日)")},
    {QStringLiteral("%T"), QStringLiteral("引用时间数据。默认占用3字节，格式为：hhmmss(时分秒)")},
    {QStringLiteral("%W"),
     QStringLiteral("引用星期数据。1-7的代表星期一到星期日，默认占用1字节。")},
    {QStringLiteral("%F"),
     QStringLiteral("引用数据的校验码，随后为校验方式。默认异或校验，1为和校验。")},
    {QStringLiteral("%C"), QStringLiteral("引用发送字节数，占用1字节，指令中只可出现一次。")},
    {QStringLiteral("L"), QStringLiteral("限定数据所占用字节数，后面为字节数。如： #100L2、 %NL3")},
    {{}, QStringLiteral("注：所有的参数、变量均不分大小写"), false},
    {{}, QStringLiteral("二、执行程序"), true},
    {QStringLiteral("APP"),
     QStringLiteral("下载完成执行用户程序为 APP 时，可使用如下参数(++连接符)：")},
    {QStringLiteral("OPENCOM"), QStringLiteral("打开串口助手并转到串口助手标签栏。")},
    {QStringLiteral("SEND"), QStringLiteral("发送串口助手数据，等同于点击串口助手中的发送按钮。")},
}};

}  // namespace korvan::wintext
