#include "columnmetric.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "gbk.h"

namespace zel::control {

QFont OptionEditorFont() {
    QFont font;
    // Fonts whose ASCII glyphs are exactly half a Chinese glyph come first; a fixed-pitch
    // Latin font keeps the columns tight where none of them is installed.
    const QStringList families = {QStringLiteral("SimSun"),
                                  QStringLiteral("NSimSun"),
                                  QStringLiteral("Noto Sans Mono CJK SC"),
                                  QStringLiteral("WenQuanYi Zen Hei Mono"),
                                  QStringLiteral("Sarasa Mono SC"),
                                  QStringLiteral("DejaVu Sans Mono"),
                                  QStringLiteral("Noto Sans Mono"),
                                  QStringLiteral("Liberation Mono"),
                                  QStringLiteral("monospace")};
    font.setFamilies(families);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(9);
    return font;
}

ColumnMetric::ColumnMetric(const QFont& font, int twipsPerPixel)
    : m_twipsPerPixel(twipsPerPixel > 0 ? twipsPerPixel : 15) {
    const QFontMetricsF fm(font);
    double widest = 0;
    for (char16_t c = 0x21; c < 0x7F; ++c)
        widest = std::max(widest, fm.horizontalAdvance(QChar(c)));
    // Chinese glyphs come from whichever font has them; sample the kinds the captions use.
    for (const char16_t* sample : {u"中", u"：", u"（", u"复", u"、"})
        widest = std::max(widest, fm.horizontalAdvance(QString::fromUtf16(sample)) / 2.0);
    m_cell = widest > 0 ? widest : 6.0;
}

int ColumnMetric::twips(const QString& text) const {
    return static_cast<int>(std::lround(GbkWidth(text) * m_cell * m_twipsPerPixel));
}

}  // namespace zel::control
