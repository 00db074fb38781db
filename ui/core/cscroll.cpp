#include "cscroll.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

namespace kui {

cScroll::cScroll(QObject* parent) : QObject(parent) {}

cScroll::~cScroll() {
    m_barClass.Unsubclass();
    m_windowClass.Unsubclass();
    if (m_ownBar) delete m_bar.data();
}

bool cScroll::Init(QWidget* hwnd, bool horz) {
    if (m_initialised || !hwnd) return false;
    m_initialised = true;
    m_window = hwnd;
    m_horizontal = horz;
    m_smallChange = 1;
    m_largeChange = 1;
    const Qt::Orientation orientation = horz ? Qt::Horizontal : Qt::Vertical;

    if (auto* bar = qobject_cast<QScrollBar*>(hwnd)) {
        m_bar = bar;
        bar->setOrientation(orientation);
    } else if (auto* area = qobject_cast<QAbstractScrollArea*>(hwnd)) {
        m_bar = horz ? area->horizontalScrollBar() : area->verticalScrollBar();
    } else {
        m_bar = new QScrollBar(orientation, hwnd);
        m_ownBar = true;
        dockBar();
        m_bar->show();
    }
    connect(m_bar, &QAbstractSlider::actionTriggered, this, &cScroll::onAction);

    // Wheel turns reach the bar directly or are forwarded to it by a scroll area; a plain
    // window gets its own.
    m_barClass.Subclass(m_bar, this);
    m_barClass.AddBeforeMsgs({QEvent::Wheel});
    if (hwnd != m_bar.data()) {
        m_windowClass.Subclass(hwnd, this);
        m_windowClass.AddBeforeMsgs({QEvent::Wheel});
        if (m_ownBar) m_windowClass.AddAfterMsgs({QEvent::Resize});
    }
    updateBar();
    return true;
}

void cScroll::dockBar() {
    if (!m_ownBar || !m_bar || !m_window) return;
    const int extent = m_window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_bar);
    const QRect r = m_window->rect();
    if (m_horizontal)
        m_bar->setGeometry(0, r.height() - extent, r.width(), extent);
    else
        m_bar->setGeometry(r.width() - extent, 0, extent, r.height());
}

void cScroll::Before(bool& bHandled, qint64& lReturn, QObject*, QEvent* uMsg) {
    if (uMsg->type() != QEvent::Wheel) return;
    auto* e = static_cast<QWheelEvent*>(uMsg);
    const QPoint d = e->angleDelta();
    const int delta = d.y() != 0 ? d.y() : d.x();
    if (delta == 0) return;
    wheel(delta);
    // The bar would move itself by its own wheel rule as well.
    e->accept();
    bHandled = true;
    lReturn = 1;
}

void cScroll::After(qint64&, QObject*, QEvent* uMsg) {
    if (uMsg->type() == QEvent::Resize) dockBar();
}

void cScroll::wheel(int delta) {
    if (delta < 0) {
        if (m_value < m_max) moveTo(m_value + 1);
    } else if (m_value > m_min) {
        moveTo(m_value - 1);
    }
}

void cScroll::onAction(int action) {
    if (m_updating || !m_bar) return;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            Request(LineUp);
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            Request(LineDown);
            break;
        case QAbstractSlider::SliderPageStepSub:
            Request(PageUp);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            Request(PageDown);
            break;
        case QAbstractSlider::SliderMove:
            Request(ThumbTrack, m_bar->sliderPosition());
            break;
        case QAbstractSlider::SliderToMinimum:
            Request(Top);
            break;
        case QAbstractSlider::SliderToMaximum:
            Request(Bottom);
            break;
        default:
            Request(EndScroll);
            break;
    }
    // The bar is about to take its slider position as its value: make that ours.
    m_updating = true;
    m_bar->setSliderPosition(m_value);
    m_updating = false;
}

void cScroll::Request(int code, int thumbPosition) {
    int v = m_value;
    switch (code) {
        case LineUp:
            v = std::max(m_value - m_smallChange, m_min);
            break;
        case LineDown:
            v = std::min(m_value + m_smallChange, m_max);
            break;
        case PageUp:
            v = std::max(m_value - m_largeChange, m_min);
            break;
        case PageDown:
            v = std::min(m_value + m_largeChange, m_max);
            break;
        case ThumbTrack:
            v = thumbPosition;
            break;
        case Top:
            v = m_min;
            break;
        case Bottom:
            v = m_max;
            break;
        default:
            break;
    }
    if (m_window && m_window->focusPolicy() != Qt::NoFocus && !m_window->hasFocus())
        m_window->setFocus(Qt::OtherFocusReason);
    moveTo(v);
}

void cScroll::moveTo(int value) {
    if (value == m_value) return;
    m_value = value;
    updateBar();
    emit Change();
}

void cScroll::updateBar() {
    if (!m_bar) return;
    m_updating = true;
    m_bar->setRange(m_min, std::max(m_min, m_max));
    m_bar->setPageStep(std::max(1, m_largeChange));
    m_bar->setSingleStep(std::max(1, m_smallChange));
    m_bar->setValue(m_value);
    // A bar with nothing to scroll is shown disabled.
    m_bar->setEnabled(m_max > m_min);
    m_updating = false;
    m_bar->update();
}

void cScroll::setValue(int v) {
    m_value = std::clamp(v, m_min, std::max(m_min, m_max));
    updateBar();
}

void cScroll::setMax(int v) {
    m_max = v;
    m_value = std::clamp(m_value, m_min, std::max(m_min, m_max));
    updateBar();
}

void cScroll::setMin(int v) {
    m_min = v;
    m_value = std::clamp(m_value, m_min, std::max(m_min, m_max));
    updateBar();
}

void cScroll::setLargeChange(int v) {
    m_largeChange = v;
    updateBar();
}

void cScroll::setSmallChange(int v) {
    m_smallChange = v;
    updateBar();
}

void cScroll::setVisible(bool visible) {
    if (!m_bar) return;
    m_bar->setVisible(visible);
    m_visible = visible;
}

}  // namespace kui
