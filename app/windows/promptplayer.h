// Prompt sounds: "0", "1" and "2" name the configured sounds, anything else a sound file.
// Nothing plays while prompt sounds are off; a missing sound device or file is silent.
#pragma once

#include <QString>

namespace korvan {

struct ProgramConfig;

// Plays without waiting, unless `waitFlag` is set and the program closes after a download
// (AutoClose): then it returns once the sound has ended.
void PlayPrompt(const ProgramConfig& config, const QString& sound, bool waitFlag = false);
// With the settings of this process.
void PlayPrompt(const QString& sound, bool waitFlag = false);

}  // namespace korvan
