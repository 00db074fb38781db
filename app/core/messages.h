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
}  // namespace msg

}  // namespace korvan
