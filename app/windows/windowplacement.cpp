#include "windows/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace korvan {

void CenterOver(QWidget* window, const QWidget* anchor) {
    if (!window) return;
    const bool overAnchor = anchor && anchor->isVisible() && !anchor->isMinimized();
    QScreen* screen =
        overAnchor && anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect target = overAnchor ? anchor->frameGeometry() : area;
    QRect frame(QPoint(0, 0), window->frameGeometry().size());
    frame.moveCenter(target.center());
    // Never partly off the screen: the caption must stay reachable.
    frame.moveLeft(
        std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width())));
    frame.moveTop(
        std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height())));
    window->move(frame.topLeft());
}

void SetTopMost(QWidget* window, bool topMost) {
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topMost) return;
    const bool visible = window->isVisible();
    const QPoint position = window->pos();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    window->move(position);
    if (visible) window->show();
}

}  // namespace korvan
