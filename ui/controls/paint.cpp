#include "paint.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace kui {

namespace {

int lerp(int a, int b, int step, int steps) {
    if (steps <= 0) return a;
    return a + ((b - a) * step * 2 + (b >= a ? steps : -steps)) / (steps * 2);
}

}  // namespace

void fillGradient(QPainter& painter, const QRect& rect, const QColor& first, const QColor& second,
                  bool vertical) {
    if (rect.isEmpty()) return;
    const int lines = vertical ? rect.height() : rect.width();
    const int steps = lines - 1;
    for (int i = 0; i < lines; ++i) {
        const QColor c(lerp(first.red(), second.red(), i, steps),
                       lerp(first.green(), second.green(), i, steps),
                       lerp(first.blue(), second.blue(), i, steps));
        if (vertical)
            painter.fillRect(QRect(rect.left(), rect.top() + i, rect.width(), 1), c);
        else
            painter.fillRect(QRect(rect.left() + i, rect.top(), 1, rect.height()), c);
    }
}

QColor lighten(const QColor& color, int k) {
    const auto up = [k](int c) { return std::min(255, c + (255 - c) * k / 255); };
    return QColor(up(color.red()), up(color.green()), up(color.blue()));
}

QColor mix(const QColor& a, const QColor& b, int weightA) {
    const auto m = [weightA](int x, int y) { return (x * weightA + y * (255 - weightA)) / 255; };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()));
}

namespace {

// Relative luminance of an sRGB colour, 0 to 1.
double Luminance(const QColor& c) {
    const auto channel = [](int value) {
        const double v = value / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(QColor ink, const QColor& face, double ratio) {
    const QColor goal = Luminance(face) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    // Step towards black or white; the end itself has the most contrast there is.
    const QColor start = ink;
    for (int weight = 255; weight >= 0 && contrastRatio(ink, face) < ratio; weight -= 15)
        ink = mix(start, goal, weight);
    return ink;
}

QRegion notchedRegion(const QRect& rect) {
    QRegion region(rect);
    if (rect.width() < 4 || rect.height() < 4) return region;
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    for (const QRect& notch :
         {QRect(l, t, 2, 1), QRect(l, t, 1, 2), QRect(r - 1, t, 2, 1), QRect(r, t, 1, 2),
          QRect(l, b, 2, 1), QRect(l, b - 1, 1, 2), QRect(r - 1, b, 2, 1), QRect(r, b - 1, 1, 2)})
        region -= notch;
    return region;
}

void drawNotchedFrame(QPainter& painter, const QRect& rect, const QColor& color) {
    if (rect.width() < 4 || rect.height() < 4) {
        painter.fillRect(rect, color);
        return;
    }
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    painter.fillRect(QRect(l + 2, t, rect.width() - 4, 1), color);
    painter.fillRect(QRect(l + 2, b, rect.width() - 4, 1), color);
    painter.fillRect(QRect(l, t + 2, 1, rect.height() - 4), color);
    painter.fillRect(QRect(r, t + 2, 1, rect.height() - 4), color);
    // The inner corner pixel rounds the notch off.
    for (const QPoint& p :
         {QPoint(l + 1, t + 1), QPoint(r - 1, t + 1), QPoint(l + 1, b - 1), QPoint(r - 1, b - 1)})
        painter.fillRect(QRect(p, QSize(1, 1)), color);
}

int twipsToPixelsX(const QWidget* widget, int twips) {
    const int dpi = widget ? widget->logicalDpiX() : 96;
    return (twips * dpi + 720) / 1440;
}

int twipsToPixelsY(const QWidget* widget, int twips) {
    const int dpi = widget ? widget->logicalDpiY() : 96;
    return (twips * dpi + 720) / 1440;
}

QColor widgetColor(const QWidget* widget, OleColor value) {
    return widget ? toQColor(value, widget->palette()) : toQColor(value);
}

}  // namespace kui
