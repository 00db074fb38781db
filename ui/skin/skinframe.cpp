// Lay-out, painting and mouse handling of the Skin frame.
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "ui/core/cmemdc.h"
#include "ui/core/twips.h"
#include "ui/skin/skin.h"
#include "ui/skin/skinbutton.h"
#include "ui/skin/skinpanels.h"

namespace kui {

namespace {

constexpr int kEdge = 4;         // thickness of the resizing edges
constexpr int kCornerGrip = 12;  // size of the resizing corners
constexpr int kIconSize = 16;
constexpr int kTitleGap = 6;

int buttonsOf(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
           (b & Qt::MiddleButton ? 4 : 0);
}

int shiftOf(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

bool menuManagedByLayout(QWidget* form, QMenuBar* bar) {
    if (qobject_cast<QMainWindow*>(form)) return true;
    return form->layout() && form->layout()->menuBar() == bar;
}

}  // namespace

int Skin::menuBandBottom() const {
    const int top = topHeight();
    if (!m_menuBar || m_menuBar->isHidden() || !m_form) return top;
    const int h = m_menuBar->sizeHint().height();
    if (menuManagedByLayout(m_form, m_menuBar)) return top + h;
    return std::max(top, m_menuTop + h + 1);
}

void Skin::placeMenu() {
    if (!m_menuBar || m_menuBar->isHidden() || !m_form) return;
    if (menuManagedByLayout(m_form, m_menuBar)) return;
    const int w = std::max(0, width() - m_menuLeft - rightWidth() - 2);
    m_menuBar->setGeometry(m_menuLeft, std::max(m_menuTop, topHeight()), w,
                           m_menuBar->sizeHint().height());
    m_menuBar->raise();
}

void Skin::layoutFrame() {
    if (!m_form) return;
    if (geometry() != m_form->rect()) setGeometry(m_form->rect());
    const int left = leftWidth(), right = rightWidth(), bottom = bottomHeight();
    placeMenu();
    const int clientTop = menuBandBottom();
    m_client = QRect(left, clientTop, std::max(0, width() - left - right),
                     std::max(0, height() - clientTop - bottom));
    // A layout on the window then fills the client area; a layout that places the menu bar
    // itself puts it right under the title bar.
    const bool managed =
        m_menuBar && !m_menuBar->isHidden() && menuManagedByLayout(m_form, m_menuBar);
    const QMargins margins(left, managed ? topHeight() : clientTop, right, bottom);
    if (m_form->contentsMargins() != margins) m_form->setContentsMargins(margins);
    placeButtons();
    updateWindowMask();
    update();
    const int t = twipsPerPixelX(this);
    emit Resize(m_client.x() * t, m_client.y() * t, m_client.width() * t, m_client.height() * t);
}

void Skin::placeButtons() {
    const bool maximised = m_form && m_form->isMaximized();
    const int locations[3] = {LocClose, maximised ? LocRestore : LocMaximise, LocMinimise};
    const bool wanted[3] = {m_controlB, m_controlB && isSizable(),
                            m_controlB && m_form && m_form->isWindow()};
    int x = width() - m_layout.buttonRight;
    for (int i = 0; i < 3; ++i) {
        SkinButton* b = m_buttons[size_t(i)];
        b->setLocation(locations[i]);
        const bool show = wanted[i] && b->width() > 0 && !m_buttonHidden[size_t(i)];
        b->setVisible(show);
        if (!show) continue;
        x -= b->width();
        b->move(x, m_layout.buttonTop);
        x -= m_layout.buttonGap;
    }
}

void Skin::updateSizeLimits() {
    if (!m_form) return;
    int minW = leftWidth() + rightWidth();
    int minH = topHeight() + bottomHeight();
    const QScreen* screen = m_form->screen() ? m_form->screen() : QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    int maxLeft = 0, maxTop = 0, maxW = avail.width(), maxH = avail.height();
    emit GetSize(maxLeft, maxTop, maxW, maxH, minW, minH);
    m_minSize = QSize(std::max(0, minW), std::max(0, minH));
    if (m_form->isWindow()) m_form->setMinimumSize(m_minSize);
}

void Skin::updateWindowMask() {
    if (!m_form || !m_form->isWindow()) return;
    if (!m_mask.Mask() || m_form->isMaximized() || m_form->isFullScreen()) {
        if (!m_form->mask().isEmpty()) m_form->clearMask();
        return;
    }
    const int W = width(), H = height();
    QRegion shape(0, 0, W, H);
    const struct {
        int loc;
        QPoint at;
    } corners[] = {
        {LocTopLeft, QPoint(0, 0)},
        {LocTopRight, QPoint(W - m_mask.width(LocTopRight), 0)},
        {LocBottomLeft, QPoint(0, H - m_mask.height(LocBottomLeft))},
        {LocBottomRight,
         QPoint(W - m_mask.width(LocBottomRight), H - m_mask.height(LocBottomRight))},
    };
    for (const auto& c : corners) {
        // The plain bottom edge has square corners.
        if (!m_statusBar && (c.loc == LocBottomLeft || c.loc == LocBottomRight)) continue;
        const QRegion piece = m_mask.GetRgn(c.loc);
        if (piece.isEmpty()) continue;  // no shape marked: the piece is solid
        const QRect whole(c.at, m_mask.rect(c.loc).size());
        shape -= QRegion(whole) - piece.translated(c.at);
    }
    if (shape == QRegion(0, 0, W, H)) {
        if (!m_form->mask().isEmpty()) m_form->clearMask();
    } else if (m_form->mask() != shape) {
        m_form->setMask(shape);
    }
}

Skin::Hit Skin::hitTest(const QPoint& pos) const {
    const int W = width(), H = height(), x = pos.x(), y = pos.y();
    if (!rect().contains(pos)) return HitNone;
    if (isSizable() && m_form && !m_form->isMaximized()) {
        const bool left = x < std::max(kEdge, leftWidth());
        const bool right = x >= W - std::max(kEdge, rightWidth());
        const bool top = y < kEdge;
        const bool bottom = y >= H - kEdge;
        const bool nearLeft = x < kCornerGrip, nearRight = x >= W - kCornerGrip;
        const bool nearTop = y < kCornerGrip, nearBottom = y >= H - kCornerGrip;
        const QRect grip(W - m_mask.width(LocBottomRight), H - m_mask.height(LocBottomRight),
                         m_mask.width(LocBottomRight), m_mask.height(LocBottomRight));
        if ((top && nearLeft) || (left && nearTop)) return HitTopLeft;
        if ((top && nearRight) || (right && nearTop)) return HitTopRight;
        if ((bottom && nearLeft) || (left && nearBottom)) return HitBottomLeft;
        if ((bottom && nearRight) || (right && nearBottom) || grip.contains(pos))
            return HitBottomRight;
        if (left) return HitLeft;
        if (right) return HitRight;
        if (top) return HitTop;
        if (bottom) return HitBottom;
    }
    if (y < topHeight()) return HitTitle;
    return HitClient;
}

bool Skin::startSystemDrag(Hit hit) {
    QWindow* window = m_form && m_form->isWindow() ? m_form->windowHandle() : nullptr;
    if (!window) return false;
    Qt::Edges edges;
    switch (hit) {
        case HitTitle:
            return window->startSystemMove();
        case HitLeft:
            edges = Qt::LeftEdge;
            break;
        case HitRight:
            edges = Qt::RightEdge;
            break;
        case HitTop:
            edges = Qt::TopEdge;
            break;
        case HitBottom:
            edges = Qt::BottomEdge;
            break;
        case HitTopLeft:
            edges = Qt::TopEdge | Qt::LeftEdge;
            break;
        case HitTopRight:
            edges = Qt::TopEdge | Qt::RightEdge;
            break;
        case HitBottomLeft:
            edges = Qt::BottomEdge | Qt::LeftEdge;
            break;
        case HitBottomRight:
            edges = Qt::BottomEdge | Qt::RightEdge;
            break;
        default:
            return false;
    }
    return window->startSystemResize(edges);
}

void Skin::manualDrag(const QPoint& global) {
    if (!m_form || !m_form->isWindow()) return;
    const QPoint d = global - m_dragStart;
    QRect g = m_dragGeometry;
    if (m_drag == HitTitle) {
        m_form->move(g.topLeft() + d);
        return;
    }
    const int minW = std::max(1, m_form->minimumWidth()),
              minH = std::max(1, m_form->minimumHeight());
    if (m_drag == HitLeft || m_drag == HitTopLeft || m_drag == HitBottomLeft)
        g.setLeft(std::min(g.left() + d.x(), g.right() - minW + 1));
    if (m_drag == HitRight || m_drag == HitTopRight || m_drag == HitBottomRight)
        g.setRight(std::max(g.right() + d.x(), g.left() + minW - 1));
    if (m_drag == HitTop || m_drag == HitTopLeft || m_drag == HitTopRight)
        g.setTop(std::min(g.top() + d.y(), g.bottom() - minH + 1));
    if (m_drag == HitBottom || m_drag == HitBottomLeft || m_drag == HitBottomRight)
        g.setBottom(std::max(g.bottom() + d.y(), g.top() + minH - 1));
    m_form->setGeometry(g);
}

void Skin::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    emit MouseDown(buttonsOf(e->button()), shiftOf(e->modifiers()), pos.x(), pos.y());
    if (e->button() != Qt::LeftButton) return;
    const Hit hit = hitTest(pos);
    if (hit == HitNone || hit == HitClient) return;
    if (startSystemDrag(hit)) return;
    // The window system cannot do it (no window manager, or an embedded form): move by hand.
    m_drag = hit;
    m_dragStart = e->globalPosition().toPoint();
    m_dragGeometry = m_form ? m_form->geometry() : QRect();
}

void Skin::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    emit MouseMove(buttonsOf(e->buttons()), shiftOf(e->modifiers()), pos.x(), pos.y());
    if (m_drag != HitNone && (e->buttons() & Qt::LeftButton)) {
        manualDrag(e->globalPosition().toPoint());
        return;
    }
    switch (hitTest(pos)) {
        case HitLeft:
        case HitRight:
            setCursor(Qt::SizeHorCursor);
            break;
        case HitTop:
        case HitBottom:
            setCursor(Qt::SizeVerCursor);
            break;
        case HitTopLeft:
        case HitBottomRight:
            setCursor(Qt::SizeFDiagCursor);
            break;
        case HitTopRight:
        case HitBottomLeft:
            setCursor(Qt::SizeBDiagCursor);
            break;
        default:
            unsetCursor();
            break;
    }
}

