// The look of a window: the skin engine's chosen skin when there is one, else the skin frame's
// built-in picture (0 or 1) with the matching colours for its controls; then the colour
// adjustment when it is on.
#pragma once

class QWidget;

namespace kui {
class Skin;
class SkinEngine;
}  // namespace kui

namespace korvan {

struct ProgramConfig;

void ApplyWindowSkin(QWidget* window, kui::Skin* skin, int skinNumber, const ProgramConfig& config);
// With the skin and the settings of this process.
void ApplyWindowSkin(QWidget* window, kui::Skin* skin);

}  // namespace korvan
