// The user texts of the window-free views: chip information lines and the check's wait line.
#pragma once

#include "core/textlist.h"

#include <QString>

namespace korvan::viewtext {

inline constexpr i18n::Text kCoreHeading = KORVAN_TEXT("korvan", "MCU 内核");
inline constexpr i18n::Text kOptionsHeading = KORVAN_TEXT("korvan", "MCU 选项");
inline constexpr i18n::Text kModel = KORVAN_TEXT("korvan", "MCU 型号：  ");
inline constexpr i18n::Text kUnknownModel = KORVAN_TEXT("korvan", "未知型号 ");
inline constexpr i18n::Text kVersion = KORVAN_TEXT("korvan", "MCU 版本：  ");
inline constexpr i18n::Text kFrequency = KORVAN_TEXT("korvan", "MCU 频率：  ");
inline const QString kMegahertz = QStringLiteral(" MHz");
inline constexpr i18n::Text kFlash = KORVAN_TEXT("korvan", "存储空间：  ");
inline constexpr i18n::Text kMemory = KORVAN_TEXT("korvan", "内存空间：  ");
inline const QString kBytes = QStringLiteral(" Bytes");
inline constexpr i18n::Text kEeprom = KORVAN_TEXT("korvan", "EEPROM  ：  ");
inline constexpr i18n::Text kSerialNumber = KORVAN_TEXT("korvan", "序 列 号：  ");
inline constexpr i18n::Text kNoOptions = KORVAN_TEXT("korvan", "此型号不支持用户选项");
inline constexpr i18n::Text kCheckStarting = KORVAN_TEXT("korvan", "检测单片机启动标志... ");
inline constexpr i18n::Text kCheckWaiting = KORVAN_TEXT("korvan", "等待启动标志... ");

// The serial terminal's settings and counters.
inline const QString kBaudUnit = QStringLiteral(" bps");
inline constexpr i18n::Text kBitsUnit = KORVAN_TEXT("korvan", " 位");
inline constexpr i18n::Text kParityNone = KORVAN_TEXT("korvan", "N (无)");
inline constexpr i18n::Text kParityEven = KORVAN_TEXT("korvan", "E (偶)");
inline constexpr i18n::Text kParityOdd = KORVAN_TEXT("korvan", "O (奇)");
inline constexpr i18n::Text kPortSettingsLabel = KORVAN_TEXT("korvan", "串口参数：");
inline constexpr i18n::Text kSentCounter = KORVAN_TEXT("korvan", "发送: ");
inline constexpr i18n::Text kReceivedCounter = KORVAN_TEXT("korvan", "接收: ");

}  // namespace korvan::viewtext
