// The colour-adjustment pass over one window: every panel, frame, tab strip, button and
// progress bar that belongs to the window itself receives AdjustRGB once. The buttons inside a tab
// strip are the strip's own business, so that no colour is tinted twice.
#pragma once

class QWidget;

namespace kui {

void AdjustControls(QWidget* window, double red, double green, double blue);

}  // namespace kui
