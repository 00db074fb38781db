#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace kui {

namespace {

int perPixel(double dpi) {
    if (dpi <= 0) dpi = 96;
    const int t = int(std::lround(1440.0 / dpi));
    return t > 0 ? t : 1;
}

double screenDpi(const QWidget* widget, bool horizontal) {
    if (widget) return horizontal ? widget->logicalDpiX() : widget->logicalDpiY();
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen) return 96;
    return horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
}

}  // namespace

int twipsPerPixelX(const QWidget* widget) {
    return perPixel(screenDpi(widget, true));
}
int twipsPerPixelY(const QWidget* widget) {
    return perPixel(screenDpi(widget, false));
}

int twipsToPixels(int twips, int twipsPerPixel) {
    if (twipsPerPixel <= 0) twipsPerPixel = 15;
    return int(std::lround(double(twips) / twipsPerPixel));
}

}  // namespace kui
