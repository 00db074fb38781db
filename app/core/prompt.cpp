#include "core/prompt.h"

namespace korvan {

std::optional<PromptSound> ChoosePrompt(const ProgramConfig& config, const QString& sound,
                                        bool waitFlag) {
    if (!config.SoundOpen) return std::nullopt;
    QString file = sound;
    if (sound == "0" || sound == "1" || sound == "2") file = config.Sounds[sound.toInt()];
    if (file.isEmpty()) return std::nullopt;
    return PromptSound{file, waitFlag && config.AutoClose};
}

}  // namespace korvan
