// Messages that the code-file model hands to the windows to show. Style as the message window
// takes it: tens digit 1 = OK only, 2 = OK and Cancel; units digit = icon.
#pragma once

#include <QString>

namespace korvan {

struct UserMessage {
    QString Text;
    int Style = 10;
    QString Title;
    bool operator==(const UserMessage&) const = default;
};

namespace msg {
inline const QString kFileInvalid = QStringLiteral("文件无效或者文件不存在");
inline const QString kTaskUnreadable = QStringLiteral("文件无法正常打开");
inline const QString kSaveOk = QStringLiteral("文件保存成功");
inline const QString kSaveFailed = QStringLiteral("文件保存失败");
inline const QString kFileMissing = QStringLiteral("指定的文件不存在：");
inline const QString kFileErrorTitle = QStringLiteral("文件错误");
inline const QString kUnsupportedFormat = QStringLiteral("不支持的文件格式！");
inline const QString kNoCode = QStringLiteral("文件未打开，请打开后再试");
// A file that opened but gives the chip nothing: a HEX file with only its end record, a task
// without code.
inline const QString kNoProgramData = QStringLiteral("文件中没有程序数据");
// A .hex file without a single valid record: a text, an ELF file or random bytes.
inline const QString kNotHexFile = QStringLiteral("文件中没有一条有效的 HEX 记录，不是 HEX 文件");
// The file exists but the system refuses to read it.
inline const QString kFileUnreadable = QStringLiteral("文件无法读取，请检查文件的读取权限");
// Larger (or, for HEX, reaching further) than any code image can be.
inline const QString kFileTooLarge = QStringLiteral("文件太大（超过 16 MB），不是单片机的代码文件");
}  // namespace msg

}  // namespace korvan
