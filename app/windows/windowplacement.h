// Where a window stands and whether it stays above the others.
#pragma once

class QWidget;

namespace korvan {

// Centres `window` over `anchor`, or on the screen when `anchor` is missing or hidden; it is
// kept inside the screen's available area.
void CenterOver(QWidget* window, const QWidget* anchor);

// Keeps the window above all others, or stops that, without moving or sizing it.
void SetTopMost(QWidget* window, bool topMost);

}  // namespace korvan
