// The user texts of the window-free views: chip information lines and the check's wait line.
#pragma once

#include <QString>

namespace korvan::viewtext {

inline const QString kCoreHeading = QStringLiteral("MCU 内核");
inline const QString kOptionsHeading = QStringLiteral("MCU 选项");
inline const QString kModel = QStringLiteral("MCU 型号：  ");
inline const QString kUnknownModel = QStringLiteral("未知型号 ");
inline const QString kVersion = QStringLiteral("MCU 版本：  ");
inline const QString kFrequency = QStringLiteral("MCU 频率：  ");
inline const QString kMegahertz = QStringLiteral(" MHz");
inline const QString kFlash = QStringLiteral("存储空间：  ");
inline const QString kMemory = QStringLiteral("内存空间：  ");
inline const QString kBytes = QStringLiteral(" Bytes");
inline const QString kEeprom = QStringLiteral("EEPROM  ：  ");
inline const QString kSerialNumber = QStringLiteral("序 列 号：  ");
inline const QString kNoOptions = QStringLiteral("此型号不支持用户选项");
inline const QString kCheckStarting = QStringLiteral("检测单片机启动标志... ");
inline const QString kCheckWaiting = QStringLiteral("等待启动标志... ");

// The serial terminal's settings and counters.
inline const QString kBaudUnit = QStringLiteral(" bps");
inline const QString kBitsUnit = QStringLiteral(" 位");
inline const QString kParityNone = QStringLiteral("N (无)");
inline const QString kParityEven = QStringLiteral("E (偶)");
inline const QString kParityOdd = QStringLiteral("O (奇)");
inline const QString kPortSettingsLabel = QStringLiteral("串口参数：");
inline const QString kSentCounter = QStringLiteral("发送: ");
inline const QString kReceivedCounter = QStringLiteral("接收: ");

}  // namespace korvan::viewtext
