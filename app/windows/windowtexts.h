// The user texts of the message, mini, about and help windows.
#pragma once

#include "core/textlist.h"

#include <QString>
#include <array>

namespace korvan::wintext {

inline const QString kProductName = QStringLiteral("KORVAN");
inline constexpr i18n::Text kProductDescription = KORVAN_TEXT("korvan", "ZEL 系列单片机下载工具");
inline const QString kMakerMail = QStringLiteral("korvan@vornhelm.example");
inline const QString kMailSubject = QStringLiteral("KORVAN V");
inline const QString kVersionPrefix = QStringLiteral("V ");

inline constexpr i18n::Text kMessageTitle = KORVAN_TEXT("korvan", "温馨提示");
inline constexpr i18n::Text kOk = KORVAN_TEXT("korvan", "确定(&O)");
inline constexpr i18n::Text kCancel = KORVAN_TEXT("korvan", "取消(&C)");

inline constexpr i18n::Text kMiniTitle = KORVAN_TEXT("korvan", "KORVAN 下载");
inline constexpr i18n::Text kMiniOpenMain = KORVAN_TEXT("korvan", "主界面(&O)");
inline constexpr i18n::Text kMiniReady = KORVAN_TEXT("korvan", "正在准备下载...");

inline constexpr i18n::Text kAboutTitle = KORVAN_TEXT("korvan", "关于 KORVAN");
inline const QString kAboutCopyright = QStringLiteral("VORNHELM");
inline constexpr i18n::Text kMailLabel = KORVAN_TEXT("korvan", "联系作者：");

inline constexpr i18n::Text kHelpTitle = KORVAN_TEXT("korvan", "帮助");

// The help text: a heading has no key; an item has its key in the first column.
struct HelpRow {
    const char* Key;  // Latin-1, never translated; "" for none
    i18n::Text Text;
    bool Heading = false;
};

inline constexpr std::array<HelpRow, 16> kHelpRows = {{
    {"", KORVAN_TEXT("korvan", "一、指令变量"), true},
    {"",
     KORVAN_TEXT("korvan", "以下变量适用于：自定义软启命令、串口助手发送代码、自动增量数据格式"),
     false},
    {"$", KORVAN_TEXT("korvan", "字符声明。随后数据为不定长字符(可汉字)，如：$MCU、$单片机")},
    {"#", KORVAN_TEXT("korvan", "十进制数声明。随后数据为不定长数字，如：#12345、#555")},
    {"%N", KORVAN_TEXT("korvan", "引用自动增量。随后数据为附加数据与增量相加，占用4字节。")},
    {"%D", KORVAN_TEXT("korvan", "引用日期数据。默认占用3字节，格式为：yymmdd(年月日)")},
    {"%T", KORVAN_TEXT("korvan", "引用时间数据。默认占用3字节，格式为：hhmmss(时分秒)")},
    {"%W", KORVAN_TEXT("korvan", "引用星期数据。1-7的代表星期一到星期日，默认占用1字节。")},
    {"%F", KORVAN_TEXT("korvan", "引用数据的校验码，随后为校验方式。默认异或校验，1为和校验。")},
    {"%C", KORVAN_TEXT("korvan", "引用发送字节数，占用1字节，指令中只可出现一次。")},
    {"L", KORVAN_TEXT("korvan", "限定数据所占用字节数，后面为字节数。如： #100L2、 %NL3")},
    {"", KORVAN_TEXT("korvan", "注：所有的参数、变量均不分大小写"), false},
    {"", KORVAN_TEXT("korvan", "二、执行程序"), true},
    {"APP", KORVAN_TEXT("korvan", "下载完成执行用户程序为 APP 时，可使用如下参数(++连接符)：")},
    {"OPENCOM", KORVAN_TEXT("korvan", "打开串口助手并转到串口助手标签栏。")},
    {"SEND", KORVAN_TEXT("korvan", "发送串口助手数据，等同于点击串口助手中的发送按钮。")},
}};

}  // namespace korvan::wintext