void Skin::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    m_drag = HitNone;
    emit MouseUp(buttonsOf(e->button()), shiftOf(e->modifiers()), pos.x(), pos.y());
}

void Skin::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || hitTest(e->position().toPoint()) != HitTitle) return;
    emit DblClick();
    SkinButton* max = titleButton(MaxButton);
    if (!m_form || !max || max->isHidden() || !max->isEnabled()) return;
    m_form->isMaximized() ? m_form->showNormal() : m_form->showMaximized();
}

void Skin::leaveEvent(QEvent*) {
    if (m_drag == HitNone) unsetCursor();
}

void Skin::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintClient(p);
    paintMenuBand(p);
    paintFrame(p);
    paintTitle(p);
    paintPanels(p);
}

void Skin::paintClient(QPainter& p) {
    // Under the frame: the frame's own colour, so that the corners of a square (maximised or
    // unshaped) window do not show through.
    const QRect side = m_mask.rect(LocLeft);
    if (!side.isEmpty() && !m_mask.drawable().isNull())
        p.fillRect(rect(), m_mask.drawable().pixelColor(side.center()));
    if (m_client.isEmpty()) return;
    if (m_backStyle == 1) p.fillRect(m_client, toQColor(m_backColor));
    if (m_backPicture.isNull()) return;
    p.save();
    p.setClipRect(m_client);
    if (m_backStretch) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(m_client, m_backPicture);
    } else {
        p.drawTiledPixmap(m_client, QPixmap::fromImage(m_backPicture));
    }
    p.restore();
}

