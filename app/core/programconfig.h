// The program settings of Config.ini: sections "Config", "Sound" and "Color", with the rules
// that keep each value in its range when it is read.
#pragma once

#include "core/apppaths.h"
// The i18n library's language.h (this folder has a language.h of its own, for Lang.ini).
#include "translations.h"

#include <QString>
#include <array>

namespace korvan {

// Default-constructed, every field is false or 0: the state before the first load. A
// Boolean whose stored text is neither "True"/"False" nor a number keeps its previous value.
// The fastest line rate the settings offer; a larger MaxBaud is read as this one.
inline constexpr qint32 kFastestMaxBaud = 921600;

struct ProgramConfig {
    // [Config]
    bool SetTop = false;
    int ComPort = 0;       // absolute value; 0 (and anything beyond 16 bits) becomes 1
    qint32 DownCount = 0;  // absolute value
    qint32 MaxBaud = 0;    // absolute value, at most kFastestMaxBaud
    qint32 ErrTim = 0;     // absolute value, at least 5
    bool OpenRts = false;
    // "ResetSeq": the reset sequence played while the chip is awaited (a preset name or steps,
    // as the user wrote it); "" = none, which is also what a text that does not parse becomes.
    QString ResetSeq;
    // "Language": "en" or "zh"; anything else, or nothing, is Chinese.
    i18n::Language Language = i18n::Language::Chinese;
    bool OpenLast = false;
    bool Count = false;
    bool AutoClose = false;
    qint32 ReCount = 0;  // 0 or less becomes 1
    // [Sound]
    bool SoundOpen = false;
    std::array<QString, 3> Sounds;  // Msg0..Msg2, "%AppPath%" expanded
    // [Color]
    bool ColorOpen = false;
    qint32 Red = 0, Green = 0, Blue = 0;  // percent
    // [Production]: the record of every job that reached a chip
    bool Record = false;  // "Record", on unless set to 0
    QString Database;     // "Database": a postgresql:// text; "" = the local SQLite file
    QString Station;      // "Station": the name in the record; "" = the host name

    bool operator==(const ProgramConfig&) const = default;
};

// Reads the three sections from Config.ini of `paths`, starting from `previous`. A sound the
// user never chose (no key Msg0..2) is the one that ships with KORVAN, when it is there.
ProgramConfig LoadConfig(const AppPaths& paths, const ProgramConfig& previous = {});
// The same with the shipped sounds (ok.wav, done.wav, error.wav) taken from `soundFolder`.
ProgramConfig LoadConfig(const AppPaths& paths, const ProgramConfig& previous,
                         const QString& soundFolder);

// Where the sounds that ship with KORVAN are: share/korvan/sounds/ beside the executable's
// folder, as in the installed tree and in the build tree; ends in "/".
QString ShippedSoundFolder();

// Writes what the settings dialog changes, in its order: [Config] OpenRts, OpenLast, ErrTim,
// MaxBaud, AutoClose, Count, ReCount, [Sound] Open and Msg0..2 (the application folder as
// "%AppPath%"), [Color] Open, Red, Green, Blue, [Production] Database. One atomic replacement
// of the file.
bool SaveConfig(const AppPaths& paths, const ProgramConfig& config);

// Writes [Config] ResetSeq alone, as the custom download page changes it.
bool SaveResetSequence(const AppPaths& paths, const QString& text);

// Writes [Config] Language alone, as the View menu changes it.
bool SaveLanguage(const AppPaths& paths, i18n::Language language);

}  // namespace korvan
