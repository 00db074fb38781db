#include "back.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "paint.h"
#include "propio.h"

namespace kui {

namespace {

constexpr OleColor kDefBorder = 13921114;
constexpr OleColor kDefStart = 0xFFFFFF;
constexpr OleColor kDefMiddle = 16749925;
constexpr OleColor kDefEnd = 16758165;

}  // namespace

Back::Back(QWidget* parent) : QWidget(parent) {
    setDefaults();
}

Back::~Back() = default;

void Back::setDefaults() {
    m_border = kDefBorder;
    m_start = kDefStart;
    m_middle = kDefMiddle;
    m_end = kDefEnd;
    m_showOrder = true;
    m_showBorder = true;
    m_showColor = 2;
    m_middleStep = 75;
    m_lock = false;
    m_hasBase = false;
}

void Back::InitProperties() {
    setDefaults();
    setEnabled(true);
    update();
}

void Back::ReadProperties(const PropertyBag& bag) {
    using namespace prop;
    setEnabled(readBool(bag, "Enabled", true));
    m_border = readColor(bag, "clrBorder", kDefBorder);
    m_start = readColor(bag, "clrStart", kDefStart);
    m_middle = readColor(bag, "clrMiddle", kDefMiddle);
    m_end = readColor(bag, "clrEnd", kDefEnd);
    m_showOrder = readBool(bag, "ShowOrder", true);
    m_showBorder = readBool(bag, "ShowBorder", true);
    m_showColor = std::clamp(readInt(bag, "ShowColor", 2), 1, 3);
    m_middleStep = std::clamp(readInt(bag, "MiddleStep", 75), 0, 100);
    m_lock = readBool(bag, "Lock", false);
    m_hasBase = false;
    update();
}

void Back::WriteProperties(PropertyBag& bag) const {
    using namespace prop;
    writeBool(bag, "Enabled", isEnabled(), true);
    writeColor(bag, "clrBorder", m_border, kDefBorder);
    writeColor(bag, "clrStart", m_start, kDefStart);
    writeColor(bag, "clrMiddle", m_middle, kDefMiddle);
    writeColor(bag, "clrEnd", m_end, kDefEnd);
    writeBool(bag, "ShowOrder", m_showOrder, true);
    writeBool(bag, "ShowBorder", m_showBorder, true);
    writeInt(bag, "ShowColor", m_showColor, 2);
    writeInt(bag, "MiddleStep", m_middleStep, 75);
    writeBool(bag, "Lock", m_lock, false);
}

#define KUI_SETTER(Name, member, type) \
    void Back::Name(type v) {          \
        if (member == v) return;       \
        member = v;                    \
        update();                      \
    }
KUI_SETTER(setClrBorder, m_border, OleColor)
KUI_SETTER(setClrStart, m_start, OleColor)
KUI_SETTER(setClrMiddle, m_middle, OleColor)
KUI_SETTER(setClrEnd, m_end, OleColor)
KUI_SETTER(setShowOrder, m_showOrder, bool)
KUI_SETTER(setShowBorder, m_showBorder, bool)
#undef KUI_SETTER

void Back::setShowColor(int v) {
    m_showColor = std::clamp(v, 1, 3);
    update();
}

void Back::setMiddleStep(int v) {
    m_middleStep = std::clamp(v, 0, 100);
    update();
}

void Back::ChangeColor(OleColor border, bool showBorder, OleColor clr1, OleColor clr2,
                       OleColor clr3, int showStyle) {
    if (m_lock) return;
    m_border = border;
    m_showBorder = showBorder;
    m_start = clr1;
    m_middle = clr2;
    m_end = clr3;
    m_showColor = std::clamp(showStyle, 1, 3);
    m_base[0] = m_start, m_base[1] = m_middle, m_base[2] = m_end, m_base[3] = m_border;
    m_hasBase = true;
    update();
}

void Back::AdjustRGB(double red, double green, double blue) {
    if (m_lock) return;
    if (!m_hasBase) {
        m_base[0] = m_start, m_base[1] = m_middle, m_base[2] = m_end, m_base[3] = m_border;
        m_hasBase = true;
    }
    const ColorAdjust a{red, green, blue};
    m_start = a.apply(m_base[0]);
    m_middle = a.apply(m_base[1]);
    m_end = a.apply(m_base[2]);
    m_border = a.apply(m_base[3]);
    update();
}

void Back::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor start = widgetColor(this, m_start), middle = widgetColor(this, m_middle),
                 end = widgetColor(this, m_end);
    const QRect r = rect();
    switch (m_showColor) {
        case 1:
            p.fillRect(r, end);
            break;
        case 3: {
            const int span = m_showOrder ? r.height() : r.width();
            const int split = span * m_middleStep / 100;
            const QRect first =
                m_showOrder ? QRect(0, 0, r.width(), split) : QRect(0, 0, split, r.height());
            const QRect second = m_showOrder ? QRect(0, split, r.width(), r.height() - split)
                                             : QRect(split, 0, r.width() - split, r.height());
            fillGradient(p, first, start, middle, m_showOrder);
            fillGradient(p, second, middle, end, m_showOrder);
            break;
        }
        default:
            fillGradient(p, r, start, end, m_showOrder);
            break;
    }
    if (m_showBorder) {
        p.setPen(widgetColor(this, m_border));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

void Back::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

}  // namespace kui
