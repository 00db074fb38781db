// The status-bar panels of the Skin control. The Panels text holds the panels separated by the
// character with code 1; each panel is "<text>%#<options>", options separated by ";":
//   #<hex>  text colour (a colour value, 0x00BBGGRR)
//   @<n>    panel width in pixels
//   %<n>    text format code (as DrawText takes it; 1 centred)
#pragma once

#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QVector>

#include "ui/core/colorrule.h"

namespace kui {

inline constexpr QChar kPanelSeparator = QChar(1);

struct StatusPanel {
    QString text;
    OleColor color = kNoColor;  // kNoColor: the control's clrState
    int width = -1;             // -1: text width + 20
    int format = 1;
    QString options;  // the option text as given, kept when the text changes
};

QVector<StatusPanel> parsePanels(const QString& panels);
QString joinPanels(const QVector<StatusPanel>& panels);

struct PanelPlace {
    QRect rect;      // the whole panel
    QRect textRect;  // inset 8 pixels left and right
    int format = 1;  // the first panel is always drawn with format 0
    bool separator = false;
};

// Lays the panels out from the right, from x = right through the last panel to the first; the
// first panel takes what is left down to x = 6. top..bottom is the text band.
QVector<PanelPlace> layoutPanels(const QVector<StatusPanel>& panels, const QFontMetrics& metrics,
                                 int right, int top, int bottom);

}  // namespace kui
