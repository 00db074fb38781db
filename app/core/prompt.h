// Which prompt sound to play and whether to wait for it; the playing belongs to the windows.
#pragma once

#include "core/programconfig.h"

#include <QString>
#include <optional>

namespace korvan {

struct PromptSound {
    QString File;
    bool Wait = false;  // play to the end before going on (KORVAN is about to close)
};

// Nothing when prompt sounds are off or no file is configured. `sound` "0", "1" and "2" name
// the configured sounds (single download, repeated downloads done, error); any other text is
// a file name. A prompt waits only when `waitFlag` is set and AutoClose is on.
std::optional<PromptSound> ChoosePrompt(const ProgramConfig& config, const QString& sound,
                                        bool waitFlag);

}  // namespace korvan
