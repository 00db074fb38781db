#include "progress.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "paint.h"
#include "propio.h"

namespace kui {

namespace {

constexpr OleColor kDefBack = 0xFFFFFF;
constexpr OleColor kDefFill = 2871848;
constexpr OleColor kDefBorder = 6842472;
constexpr int kDefInterval = 60;

}  // namespace

Progress::Progress(QWidget* parent) : QWidget(parent) {
    setDefaults();
    m_timer.setInterval(kDefInterval);
    connect(&m_timer, &QTimer::timeout, this, &Progress::Tick);
    setMinimumSize(twipsToPixelsX(this, 240), twipsToPixelsY(this, 120));
}

Progress::~Progress() = default;

void Progress::setDefaults() {
    m_max = 100;
    m_min = 0;
    m_scrolling = 0;
    m_backColor = kDefBack;
    m_orientation = 0;
    m_fillColor = kDefFill;
    m_borderColor = kDefBorder;
    m_segmentWidth = 6;
    m_segmentSpace = 2;
    m_waitWidth = 20;
    m_hasBaseFill = false;
}

void Progress::InitProperties() {
    setDefaults();
    setScrolling(0);
    setEnabled(true);
    clampValue();
    update();
}

void Progress::ReadProperties(const PropertyBag& bag) {
    using namespace prop;
    m_max = readInt(bag, "Max", 100);
    m_min = readInt(bag, "Min", 0);
    setEnabled(readBool(bag, "Enabled", true));
    m_backColor = readColor(bag, "BackColor", kDefBack);
    m_orientation = readInt(bag, "Orientation", 0);
    m_fillColor = readColor(bag, "FillColor", kDefFill);
    m_borderColor = readColor(bag, "BorderColor", kDefBorder);
    m_segmentWidth = std::max(1, readInt(bag, "SegmentWidth", 6));
    m_segmentSpace = std::max(0, readInt(bag, "SegmentSpace", 2));
    m_waitWidth = std::clamp(readInt(bag, "WaitWidth", 20), 1, 100);
    m_hasBaseFill = false;
    clampValue();
    setScrolling(readInt(bag, "Scrolling", 0));
    update();
}

void Progress::WriteProperties(PropertyBag& bag) const {
    using namespace prop;
    writeInt(bag, "Max", int(m_max), 100);
    writeInt(bag, "Min", int(m_min), 0);
    writeBool(bag, "Enabled", isEnabled(), true);
    writeInt(bag, "Scrolling", m_scrolling, 0);
    writeColor(bag, "BackColor", m_backColor, kDefBack);
    writeInt(bag, "Orientation", m_orientation, 0);
    writeColor(bag, "FillColor", m_fillColor, kDefFill);
    writeColor(bag, "BorderColor", m_borderColor, kDefBorder);
    writeInt(bag, "SegmentWidth", int(m_segmentWidth), 6);
    writeInt(bag, "SegmentSpace", int(m_segmentSpace), 2);
    writeInt(bag, "WaitWidth", int(m_waitWidth), 20);
}

// ---- position ---------------------------------------------------------------------------

void Progress::setValue(long v) {
    m_value = std::clamp(v, std::min(m_min, m_max), std::max(m_min, m_max));
    update();
    emit Change(m_value);
}

void Progress::clampValue() {
    m_value = std::clamp(m_value, std::min(m_min, m_max), std::max(m_min, m_max));
}

void Progress::setMax(long v) {
    m_max = v;
    clampValue();
    update();
}

void Progress::setMin(long v) {
    m_min = v;
    clampValue();
    update();
}

void Progress::setScrolling(int v) {
    m_scrolling = v == 1 ? 1 : 0;
    if (m_scrolling == 1) {
        m_timer.start();
    } else {
        m_timer.stop();
        m_tick = 0;
    }
    update();
}

bool Progress::PauseWait(bool enable, int interval) {
    if (interval > 0) m_timer.setInterval(interval);
    if (m_scrolling == 1) {
        if (enable)
            m_timer.start();
        else
            m_timer.stop();
    }
    return m_timer.isActive();
}

#define KUI_SETTER(Name, member, type) \
    void Progress::Name(type v) {      \
        if (member == v) return;       \
        member = v;                    \
        update();                      \
    }
KUI_SETTER(setBackColor, m_backColor, OleColor)
KUI_SETTER(setFillColor, m_fillColor, OleColor)
KUI_SETTER(setBorderColor, m_borderColor, OleColor)
#undef KUI_SETTER

void Progress::setOrientation(int v) {
    m_orientation = v == 1 ? 1 : 0;
    update();
}

void Progress::setSegmentWidth(long v) {
    m_segmentWidth = std::max(1L, v);
    update();
}

void Progress::setSegmentSpace(long v) {
    m_segmentSpace = std::max(0L, v);
    update();
}

void Progress::setWaitWidth(long v) {
    m_waitWidth = std::clamp(v, 1L, 100L);
    update();
}

void Progress::ChangeColor(OleColor back, OleColor border, OleColor fill) {
    m_backColor = back;
    m_borderColor = border;
    m_fillColor = fill;
    m_baseFill = fill;
    m_hasBaseFill = true;
    update();
}

void Progress::AdjustRGB(double red, double green, double blue) {
    if (!m_hasBaseFill) {
        m_baseFill = m_fillColor;
        m_hasBaseFill = true;
    }
    m_fillColor = adjustRGB(m_baseFill, red, green, blue);
    update();
}

// ---- geometry ---------------------------------------------------------------------------

QRect Progress::InnerRect() const {
    return m_orientation == 1 ? rect().adjusted(2, 4, -2, -4) : rect().adjusted(4, 2, -4, -2);
}

int Progress::innerLength() const {
    const QRect inner = InnerRect();
    return std::max(0, m_orientation == 1 ? inner.height() : inner.width());
}

int Progress::FillLength() const {
    const int unit = SegmentUnit();
    if (m_max <= m_min || unit <= 0) return 0;
    const double ratio = double(m_value - m_min) / double(m_max - m_min);
    const double units = std::round(double(innerLength()) / unit);
    return unit * int(std::floor(ratio * units + 1e-9));
}

int Progress::WaitBlockSegments() const {
    const int unit = SegmentUnit();
    const double n = std::round(innerLength() * double(m_waitWidth) / 100.0 / unit);
    return std::max(1, int(n));
}

int Progress::WaitTickCount() const {
    const int unit = SegmentUnit();
    return (innerLength() + unit - 1) / unit + WaitBlockSegments();
}

void Progress::Tick() {
    if (++m_tick > WaitTickCount()) {
        m_tick = 0;
        update();
        emit WaitEnd();
        return;
    }
    update();
}

QSize Progress::sizeHint() const {
    return m_orientation == 1 ? QSize(20, 160) : QSize(200, 20);
}

QSize Progress::minimumSizeHint() const {
    return {twipsToPixelsX(this, 240), twipsToPixelsY(this, 120)};
}

// ---- drawing ----------------------------------------------------------------------------

void Progress::resizeEvent(QResizeEvent* event) {
    setMask(notchedRegion(rect()));
    QWidget::resizeEvent(event);
}

// Fills [from, to) along the bar with the glossy fill colour; the segment gaps follow.
void Progress::drawBand(QPainter& p, const QRect& inner, int from, int to, const QColor& fill) {
    const int length = innerLength();
    from = std::max(0, from);
    to = std::min(length, to);
    if (to <= from) return;
    const bool vertical = m_orientation == 1;
    const QRect band = vertical
                           ? QRect(inner.left(), inner.bottom() + 1 - to, inner.width(), to - from)
                           : QRect(inner.left() + from, inner.top(), to - from, inner.height());
    const QColor light = lighten(fill, 200);
    const int thick = vertical ? band.width() : band.height();
    const int a = thick * 2 / 7, b = thick * 5 / 7;
    if (vertical) {
        fillGradient(p, QRect(band.left(), band.top(), a, band.height()), light, fill, false);
        p.fillRect(QRect(band.left() + a, band.top(), b - a, band.height()), fill);
        fillGradient(p, QRect(band.left() + b, band.top(), thick - b, band.height()), fill, light,
                     false);
    } else {
        fillGradient(p, QRect(band.left(), band.top(), band.width(), a), light, fill, true);
        p.fillRect(QRect(band.left(), band.top() + a, band.width(), b - a), fill);
        fillGradient(p, QRect(band.left(), band.top() + b, band.width(), thick - b), fill, light,
                     true);
    }
    if (m_segmentSpace <= 0) return;
    const QColor back = widgetColor(this, m_backColor);
    const int unit = SegmentUnit();
    for (int s = (from / unit) * unit; s < to; s += unit) {
        const int g0 = std::max(from, s + int(m_segmentWidth));
        const int g1 = std::min(to, s + unit);
        if (g1 <= g0) continue;
        if (vertical)
            p.fillRect(QRect(inner.left(), inner.bottom() + 1 - g1, inner.width(), g1 - g0), back);
        else
            p.fillRect(QRect(inner.left() + g0, inner.top(), g1 - g0, inner.height()), back);
    }
}

void Progress::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor back = widgetColor(this, m_backColor);
    const QColor border = widgetColor(this, m_borderColor);
    const QColor fill = widgetColor(this, m_fillColor);
    p.fillRect(rect(), back);
    const QRect inner = InnerRect();
    if (m_scrolling == 1) {
        const int unit = SegmentUnit();
        const int end = m_tick * unit;
        drawBand(p, inner, end - WaitBlockSegments() * unit, end, fill);
    } else {
        drawBand(p, inner, 0, FillLength(), fill);
    }
    drawNotchedFrame(p, rect(), border);
    if (width() > 4 && height() > 4) {
        const QRect r = rect().adjusted(1, 1, -1, -1);
        const QColor upper = lighten(border, 150), lower = lighten(border, 210);
        p.fillRect(QRect(r.left() + 1, r.top(), r.width() - 2, 1), upper);
        p.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), upper);
        p.fillRect(QRect(r.left() + 1, r.bottom(), r.width() - 2, 1), lower);
        p.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), lower);
    }
}

void Progress::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void Progress::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) update();
    QWidget::changeEvent(event);
}

}  // namespace kui
