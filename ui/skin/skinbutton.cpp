#include "skinbutton.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/core/cmask.h"

namespace kui {

SkinButton::SkinButton(int index, const cMask* mask, QWidget* parent)
    : QWidget(parent), m_index(index), m_mask(mask) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
}

void SkinButton::setLocation(int loc) {
    m_loc = loc;
    const QRect r = m_mask->controlRect(loc, 0);
    resize(r.isEmpty() ? QSize(0, 0) : r.size());
    update();
}

int SkinButton::state() const {
    if (!isEnabled()) return 3;
    if (m_down && m_hover) return 2;
    return m_hover ? 1 : 0;
}

void SkinButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    m_mask->DrawControl(&p, m_loc, state());
}

void SkinButton::enterEvent(QEnterEvent*) {
    m_hover = true;
    update();
}

void SkinButton::leaveEvent(QEvent*) {
    m_hover = false;
    update();
}

void SkinButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    m_down = true;
    m_hover = true;
    update();
}

void SkinButton::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !m_down) return;
    m_down = false;
    const bool inside = rect().contains(e->position().toPoint());
    m_hover = inside;
    update();
    // A release outside the button is a change of mind, not a click.
    if (inside && isEnabled()) emit clicked(m_index);
}

void SkinButton::mouseDoubleClickEvent(QMouseEvent* e) {
    // Not a title double click: the button takes it as a second press.
    mousePressEvent(e);
}

void SkinButton::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) update();
    QWidget::changeEvent(e);
}

}  // namespace kui