void Skin::paintMenuBand(QPainter& p) {
    const int top = topHeight(), bottom = menuBandBottom();
    if (bottom <= top) return;
    const ColorAdjust tint{m_adjustR, m_adjustG, m_adjustB};
    const QRect band(leftWidth(), top, std::max(0, width() - leftWidth() - rightWidth()),
                     bottom - top);
    cMemDC dc;
    if (!dc.Init(band.width(), band.height())) return;
    dc.FillGradient(0, 0, band.width(), band.height(), tint.apply(m_clrMenuStart),
                    tint.apply(m_clrMenuEnd), true);
    dc.FillRect(0, band.height() - 1, band.width(), band.height(), tint.apply(m_clrMenuBorder));
    dc.BitBlt(&p, band.x(), band.y(), 0, 0);
}

void Skin::paintFrame(QPainter& p) {
    const int W = width(), H = height(), top = topHeight(), bottom = bottomHeight();
    const cMask& m = m_mask;
    m.DrawImage(&p, LocTopLeft, 0, 0, 0, 0);
    m.DrawImage(&p, LocTopRight, W - m.width(LocTopRight), 0, 0, 0);
    m.DrawImage(&p, LocTop, m.width(LocTopLeft), 0, W - m.width(LocTopRight), m.height(LocTop));
    m.DrawImage(&p, LocLeft, 0, top, m.width(LocLeft), H - bottom);
    m.DrawImage(&p, LocRight, W - m.width(LocRight), top, W, H - bottom);
    if (!m_statusBar) {
        paintPlainBottom(p);
        return;
    }
    m.DrawImage(&p, LocBottomLeft, 0, H - m.height(LocBottomLeft), 0, 0);
    m.DrawImage(&p, LocBottomRight, W - m.width(LocBottomRight), H - m.height(LocBottomRight), 0,
                0);
    m.DrawImage(&p, LocBottom, m.width(LocBottomLeft), H - m.height(LocBottom),
                W - m.width(LocBottomRight), H);
}

