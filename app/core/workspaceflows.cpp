// The file commands of the main window on top of CodeWorkspace's primitives.
#include "core/codefile.h"
#include "core/codeworkspace.h"
#include "core/serialwriteback.h"

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
    const QString before = caption_;
    result = OpenCodeFile(path, true);
    if (result.Ok && (caption_ != before || before == kTitle))
        history_.add(HistoryKind::Files, path, paths_.configFile());
    return result;
}

OpenResult CodeWorkspace::OpenHistoryEntry(const QString& entry) {
    if (!taskMode_) SaveUserSettings(settingsFile_);
    if (IsCodeType(entry)) {
        settingsFile_ = paths_.configFile();
        openDefaultEnabled_ = saveDefaultEnabled_ = false;
    }
    OpenResult result = OpenCodeFile(entry, false);
    if (result.Ok) history_.add(HistoryKind::Files, entry, paths_.configFile());
    return result;
}

OpenResult CodeWorkspace::OpenDefaultFile() {
    if (!taskMode_) SaveUserSettings(settingsFile_);
    caption_ = kTitle;
    settingsFile_ = paths_.configFile();
    openDefaultEnabled_ = saveDefaultEnabled_ = false;
    codeFile_ = ReadUserFile(IniDocument::load(paths_.configFile()), paths_.AppPath);
    if (FileTypeOf(codeFile_) == CodeFileType::Unsupported) {
        // No usable default: still leave a task behind, as a missing code file would, so that
        // the task's settings are never written over Config.ini at exit.
        OpenResult result;
        clearBuffer();
        applySettings(IniDocument::load(settingsFile_), settingsFile_, result);
        SetTaskMode(false);
        return result;
    }
    OpenResult result = OpenCodeFile(codeFile_, false);
    if (result.Ok) history_.add(HistoryKind::Files, codeFile_, paths_.configFile());
    return result;
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
        return WriteBackSerialNumber(settingsFile_, settings_.IncNext, paths_.TempPath,
                                     &saveError_);
    return true;
}

}  // namespace korvan
