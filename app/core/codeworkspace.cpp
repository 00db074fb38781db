#include "core/codeworkspace.h"

#include "core/binreader.h"
#include "core/codefile.h"
#include "core/hexreader.h"
#include "core/increment.h"
#include "core/serialwriteback.h"
#include "core/taskfile.h"

#include <QFile>
#include <QFileInfo>
#include <utility>

namespace korvan {
namespace {

qint64 ModifiedSeconds(const QString& path) {
    return QFileInfo(path).lastModified().toSecsSinceEpoch();
}

QString FolderOf(const QString& file) {
    return QFileInfo(file).absolutePath() + '/';
}

}  // namespace

CodeWorkspace::CodeWorkspace(AppPaths paths)
    : paths_(std::move(paths)), settingsFile_(paths_.configFile()) {}

void CodeWorkspace::LoadHistory() {
    history_ = History::load(paths_.configFile());
}

void CodeWorkspace::clearBuffer() {
    buffer_.clear();
    sum_ = 0;
    badRecords_ = 0;
}

bool CodeWorkspace::isConfigIni(const QString& file) const {
    const QFileInfo a(file), b(paths_.configFile());
    if (a.exists() && b.exists()) return a.canonicalFilePath() == b.canonicalFilePath();
    return a.absoluteFilePath() == b.absoluteFilePath();
}

void CodeWorkspace::applySettings(const IniDocument& doc, const QString& source,
                                  OpenResult& result) {
    settingsLoaded_ = false;
    settings_.update([&](UserSettings& s) { korvan::LoadUserSettings(doc, s, seriesCount_); });
    settingsLoaded_ = true;
    result.SettingsApplied = true;
    if (isConfigIni(source)) return;
    const QString program = ProgramToRun(settings_.value());
    if (program.isEmpty() || approvedPrograms_.contains(program)) return;
    untrustedPrograms_.insert(program);
    result.ProgramToConfirm = program;
}

OpenResult CodeWorkspace::LoadUserSettings(const QString& file) {
    OpenResult result;
    const QString source = file.isEmpty() ? settingsFile_ : file;
    applySettings(IniDocument::load(source), source, result);
    result.Ok = true;
    return result;
}

bool CodeWorkspace::SaveUserSettings(const QString& file) {
    const QString target = file.isEmpty() ? settingsFile_ : file;
    saveError_ = {ktext::FileError::WriteFailed, 0, target};
    // A packed task is never written key by key: that would turn it into plain text.
    if (FileTypeOf(target) == CodeFileType::Mcp) return false;
    auto doc = IniDocument::loadForUpdate(target, &saveError_);
    if (!doc) return false;
    UserSettings settings = settings_.value();
    // The option values of an open task are read from it but never written elsewhere.
    if (taskMode_) settings.OptionValues.clear();
    korvan::SaveUserSettings(*doc, settings, shownFile_, target);
    return doc->save(target, &saveError_);
}

std::optional<UserMessage> CodeWorkspace::saveFailure() const {
    if (!saveError_.failed()) return std::nullopt;
    return UserMessage{msg::SaveFailedText(saveError_), 12, {}};
}

void CodeWorkspace::SetTaskMode(bool on) {
    taskMode_ = on;
    if (!on) return;
    settings_.update([](UserSettings& s) {
        s.AutoData = false;
        s.AutoType = false;
        s.AutoDown = false;
    });
    openDefaultEnabled_ = true;
}

OpenResult CodeWorkspace::OpenCodeFile(const QString& path, bool keepSettings) {
    switch (FileTypeOf(path)) {
        case CodeFileType::Hex:
        case CodeFileType::Bin:
            return openCode(path, keepSettings);
        case CodeFileType::Mcp:
            return openTask(path);
        case CodeFileType::Mcu:
            return openConfiguration(path);
        case CodeFileType::Unsupported:
            break;
    }
    return {};
}

OpenResult CodeWorkspace::openCode(const QString& path, bool keepSettings) {
    OpenResult result;
    LoadError error = LoadError::None;
    auto image = FileTypeOf(path) == CodeFileType::Hex ? ReadIntelHexFile(path, &error)
                                                       : ReadBinaryFile(path, &error);
    if (!image) {
        // A file that cannot be loaded changes nothing: the buffer, its name and the boxes
        // stay as they were, so that the next download cannot quietly take another file. Only
        // at start-up, with nothing read yet, do the settings still come from their file.
        if (!keepSettings && !settingsLoaded_)
            applySettings(IniDocument::load(settingsFile_), settingsFile_, result);
        if (const std::optional<QString> text = LoadErrorText(error))
            result.Message = UserMessage{*text, 12, {}};
        return result;
    }
    codeFile_ = path;
    if (!keepSettings) {
        applySettings(IniDocument::load(settingsFile_), settingsFile_, result);
        SetTaskMode(false);
        captionFile_.clear();
        openDefaultEnabled_ = saveDefaultEnabled_ = false;
    }
    codeFileTime_ = ModifiedSeconds(path);
    buffer_ = std::move(image->Bytes);
    sum_ = image->Sum;
    badRecords_ = image->BadRecords;
    shownFile_ = codeFile_;
    result.Ok = result.BufferChanged = result.CodeLoaded = true;
    result.BadRecords = badRecords_;
    return result;
}

QString CodeWorkspace::caption() const {
    if (captionFile_.isEmpty()) return kTitle;
    // Built when asked, so that a task's caption follows a change of language.
    const QString file = kTitle + QStringLiteral(" - [") + FileTitle(captionFile_);
    return captionIsTask_ ? file + KORVAN_TR("korvan", "] - 任务") : file + u']';
}

OpenResult CodeWorkspace::openTask(const QString& path) {
    OpenResult result;
    auto unpacked = UnpackTask(path, paths_.TempPath);
    if (!unpacked) {
        if (settingsLoaded_) {
            result.Message = UserMessage{msg::kTaskUnreadable, 12, {}};
        } else {
            applySettings(IniDocument::load(settingsFile_), settingsFile_, result);
        }
        return result;
    }
    taskModified_ = false;
    settingsFile_ = path;
    codeFile_ = path;
    captionFile_ = path;
    captionIsTask_ = true;
    applySettings(unpacked->Task.Settings, path, result);
    QFile::remove(unpacked->TempFile);
    SetTaskMode(true);
    buffer_ = std::move(unpacked->Task.Code);
    sum_ = SumOf(buffer_);
    badRecords_ = 0;
    shownFile_ = codeFile_;
    result.Ok = result.BufferChanged = true;
    return result;
}

OpenResult CodeWorkspace::openConfiguration(const QString& path) {
    OpenResult result;
    clearBuffer();
    settingsFile_ = path;
    const IniDocument doc = IniDocument::load(path);
    applySettings(doc, path, result);
    SetTaskMode(false);
    openDefaultEnabled_ = saveDefaultEnabled_ = true;
    captionFile_ = path;
    captionIsTask_ = false;
    const QString code = ReadUserFile(doc, FolderOf(path));
    codeFile_ = code;
    result.BufferChanged = true;
    // A configuration names a code file (or a task); it never leads to another configuration.
    if (FileUsable(code) && FileTypeOf(code) != CodeFileType::Mcu) {
        OpenResult inner = OpenCodeFile(code, true);
        // The configuration's own file is what a refresh and the next download look for,
        // even when it could not be read just now.
        if (!inner.Ok) shownFile_ = code;
        inner.SettingsApplied = true;
        inner.BufferChanged = true;
        if (inner.ProgramToConfirm.isEmpty()) inner.ProgramToConfirm = result.ProgramToConfirm;
        return inner;
    }
    shownFile_.clear();
    result.Ok = true;
    return result;
}

bool CodeWorkspace::SaveSettingsFile(const QString& path) {
    IniDocument doc;
    // Option values go with the file even from an open task, so that a repacked task keeps
    // them.
    korvan::SaveUserSettings(doc, settings_.value(), shownFile_, path);
    if (FileTypeOf(path) != CodeFileType::Mcp) return doc.save(path, &saveError_);
    return WriteTaskFile(path, doc, buffer_, paths_.TempPath, &saveError_);
}

std::optional<UserMessage> CodeWorkspace::CheckCodeLoaded() const {
    if (!FileUsable(codeFile_) || buffer_.empty()) return UserMessage{msg::kNoCode, 11, {}};
    return std::nullopt;
}

bool CodeWorkspace::AdvanceSerialNumber() {
    if (!settings().IncOpen) return true;
    taskModified_ = true;
    settings_.update([](UserSettings& s) { s.IncNext = NextSerialNumber(s.IncNext); });
    // Only the number is written, into the file as it is on disk now: a task keeps its code
    // and whatever else it holds.
    return WriteBackSerialNumber(settingsFile_, settings().IncNext, paths_.TempPath, &saveError_);
}

bool CodeWorkspace::PollCodeFileChange() {
    const CodeFileType type = FileTypeOf(codeFile_);
    if (taskMode_ || !FileUsable(codeFile_) ||
        (type != CodeFileType::Hex && type != CodeFileType::Bin))
        return false;
    const qint64 time = ModifiedSeconds(codeFile_);
    if (time == codeFileTime_) return false;
    codeFileTime_ = time;
    return true;
}

bool CodeWorkspace::runNeedsConsent() const {
    const QString program = ProgramToRun(settings_.value());
    return !program.isEmpty() && untrustedPrograms_.contains(program);
}

void CodeWorkspace::approveRun() {
    const QString program = ProgramToRun(settings_.value());
    if (program.isEmpty()) return;
    untrustedPrograms_.remove(program);
    approvedPrograms_.insert(program);
}

void CodeWorkspace::PatchCode(qsizetype address, const CodeBuffer& bytes) {
    if (address < 0) return;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const size_t at = static_cast<size_t>(address) + i;
        if (at >= buffer_.size()) break;
        buffer_[at] = bytes[i];
    }
    sum_ = SumOf(buffer_);
}

}  // namespace korvan
