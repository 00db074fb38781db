// The file commands of the main window on top of CodeWorkspace's primitives.
#include "core/codefile.h"
#include "core/codeworkspace.h"
#include "core/hexreader.h"
#include "core/inifile.h"
#include "core/serialwriteback.h"
#include "core/usersettings.h"

#include <QFileInfo>

namespace korvan {
namespace {

bool IsCodeType(const QString& path) {
    const CodeFileType type = FileTypeOf(path);
    return type == CodeFileType::Hex || type == CodeFileType::Bin;
}

}  // namespace

OpenResult CodeWorkspace::OpenFromDialog(const QString& path) {
    OpenResult result;
    if (!FileUsable(path)) {
        result.Message = UserMessage{msg::kFileInvalid, 12, {}};
        return result;
    }
    // A task carries its own code; a code file cannot replace it.
    if (IsCodeType(path) && taskMode_) return result;
    if (!IsCodeType(path) && !taskMode_) SaveUserSettings(settingsFile_);
    const QString before = caption();
    result = OpenCodeFile(path, true);
    if (result.Ok && (caption() != before || before == kTitle))
        history_.add(HistoryKind::Files, path, paths_.configFile());
    return result;
}

OpenResult CodeWorkspace::OpenHistoryEntry(const QString& entry) {
    if (!taskMode_) SaveUserSettings(settingsFile_);
    const Place before = place();
    if (IsCodeType(entry)) {
        settingsFile_ = paths_.configFile();
        openDefaultEnabled_ = saveDefaultEnabled_ = false;
    }
    OpenResult result = OpenCodeFile(entry, false);
    if (result.Ok)
        history_.add(HistoryKind::Files, entry, paths_.configFile());
    else if (IsCodeType(entry))
        restore(before);
    return result;
}

OpenResult CodeWorkspace::OpenDefaultFile() {
    if (!taskMode_) SaveUserSettings(settingsFile_);
    const Place before = place();
    captionFile_.clear();
    settingsFile_ = paths_.configFile();
    openDefaultEnabled_ = saveDefaultEnabled_ = false;
    const QString code = ReadUserFile(IniDocument::load(paths_.configFile()), paths_.AppPath);
    if (FileTypeOf(code) == CodeFileType::Unsupported) {
        codeFile_ = code;
        // No usable default: still leave a task behind, as a missing code file would, so that
        // the task's settings are never written over Config.ini at exit.
        OpenResult result;
        clearBuffer();
        applySettings(IniDocument::load(settingsFile_), settingsFile_, result);
        SetTaskMode(false);
        return result;
    }
    OpenResult result = OpenCodeFile(code, false);
    if (result.Ok)
        history_.add(HistoryKind::Files, code, paths_.configFile());
    else if (IsCodeType(code))
        restore(before);  // what was shown stays, with the file it came from
    return result;
}

std::optional<UserMessage> CodeWorkspace::CodeFileWarning(const QString& path) const {
    QString code = path;
    if (FileTypeOf(path) == CodeFileType::Mcu)
        code = ReadUserFile(IniDocument::load(path), QFileInfo(path).absolutePath() + '/');
    if (FileTypeOf(code) != CodeFileType::Hex || !FileUsable(code)) return std::nullopt;
    const std::optional<CodeImage> image = ReadIntelHexFile(code);
    if (!image) return std::nullopt;  // not loadable at all: the open says why
    QStringList lines;
    if (image->BadRecords > 0) lines << msg::BadHexRecords(image->BadRecords, image->FirstBadLine);
    if (!image->EndRecordSeen) lines << msg::kNoHexEndRecord;
    if (lines.isEmpty()) return std::nullopt;
    lines << msg::kOpenAnyway;
    return UserMessage{lines.join(QStringLiteral("\r\n")), 21, {}};
}

CodeWorkspace::Place CodeWorkspace::place() const {
    return Place{settingsFile_, captionFile_, captionIsTask_, openDefaultEnabled_,
                 saveDefaultEnabled_};
}

void CodeWorkspace::restore(const Place& place) {
    settingsFile_ = place.SettingsFile;
    captionFile_ = place.CaptionFile;
    captionIsTask_ = place.CaptionIsTask;
    openDefaultEnabled_ = place.OpenDefaultEnabled;
    saveDefaultEnabled_ = place.SaveDefaultEnabled;
}

bool CodeWorkspace::SaveAsDefault() {
    return SaveUserSettings(paths_.configFile());
}

UserMessage CodeWorkspace::SaveAs(const QString& path) {
    if (SaveSettingsFile(path)) return UserMessage{msg::kSaveOk, 10, {}};
    return UserMessage{msg::kSaveFailed, 12, {}};
}

OpenResult CodeWorkspace::RefreshBuffer() {
    if (FileUsable(shownFile_)) return OpenCodeFile(shownFile_, true);
    OpenResult result;
    if (!shownFile_.isEmpty()) {
        result.Message = UserMessage{msg::kFileMissing + QStringLiteral("\r\n") + shownFile_, 12,
                                     msg::kFileErrorTitle};
    } else {
        result.NoFile = true;
    }
    return result;
}

bool CodeWorkspace::SaveOnExit() {
    if (!taskMode_) return SaveUserSettings(settingsFile_);
    // Only the serial number changes in a task, so only it goes back, into the task as it is
    // on disk now.
    if (taskModified_ && FileTypeOf(settingsFile_) == CodeFileType::Mcp)
        return WriteBackSerialNumber(settingsFile_, settings().IncNext, paths_.TempPath,
                                     &saveError_);
    return true;
}

}  // namespace korvan
