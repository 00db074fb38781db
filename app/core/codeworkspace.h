// The code buffer and the files behind it, without windows: which code file is loaded, which
// file receives the user settings, whether a download task is open, and the file commands
// of the main window. The windows show this state and hand back what the user changed;
// korvan-cli drives it directly. Messages come back as values for the caller to show.
#pragma once

#include "core/apppaths.h"
#include "core/codeimage.h"
#include "core/history.h"
#include "core/messages.h"
#include "core/settingsowner.h"
#include "core/usersettings.h"

#include <QSet>
#include <QString>
#include <optional>

namespace korvan {

struct OpenResult {
    bool Ok = false;
    std::optional<UserMessage> Message;
    bool SettingsApplied = false;  // the user settings were read anew: rebind the controls
    bool BufferChanged = false;    // buffer and file name changed: redraw grid and boxes
    bool CodeLoaded = false;       // a HEX or BIN file was read: the file watcher may run
    bool NoFile = false;           // refresh without any file name (the "/u" mode closes)
    qsizetype BadRecords = 0;      // damaged HEX records (loaded all the same)
    // Settings from a file other than Config.ini that start a program after each download.
    // The caller asks the user once (see runNeedsConsent) before that program runs.
    QString ProgramToConfirm;
};

class CodeWorkspace {
  public:
    static inline const QString kTitle = QStringLiteral("KORVAN");

    explicit CodeWorkspace(AppPaths paths);

    const AppPaths& paths() const { return paths_; }
    const CodeBuffer& codeBuffer() const { return buffer_; }
    uint32_t sum() const { return sum_; }
    QString sumText() const { return SumText(sum_); }
    qsizetype badRecords() const { return badRecords_; }
    const QString& codeFile() const { return codeFile_; }
    qint64 codeFileTime() const { return codeFileTime_; }  // seconds since the epoch
    // The file name box; the user may type another name into it.
    const QString& shownFile() const { return shownFile_; }
    void setShownFile(const QString& path) { shownFile_ = path; }
    const QString& settingsFile() const { return settingsFile_; }
    bool taskMode() const { return taskMode_; }
    bool taskModified() const { return taskModified_; }
    bool settingsLoaded() const { return settingsLoaded_; }
    QString caption() const;
    bool openDefaultEnabled() const { return openDefaultEnabled_; }
    bool saveDefaultEnabled() const { return saveDefaultEnabled_; }
    const UserSettings& settings() const { return settings_.value(); }
    // The owner of the user settings: every change goes through it and is announced.
    UserSettingsOwner& settingsOwner() { return settings_; }
    template <class Change>
    void updateSettings(Change&& change) {
        settings_.update(std::forward<Change>(change));
    }
    const History& history() const { return history_; }
    // Reads both history lists from Config.ini.
    void LoadHistory();
    // The number of series the ISP control offers; a stored index beyond it selects 0.
    void setSeriesCount(int count) { seriesCount_ = count; }

    // Opens a code file (HEX, BIN), configuration (.mcu) or download task (.mcp). With
    // `keepSettings` a HEX or BIN file replaces only the code.
    OpenResult OpenCodeFile(const QString& path, bool keepSettings);
    // Writes a .mcu (settings) or .mcp (settings and code, packed); an existing file is
    // replaced atomically or left as it was. Every save that fails says why in saveFailure().
    bool SaveSettingsFile(const QString& path);
    void SetTaskMode(bool on);
    // An empty name means the current settings file.
    OpenResult LoadUserSettings(const QString& file = {});
    bool SaveUserSettings(const QString& file = {});

    // The file commands of the main window (the caller ignores them while a job runs).
    OpenResult OpenFromDialog(const QString& path);
    OpenResult OpenHistoryEntry(const QString& entry);
    OpenResult OpenDefaultFile();
    bool SaveAsDefault();
    UserMessage SaveAs(const QString& path);
    OpenResult RefreshBuffer();
    // At exit: the settings back into their file, or a task's new serial number into it.
    bool SaveOnExit();
    // Why the last save failed (the file and the cause), to show; nothing after a good save.
    std::optional<UserMessage> saveFailure() const;

    // Before a HEX file (or the HEX file a configuration names) is opened: the question to ask
    // when its records have wrong checksums or its end record is missing. It loads all the
    // same; the user decides whether to go on. Nothing for a sound file or another type.
    std::optional<UserMessage> CodeFileWarning(const QString& path) const;

    // Before a download: the message when there is no code to download.
    std::optional<UserMessage> CheckCodeLoaded() const;
    // A row changed in the data grid: bytes copied from `address` on, those beyond the end
    // dropped (the buffer never grows by editing); the sum follows.
    void PatchCode(qsizetype address, const CodeBuffer& bytes);
    // After a successful download with the increment on: the next serial number, kept at once
    // in the settings file, or in the open task, so that no later run, crash or unattended end
    // gives a number twice. False when the file could not keep it (see saveFailure()).
    bool AdvanceSerialNumber();
    // The file watcher: true once when the loaded HEX or BIN file's time changed.
    bool PollCodeFileChange();

    // Whether the program the settings would run came from a file other than Config.ini and
    // the user has not agreed to it yet; approveRun records the agreement.
    bool runNeedsConsent() const;
    void approveRun();

  private:
    // Where the settings go and what the window says about it; a failed open puts it back.
    struct Place {
        QString SettingsFile;
        QString CaptionFile;
        bool CaptionIsTask = false;
        bool OpenDefaultEnabled = false;
        bool SaveDefaultEnabled = false;
    };
    Place place() const;
    void restore(const Place& place);
    OpenResult openCode(const QString& path, bool keepSettings);
    OpenResult openTask(const QString& path);
    OpenResult openConfiguration(const QString& path);
    void applySettings(const IniDocument& doc, const QString& source, OpenResult& result);
    void clearBuffer();
    bool isConfigIni(const QString& file) const;

    AppPaths paths_;
    CodeBuffer buffer_;
    uint32_t sum_ = 0;
    qsizetype badRecords_ = 0;
    QString codeFile_;
    qint64 codeFileTime_ = 0;
    QString shownFile_;
    QString settingsFile_;
    bool taskMode_ = false;
    bool taskModified_ = false;
    bool settingsLoaded_ = false;
    QString captionFile_;  // the task or configuration the caption names; "" for none
    bool captionIsTask_ = false;
    bool openDefaultEnabled_ = false;
    bool saveDefaultEnabled_ = false;
    int seriesCount_ = 0;
    UserSettingsOwner settings_;
    History history_;
    QSet<QString> untrustedPrograms_;
    ktext::FileError saveError_;
    QSet<QString> approvedPrograms_;
};

}  // namespace korvan
