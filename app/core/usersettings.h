// The user settings of the main window as plain data: what Config.ini, a configuration file
// (.mcu) and the settings part of a download task (.mcp) hold. The windows bind their
// controls to this model; korvan-cli uses it as it is.
#pragma once

#include "core/inidocument.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace korvan {

struct UserSettings {
    // [UserSet]
    int Mcu = 1;                   // series index ("MCU")
    bool UseResetCommand = false;  // "UserDown": send the soft-start command first
    bool AutoData = true;          // "AutoData": reload the buffer before each download
    bool AutoType = true;          // "AutoType": follow the series the chip reports
    bool AutoDown = false;         // "AutoDown": download when the code file changes
    // [AddData]: the automatic increment
    bool IncOpen = false;                      // "Open"
    quint16 IncAddress = 0xFFFC;               // "Add", 4 hexadecimal digits
    qint64 IncNext = 1;                        // "Data": the next serial number N
    QString IncFormat = QStringLiteral("%N");  // "Format", a data text
    // "Pool": the pool a shared record hands the numbers from; "" = the task's file name
    QString IncPool;
    // [Comm]: the terminal
    bool TermHex = true;      // "Hex"
    bool TermCrlf = true;     // "Crlf" (written "CrLf")
    qint64 TermTimer = 1000;  // "Timer", auto-send period in ms
    QString TermSend;         // "Send"
    // [UserDown]: soft start and the action after a download
    QString Rest = QStringLiteral(";9600,N,8,1");  // reset command + ";" + port settings
    bool RunAfter = false;                         // "Run"
    int RunDelayIndex = 0;                         // "Timer", index into the delay list
    QString RunProgram = QStringLiteral("APP");    // "Exe"
    QString RunParameters;                         // "Cmd"
    // [Option]: the option values of series Mcu as stored ("v0,v1,..."), empty for none.
    QString OptionValues;

    bool operator==(const UserSettings&) const = default;
};

// Reads the sections in their order into `into`; a check box whose stored number is neither
// 0 nor 1 keeps its previous state. With `seriesCount` > 0, an index not below it becomes 0.
void LoadUserSettings(const IniDocument& doc, UserSettings& into, int seriesCount = 0);

// Writes the sections in their order. `codeFile` is written as "UserFile", with the folder of
// `settingsFile` (the file being written) as "%AppPath%". The option values are written only
// when not empty.
void SaveUserSettings(IniDocument& doc, const UserSettings& settings, const QString& codeFile,
                      const QString& settingsFile);

// Key "UserFile" of [UserSet], "%AppPath%" (exact letter case) replaced by `folder`.
QString ReadUserFile(const IniDocument& doc, const QString& folder);

// Option values of a series: the entries of [Option] key `series` ("" when absent).
QString ReadOptionValues(const IniDocument& doc, int series);
void WriteOptionValues(IniDocument& doc, int series, const QString& values);

// Stored option values fitted to `count` options: a shorter list leaves the rest empty
// (nothing), a longer one is cut; empty entries mean "leave the option as it is".
std::vector<std::optional<int>> FitOptionValues(const QString& values, int count);

// The delay list of the action after a download, in milliseconds.
const std::vector<int>& RunDelays();

// The soft-start command and its port settings, split at the last ";".
struct ResetCommand {
    QString Command;
    QString PortSettings;  // as "9600,N,8,1"
};
ResetCommand SplitRest(const QString& rest);

// A program the settings would start after a download: "Exe" (plus " " + "Cmd") when "Run"
// is on and "Exe" names neither of the built-in actions "APP" and "SEND"; else empty.
QString ProgramToRun(const UserSettings& settings);

}  // namespace korvan
