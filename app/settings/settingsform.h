// The state of the settings dialog as plain data, and the rules that turn Config.ini's values
// into it and back: what is shown on opening, how the free-text boxes are tidied when the user
// leaves them, and what OK stores. The dialog only copies this to and from its controls.
#pragma once

#include "core/programconfig.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace korvan {

struct SettingsForm {
    // general
    bool OpenLast = false;
    bool AutoClose = false;
    bool Count = false;
    QString ReCount;  // the number box as typed
    bool OpenRts = false;
    QString MaxBaud;  // the baud combo's text
    QString ErrTim;   // the seconds combo's text, normally "<n> 秒"
    bool IdeTool = false;
    QString Database;  // [Production] Database, as typed
    // sounds
    bool SoundOpen = false;
    std::array<QString, 3> Sounds;
    // file association, one entry per code-file type
    std::vector<bool> Associated;
    // theme colours
    bool ColorOpen = false;
    std::array<int, 3> Percent{};  // red, green, blue

    bool operator==(const SettingsForm&) const = default;
};

inline constexpr int kPercentMin = -100;
// What a MaxBaud of 0 (no limit) means: the highest rate offered.
inline constexpr qint32 kHighestBaud = 115200;
inline constexpr int kPercentMax = 100;

// The entries of the two combos.
const QStringList& BaudChoices();
const QStringList& SecondsChoices();  // each with the " 秒" suffix

// What the dialog shows on opening.
SettingsForm LoadSettingsForm(const ProgramConfig& config, bool ideTool,
                              const std::vector<bool>& associated);

// The seconds combo after leaving it: its numeric value followed by " 秒".
QString NormaliseSeconds(const QString& text);
// The number box after leaving it: its numeric value, and "1" for anything below 1.
QString NormaliseRepeatCount(const QString& text);
// A slider's label and tooltip: the percentage as a factor with two decimals.
QString PercentLabel(int percent);
// The adjustment previewed on the dialog: the sliders while the colour switch is on, else none.
std::array<int, 3> PreviewPercent(const SettingsForm& form);

// The database box at OK: why its text cannot be used, read as the record reads it; nothing
// when it can, and for an empty box (the local record).
std::optional<QString> DatabaseProblem(const QString& text);

// `config` with everything OK stores taken from the form. The counter, the port and the other
// values the dialog does not show are kept.
ProgramConfig ApplySettingsForm(const SettingsForm& form, const ProgramConfig& config);

}  // namespace korvan
