#include "vsmenustyle.h"

#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <algorithm>

#include "paint.h"

namespace kui {

VsMenuColors VsMenuColors::defaults() {
    VsMenuColors c;
    c.disabledMenuBack = fromQColor(mix(QColor(255, 255, 255), toQColor(OleColor(SysWindow)), 128));
    return c;
}

VsMenuStyle::VsMenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {
    m_colors = VsMenuColors::defaults();
}

VsMenuStyle::~VsMenuStyle() = default;

QColor VsMenuStyle::color(OleColor value, const QWidget* widget) const {
    return widgetColor(widget, value);
}

int VsMenuStyle::itemHeight(int fontHeight) const {
    return std::max(m_colors.bitmapSize + 6, fontHeight + 8);
}

int VsMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    switch (metric) {
        case PM_MenuPanelWidth:
            return 1;
        case PM_MenuHMargin:
            return 1;
        case PM_MenuVMargin:
            return 1;
        case PM_MenuBarPanelWidth:
            return 0;
        case PM_MenuBarItemSpacing:
            return 0;
        case PM_MenuBarHMargin:
            return 2;
        case PM_MenuBarVMargin:
            return 1;
        case PM_SmallIconSize:
            if (qobject_cast<const QMenu*>(widget)) return m_colors.bitmapSize;
            break;
        default:
            break;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int VsMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* ret) const {
    switch (hint) {
        case SH_Menu_AllowActiveAndDisabled:
            return m_colors.selectDisabled ? 1 : 0;
        case SH_MenuBar_MouseTracking:
        case SH_Menu_MouseTracking:
            return 1;
        case SH_Menu_Mask:
            return 0;
        default:
            break;
    }
    return QProxyStyle::styleHint(hint, option, widget, ret);
}

QSize VsMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                    const QSize& size, const QWidget* widget) const {
    if (type == CT_MenuItem) {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (item && item->menuItemType == QStyleOptionMenuItem::Separator)
            return {size.width() + columnWidth() + 8, kSeparatorHeight};
        const int fh = option ? option->fontMetrics.height() : size.height();
        // Column, gap, text, room for the shortcut gap and the sub-menu arrow.
        return {columnWidth() + 8 + size.width() + 56, itemHeight(fh)};
    }
    if (type == CT_MenuBarItem) {
        const int fh = option ? option->fontMetrics.height() : size.height();
        return {size.width() + 16, fh + 8};
    }
    if (type == CT_MenuBar) return size;
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void VsMenuStyle::fillMenuBar(QPainter* p, const QRect& area, const QWidget* widget) const {
    const QRect whole = widget ? widget->rect() : area;
    p->save();
    p->setClipRect(area, Qt::IntersectClip);
    if (m_colors.showMenuBarGradient)
        fillGradient(*p, whole, color(m_colors.menuBarStart, widget),
                     color(m_colors.menuBarEnd, widget), true);
    else
        p->fillRect(whole,
                    widget ? widget->palette().color(QPalette::Window) : color(SysMenuBar, widget));
    p->restore();
}

void VsMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* p,
                                const QWidget* widget) const {
    switch (element) {
        case PE_PanelMenuBar:
            fillMenuBar(p, option->rect, widget);
            return;
        case PE_FrameMenu:
            p->save();
            p->setPen(color(m_colors.menuBorder, widget));
            p->setBrush(Qt::NoBrush);
            p->drawRect(option->rect.adjusted(0, 0, -1, -1));
            p->restore();
            return;
        case PE_PanelMenu: {
            p->fillRect(option->rect, color(m_colors.menuBack, widget));
            return;
        }
        default:
            break;
    }
    QProxyStyle::drawPrimitive(element, option, p, widget);
}

void VsMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* p,
                              const QWidget* widget) const {
    switch (element) {
        case CE_MenuItem:
            drawMenuItem(option, p, widget);
            return;
        case CE_MenuBarItem:
            drawMenuBarItem(option, p, widget);
            return;
        case CE_MenuBarEmptyArea:
            fillMenuBar(p, option->rect, widget);
            return;
        case CE_MenuEmptyArea:
        case CE_MenuTearoff:
            p->fillRect(option->rect, color(m_colors.menuBack, widget));
            return;
        case CE_MenuScroller:
            p->fillRect(option->rect, color(m_colors.menuBack, widget));
            QProxyStyle::drawControl(element, option, p, widget);
            return;
        default:
            break;
    }
    QProxyStyle::drawControl(element, option, p, widget);
}

namespace {

void drawCheckMark(QPainter* p, const QRect& box, const QColor& color) {
    const QPointF c = QRectF(box).center();
    const qreal s = std::min(box.width(), box.height()) / 2.0 - 1.5;
    QPainterPath path;
    path.moveTo(c.x() - s * 0.8, c.y());
    path.lineTo(c.x() - s * 0.25, c.y() + s * 0.6);
    path.lineTo(c.x() + s * 0.85, c.y() - s * 0.65);
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->drawPath(path);
    p->restore();
}

void drawArrow(QPainter* p, const QRect& area, const QColor& color) {
    const int cx = area.center().x() - 1, cy = area.center().y();
    for (int i = 0; i < 4; ++i) p->fillRect(QRect(cx + i, cy - 3 + i, 1, 7 - 2 * i), color);
}

}  // namespace

