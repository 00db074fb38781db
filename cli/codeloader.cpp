#include "codeloader.h"

#include "core/binreader.h"
#include "core/codefile.h"
#include "core/hexreader.h"
#include "core/inidocument.h"
#include "core/messages.h"
#include "core/taskfile.h"
#include "core/usersettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace korvan::cli {

namespace {

LoadOutcome Failed(const QString& why) {
    return LoadOutcome{std::nullopt, why};
}

LoadOutcome FromImage(std::optional<CodeImage> image, LoadError error, const QString& path) {
    if (!image) {
        if (error == LoadError::TooLarge)
            return Failed(QStringLiteral("%1：%2（大于 16 MB）").arg(msg::kFileInvalid, path));
        return Failed(QStringLiteral("%1：%2").arg(msg::kFileInvalid, path));
    }
    return LoadOutcome{LoadedCode{std::move(image->Bytes), image->BadRecords, path}, {}};
}

LoadOutcome LoadTask(const QString& path, const QString& tempFolder) {
    auto unpacked = UnpackTask(path, tempFolder);
    if (!unpacked) return Failed(QStringLiteral("%1：%2").arg(msg::kTaskUnreadable, path));
    QFile::remove(unpacked->TempFile);
    return LoadOutcome{LoadedCode{std::move(unpacked->Task.Code), 0, path}, {}};
}

LoadOutcome LoadByType(const QString& path, const QString& tempFolder, bool allowConfiguration);

// A configuration names its code file; a relative name is taken from the configuration's
// folder, as "%AppPath%" is.
LoadOutcome LoadConfiguration(const QString& path, const QString& tempFolder) {
    const QString folder = QFileInfo(path).absolutePath() + '/';
    QString code = ReadUserFile(IniDocument::load(path), folder);
    if (code.isEmpty())
        return Failed(QStringLiteral("配置文件没有指定代码文件（UserFile）：%1").arg(path));
    if (QFileInfo(code).isRelative()) code = QDir(folder).filePath(code);
    return LoadByType(code, tempFolder, false);
}

LoadOutcome LoadByType(const QString& path, const QString& tempFolder, bool allowConfiguration) {
    if (!QFileInfo::exists(path)) return Failed(msg::kFileMissing + path);
    if (!FileUsable(path)) return Failed(QStringLiteral("%1：%2").arg(msg::kFileInvalid, path));
    LoadError error = LoadError::None;
    switch (FileTypeOf(path)) {
        case CodeFileType::Hex: {
            auto image = ReadIntelHexFile(path, &error);
            return FromImage(std::move(image), error, path);
        }
        case CodeFileType::Bin: {
            auto image = ReadBinaryFile(path, &error);
            return FromImage(std::move(image), error, path);
        }
        case CodeFileType::Mcp:
            return LoadTask(path, tempFolder);
        case CodeFileType::Mcu:
            if (allowConfiguration) return LoadConfiguration(path, tempFolder);
            break;
        case CodeFileType::Unsupported:
            break;
    }
    return Failed(QStringLiteral("%1 %2").arg(msg::kUnsupportedFormat, path));
}

}  // namespace

LoadOutcome LoadCodeFile(const QString& path, const QString& tempFolder) {
    LoadOutcome outcome = LoadByType(path, tempFolder, true);
    if (outcome.code && outcome.code->bytes.empty())
        return Failed(QStringLiteral("%1：%2").arg(msg::kNoCode, outcome.code->source));
    return outcome;
}

}  // namespace korvan::cli
