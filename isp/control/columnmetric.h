// The font of the option editor and the text measure that lines its choice columns up. The
// database pads captions with blanks to equal widths counted in the two-byte code page (a
// Chinese character 2, an ASCII character 1). Measuring every text as that count times one
// cell keeps those columns straight in any font; the cell is wide enough that no glyph of the
// font outgrows its share, so nothing placed by the measure is clipped.
#pragma once

#include <QFont>
#include <QString>

namespace zel::control {

// A font with half-width ASCII and full-width Chinese glyphs where the system has one,
// 9 points.
QFont OptionEditorFont();

class ColumnMetric {
  public:
    ColumnMetric(const QFont& font, int twipsPerPixel);

    // Width of `text` in twips.
    int twips(const QString& text) const;
    // Width of one code-page byte in pixels.
    double cellPixels() const { return m_cell; }

  private:
    double m_cell = 0;
    int m_twipsPerPixel = 15;
};

}  // namespace zel::control
