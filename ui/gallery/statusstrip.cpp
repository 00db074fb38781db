#include "statusstrip.h"

#include <QPainter>

#include "controls/paint.h"

using namespace kui;

namespace gallery {

StatusStrip::StatusStrip(QWidget* parent)
    : QWidget(parent),
      m_start(rgb(255, 255, 255)),
      m_end(rgb(190, 210, 245)),
      m_line(rgb(106, 140, 203)) {}

void StatusStrip::setPanels(const QStringList& texts) {
    m_texts = texts;
    update();
}

void StatusStrip::setPanelText(int index, const QString& text) {
    if (index < 0 || index >= m_texts.size()) return;
    m_texts[index] = text;
    update();
}

void StatusStrip::setColors(OleColor start, OleColor end, OleColor line) {
    m_start = start;
    m_end = end;
    m_line = line;
    update();
}

QSize StatusStrip::sizeHint() const {
    return {400, fontMetrics().height() + 10};
}

void StatusStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    fillGradient(p, rect(), toQColor(m_start), toQColor(m_end), true);
    const QColor line = toQColor(m_line);
    p.fillRect(0, 0, width(), 1, line);
    p.setPen(palette().color(QPalette::WindowText));
    int right = width() - 4;
    for (int i = int(m_texts.size()) - 1; i >= 0; --i) {
        const int textWidth = fontMetrics().horizontalAdvance(m_texts[i]);
        const int left = i == 0 ? 6 : right - textWidth - 20;
        p.drawText(QRect(left + 8, 1, right - left - 16, height() - 1),
                   Qt::AlignVCenter | (i == 0 ? Qt::AlignLeft : Qt::AlignHCenter), m_texts[i]);
        if (i > 0) {
            // An etched separator before each panel.
            p.fillRect(QRect(left, 5, 1, height() - 9), line);
            p.fillRect(QRect(left + 1, 5, 1, height() - 9), QColor(255, 255, 255));
        }
        right = left;
    }
}

}  // namespace gallery
