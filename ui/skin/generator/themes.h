// The colour themes the skin pictures are drawn in.
#pragma once

#include <QColor>
#include <QString>
#include <QVector>

struct Theme {
    QString file;         // base name of the PNG pair
    QColor titleTop;      // title bar gradient, upper half
    QColor titleMid;
    QColor titleLow;      // lower half
    QColor titleBottom;
    QColor outline;       // the outermost line
    QColor frame;         // side borders
    QColor frameInner;    // the line next to the client area
    QColor statusTop;     // status bar gradient
    QColor statusBottom;
    QColor statusLine;    // line between client and status bar
    QColor glyph;         // title button symbols
    QColor hover;         // title button backgrounds (with alpha)
    QColor pressed;
    QColor closeHover;
    QColor closePressed;
};

QVector<Theme> builtinThemes();  // skins 0 and 1 of the Skin control
QVector<Theme> engineThemes();   // the skins of the skin engine plugin
