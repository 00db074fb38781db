// A skin's colours for every kind of control on a window, as the skin engine hands them over:
// a map from the control kind to the arguments of that control's ChangeColor, in order.
//   "Skin"     title, status text, menu text, menu start, menu end, menu border
//   "Cmd"      border, show border, start, end, hover start, hover end, down start, down end
//   "vTab"     border, page, page end, tab start, tab end, hover start, hover end, down start,
//              down end
//   "Back"     border, show border, start, middle, end, style
//   "Progress" back, border, fill
//   "VsMenu"   menu text, bar start, bar end, border, show gradient
//   "Frame"    border, caption colour
// Colours are colour values (0x00BBGGRR or system colours). Kinds that are missing, or lists
// that are too short, leave those controls as they are.
#pragma once

#include <QVariantMap>

class QWidget;

namespace kui {

// Applies the set to every control inside `window` (the Skin control itself excepted). The
// buttons of a tab strip take their colours from the strip.
void applyColorSet(QWidget* window, const QVariantMap& set);

}  // namespace kui