// The side edge turned on its side: its outer column becomes the bottom row.
void Skin::paintPlainBottom(QPainter& p) {
    const QRect side = m_mask.rect(LocLeft);
    const QImage& picture = m_mask.drawable();
    const int edge = bottomHeight();
    if (side.isEmpty() || picture.isNull() || edge <= 0) return;
    const int H = height();
    for (int row = 0; row < edge; ++row) {
        const int column = side.left() + std::min(side.width() - 1, edge - 1 - row);
        p.fillRect(0, H - edge + row, width(), 1, picture.pixelColor(column, side.center().y()));
    }
}

void Skin::paintTitle(QPainter& p) {
    const int top = topHeight();
    if (top <= 0 || !m_form) return;
    int x = m_iconLeft;
    QPixmap icon = m_icon;
    if (icon.isNull() && !m_form->windowIcon().isNull())
        icon = m_form->windowIcon().pixmap(kIconSize, kIconSize);
    if (!icon.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(QRect(m_iconLeft, m_iconTop, kIconSize, kIconSize), icon);
        x += kIconSize + kTitleGap;
    } else {
        x += 2;
    }
    int right = width() - rightWidth() - kTitleGap;
    for (SkinButton* b : m_buttons)
        if (b->isVisible()) right = std::min(right, b->x() - kTitleGap);
    const QString caption = m_form->windowTitle();
    if (right <= x || caption.isEmpty()) return;
    QFont font = m_hasTitleFont ? m_titleFont : this->font();
    if (!m_hasTitleFont) font.setBold(true);
    p.setFont(font);
    const QRect area(x, 0, right - x, top);
    const QString shown = p.fontMetrics().elidedText(caption, Qt::ElideRight, area.width());
    // A faint shadow keeps light text readable on every part of the gradient.
    p.setPen(QColor(0, 0, 0, 60));
    p.drawText(area.translated(0, 1), Qt::AlignLeft | Qt::AlignVCenter, shown);
    QColor ink = toQColor(m_clrTitle);
    if (!m_form->isActiveWindow() && m_shown) ink.setAlpha(200);
    p.setPen(ink);
    p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, shown);
}

void Skin::paintPanels(QPainter& p) {
    const int bottom = bottomHeight();
    if (bottom < 15 || m_panels.isEmpty()) return;
    const QVector<StatusPanel> panels = parsePanels(m_panels);
    const int H = height();
    const int sepH = m_mask.height(LocSeparator);
    const int sepTop = sepH > 0 ? H - bottom + (bottom - sepH) / 2 : H - bottom + 1;
    const int bandBottom = (sepH > 0 ? sepTop + sepH : H) - m_stateBottom;
    p.setFont(font());
    const QVector<PanelPlace> places = layoutPanels(
        panels, p.fontMetrics(), width() - m_mask.width(LocBottomRight), sepTop, bandBottom);
    for (int i = 0; i < places.size(); ++i) {
        const PanelPlace& place = places[i];
        if (place.separator && m_layout.separators && sepH > 0)
            m_mask.DrawImage(&p, LocSeparator, place.rect.left(), sepTop, 0, 0);
        if (place.textRect.width() <= 0) continue;
        const OleColor c = panels[i].color == kNoColor ? m_clrState : panels[i].color;
        p.setPen(toQColor(c));
        const int flags = (drawTextFlags(place.format) & ~Qt::AlignVertical_Mask) |
                          Qt::AlignVCenter | Qt::TextSingleLine;
        const QString shown =
            p.fontMetrics().elidedText(panels[i].text, Qt::ElideRight, place.textRect.width());
        p.drawText(place.textRect, flags, shown);
    }
}

}  // namespace kui
