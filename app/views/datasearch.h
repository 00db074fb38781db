// Finding text in the data grid and in the terminal's receive box, letter case exact. The
// last hit (0 = none) is a 1-based row of the grid or a 1-based character position in the
// box; each search goes on after it and a search past the end starts over.
#pragma once

#include "views/gridrows.h"

#include <QString>

namespace korvan {

// The 1-based row after `lastHit` whose data text contains `text`, or 0.
qsizetype FindGridRow(const GridRows& rows, qsizetype lastHit, const QString& text);

// The 1-based position of `text` in `box` after character `lastHit`, or 0.
qsizetype FindInText(const QString& box, qsizetype lastHit, const QString& text);

}  // namespace korvan
