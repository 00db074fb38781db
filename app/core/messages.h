// Messages that the code-file model hands to the windows to show. Style as the message window
// takes it: tens digit 1 = OK only, 2 = OK and Cancel; units digit = icon.
#pragma once

#include "core/textlist.h"

#include "fileerror.h"

#include <QString>

namespace korvan {

struct UserMessage {
    QString Text;
    int Style = 10;
    QString Title;
    bool operator==(const UserMessage&) const = default;
};

namespace msg {
inline constexpr i18n::Text kFileInvalid = KORVAN_TEXT("korvan", "文件无效或者文件不存在");
inline constexpr i18n::Text kTaskUnreadable = KORVAN_TEXT("korvan", "文件无法正常打开");
inline constexpr i18n::Text kSaveOk = KORVAN_TEXT("korvan", "文件保存成功");
inline constexpr i18n::Text kSaveFailed = KORVAN_TEXT("korvan", "文件保存失败");
inline constexpr i18n::Text kFileMissing = KORVAN_TEXT("korvan", "指定的文件不存在：");
inline constexpr i18n::Text kFileErrorTitle = KORVAN_TEXT("korvan", "文件错误");
inline constexpr i18n::Text kUnsupportedFormat = KORVAN_TEXT("korvan", "不支持的文件格式！");
inline constexpr i18n::Text kNoCode = KORVAN_TEXT("korvan", "文件未打开，请打开后再试");
// A .hex file without a single valid record: a text, an ELF file or random bytes.
inline constexpr i18n::Text kNotHexFile =
    KORVAN_TEXT("korvan", "文件中没有一条有效的 HEX 记录，不是 HEX 文件");
// The file exists but the system refuses to read it.
inline constexpr i18n::Text kFileUnreadable =
    KORVAN_TEXT("korvan", "文件无法读取，请检查文件的读取权限");
// Larger (or, for HEX, reaching further) than any code image can be.
inline constexpr i18n::Text kFileTooLarge =
    KORVAN_TEXT("korvan", "文件太大（超过 16 MB），不是单片机的代码文件");
// A HEX file that loads but looks damaged or cut short: the user decides whether to go on.
inline QString BadHexRecords(qsizetype count, qsizetype firstLine) {
    return KORVAN_TR("korvan",
                     "文件中有 %1 条记录校验和错误或格式不正确（第一条在第 %2 行），"
                     "文件可能已损坏。")
        .arg(count)
        .arg(firstLine);
}
inline constexpr i18n::Text kNoHexEndRecord =
    KORVAN_TEXT("korvan", "文件没有结束记录（:00000001FF），可能不完整。");
inline constexpr i18n::Text kOpenAnyway = KORVAN_TEXT("korvan", "是否仍然打开？");

// Why a file could not be read or written, after its name.
inline QString FileErrorCause(const ktext::FileError& error) {
    const QString system = error.systemText();
    const QString detail = system.isEmpty() ? QString() : KORVAN_TR("korvan", "（%1）").arg(system);
    switch (error.kind) {
        case ktext::FileError::Missing:
            return KORVAN_TR("korvan", "文件不存在");
        case ktext::FileError::NotRegular:
            return KORVAN_TR("korvan", "不是普通文件（FIFO、设备或文件夹），不能使用");
        case ktext::FileError::TooLarge:
            return KORVAN_TR("korvan", "文件太大，未读取也未改动");
        case ktext::FileError::ReadFailed:
            return KORVAN_TR("korvan", "文件无法读取") + detail;
        case ktext::FileError::WriteFailed:
            return KORVAN_TR("korvan", "写入失败") + detail +
                   KORVAN_TR("korvan", "，原文件保持不变");
        case ktext::FileError::None:
            break;
    }
    return {};
}
// A save that failed: the file, and why.
inline QString SaveFailedText(const ktext::FileError& error) {
    return kSaveFailed + KORVAN_TR("korvan", "：") + error.path + QStringLiteral("\r\n") +
           FileErrorCause(error);
}
// A settings file that was not read (too large, or not a regular file), and why.
inline QString SettingsFileRefused(const ktext::FileError& error) {
    return KORVAN_TR("korvan", "设置文件未使用：") + error.path + QStringLiteral("\r\n") +
           FileErrorCause(error);
}

// Reset sequences (DTR/RTS steps and waits).
inline QString ResetSequenceError(int position, const QString& reason) {
    return KORVAN_TR("korvan", "复位序列第 %1 个字符：%2").arg(position).arg(reason);
}
inline constexpr i18n::Text kResetEmptyStep = KORVAN_TEXT("korvan", "空步骤");
inline QString ResetUnknownStep(const QString& step) {
    return KORVAN_TR("korvan", "未知步骤“%1”，应为 D0、D1、R0、R1、W毫秒数或预设名称").arg(step);
}
inline QString ResetBadLevel(const QString& line) {
    return KORVAN_TR("korvan", "%1 电平只能是 0 或 1").arg(line);
}
inline QString ResetBadWait(int max) {
    return KORVAN_TR("korvan", "等待时间应为 1-%1 毫秒").arg(max);
}
inline QString ResetTooLong(int max) {
    return KORVAN_TR("korvan", "等待时间合计超过 %1 毫秒").arg(max);
}
inline QString ResetTooManySteps(int max) {
    return KORVAN_TR("korvan", "步骤超过 %1 个").arg(max);
}
inline constexpr i18n::Text kResetNoLine = KORVAN_TEXT("korvan", "序列中没有 DTR 或 RTS 步骤");
}  // namespace msg

}  // namespace korvan
