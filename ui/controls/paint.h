// Drawing helpers shared by the skinned controls: exact two-colour gradients (the first and
// last line carry the end colours themselves), the lightening rule, the notched corners of
// the panels and the twips of the property sheets.
#pragma once

#include <QColor>
#include <QRect>
#include <QRegion>

#include "ui/core/colorrule.h"

class QPainter;
class QWidget;

namespace kui {

// Fills `rect` line by line from `first` to `second`: top to bottom when `vertical`, left to
// right otherwise. A one-line gradient shows `first`.
void fillGradient(QPainter& painter, const QRect& rect, const QColor& first, const QColor& second,
                  bool vertical);

// Each channel c becomes c + (255 - c) * k / 255, so k = 255 gives white and 0 the colour.
QColor lighten(const QColor& color, int k);

// Mixes `a` and `b`, `weightA` of 255 parts taken from `a`.
QColor mix(const QColor& a, const QColor& b, int weightA);

// The contrast of two colours as the accessibility guidelines measure it: 1 (the same
// lightness) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// `ink` darkened (on a light face) or lightened (on a dark one) until it reaches `ratio`
// against `face`, so that greyed text stays readable.
QColor readableOn(QColor ink, const QColor& face, double ratio);

// `rect` without a 2 x 1 and a 1 x 2 pixel notch at each corner, the outline of the panels.
QRegion notchedRegion(const QRect& rect);

// Frames `rect` one pixel wide and leaves the three corner pixels of each notch undrawn, so
// that the line follows the notched region.
void drawNotchedFrame(QPainter& painter, const QRect& rect, const QColor& color);

// Container units to pixels: twips at the widget's logical resolution.
int twipsToPixelsX(const QWidget* widget, int twips);
int twipsToPixelsY(const QWidget* widget, int twips);

// The colour of a value in the widget's own palette.
QColor widgetColor(const QWidget* widget, OleColor value);

}  // namespace kui