void VsMenuStyle::drawMenuItem(const QStyleOption* option, QPainter* p,
                               const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!item) return;
    const QRect r = item->rect;
    const VsMenuColors& c = m_colors;
    p->save();
    p->fillRect(r, color(c.menuBack, widget));
    const QRect column(r.left(), r.top(), columnWidth(), r.height());

    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        const int y = r.top() + r.height() / 2;
        p->fillRect(QRect(column.right() + 6, y, r.width() - columnWidth() - 8, 1),
                    lighten(color(c.menuBorder, widget), 110));
        p->restore();
        return;
    }

    const bool enabled = item->state & State_Enabled;
    const bool selected = (item->state & State_Selected) && (enabled || c.selectDisabled);
    if (selected) {
        const QRect hl = r.adjusted(1, 0, -2, -1);
        p->fillRect(hl, color(enabled ? c.selMenuBack : c.disabledMenuBack, widget));
        p->setPen(color(enabled ? c.selMenuBorder : c.disabledMenuBorder, widget));
        p->setBrush(Qt::NoBrush);
        p->drawRect(hl);
    }

    // The check field, then the bitmap (which sits on the field when both exist).
    const QRect field(column.left() + 3, r.top() + 2, columnWidth() - 5, r.height() - 4);
    if (item->checked) {
        p->fillRect(field.adjusted(0, 0, -1, -1),
                    color(selected ? c.selCheckBack : c.checkBack, widget));
        p->setPen(color(c.selMenuBorder, widget));
        p->setBrush(Qt::NoBrush);
        p->drawRect(field.adjusted(0, 0, -1, -1));
    }
    const QColor fore = !enabled   ? color(c.disabledMenuFore, widget)
                        : selected ? color(c.selMenuFore, widget)
                                   : color(c.menuFore, widget);
    if (!item->icon.isNull()) {
        const int s = c.bitmapSize;
        const QRect iconRect(field.center().x() - s / 2 + 1, field.center().y() - s / 2 + 1, s, s);
        item->icon.paint(p, iconRect, Qt::AlignCenter, enabled ? QIcon::Normal : QIcon::Disabled);
    } else if (item->checked) {
        const QColor mark = enabled ? color(c.checkFore, widget) : fore;
        if (item->checkType == QStyleOptionMenuItem::Exclusive) {
            p->setRenderHint(QPainter::Antialiasing);
            p->setPen(Qt::NoPen);
            p->setBrush(mark);
            p->drawEllipse(QRectF(field).center(), 3.0, 3.0);
        } else {
            drawCheckMark(p, field.adjusted(0, 0, -1, -1), mark);
        }
    }

    // Caption left, accelerator right, arrow for a sub-menu.
    QString text = item->text;
    QString accel;
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        accel = text.mid(tab + 1);
        text = text.left(tab);
    }
    const QRect textRect(column.right() + 9, r.top(), r.width() - columnWidth() - 30, r.height());
    p->setPen(fore);
    p->setFont(item->font);
    int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (!proxy()->styleHint(SH_UnderlineShortcut, item, widget)) flags |= Qt::TextHideMnemonic;
    p->drawText(textRect, flags | Qt::AlignLeft, text);
    if (!accel.isEmpty()) p->drawText(textRect, flags | Qt::AlignRight, accel);
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu)
        drawArrow(p, QRect(r.right() - 16, r.top(), 12, r.height()), fore);
    p->restore();
}

void VsMenuStyle::drawMenuBarItem(const QStyleOption* option, QPainter* p,
                                  const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!item) return;
    const VsMenuColors& c = m_colors;
    fillMenuBar(p, item->rect, widget);
    const bool enabled = item->state & State_Enabled;
    const bool open = item->state & State_Sunken;
    const bool hot = item->state & State_Selected;
    const QRect r = item->rect.adjusted(0, 1, -1, -1);
    p->save();
    if (open) {
        // The open title joins the pop-up below it: same background, same frame.
        p->fillRect(r, color(c.menuBack, widget));
        p->setPen(color(c.menuBorder, widget));
        p->drawLine(r.topLeft(), r.topRight());
        p->drawLine(r.topLeft(), r.bottomLeft());
        p->drawLine(r.topRight(), r.bottomRight());
    } else if (hot && (enabled || c.selectDisabled)) {
        p->fillRect(r, color(enabled ? c.selMenuBack : c.disabledMenuBack, widget));
        p->setPen(color(enabled ? c.selMenuBorder : c.disabledMenuBorder, widget));
        p->setBrush(Qt::NoBrush);
        p->drawRect(r);
    }
    const QColor fore = !enabled         ? color(c.disabledMenuFore, widget)
                        : (hot && !open) ? color(c.selMenuFore, widget)
                                         : color(c.menuFore, widget);
    p->setPen(fore);
    p->setFont(item->font);
    int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (!proxy()->styleHint(SH_UnderlineShortcut, item, widget)) flags |= Qt::TextHideMnemonic;
    p->drawText(item->rect, flags, item->text);
    p->restore();
}

}  // namespace kui
