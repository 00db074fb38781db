// Twips (1/1440 inch), the unit of positions and sizes the skinned controls report to their
// host: 15 twips per pixel at 96 DPI.
#pragma once

class QWidget;

namespace kui {

// Twips per pixel of the screen the widget is on (the primary screen when nullptr).
int twipsPerPixelX(const QWidget* widget = nullptr);
int twipsPerPixelY(const QWidget* widget = nullptr);

inline int pixelsToTwips(int pixels, int twipsPerPixel) {
    return pixels * twipsPerPixel;
}
int twipsToPixels(int twips, int twipsPerPixel);

}  // namespace kui
