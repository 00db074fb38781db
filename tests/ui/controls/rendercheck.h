// Pixel reading for the render tests: what a control drew, as plain colour values.
#pragma once

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include "ui/core/colorrule.h"

namespace kui::test {

inline QImage render(QWidget& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pointer movement as the window system reports it: entering, moving inside, leaving.
// (The offscreen platform turns cursor moves into enter and leave events only.)
inline void hover(QWidget* w, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton) {
    const QPointF local(pos);
    const QPointF global = w->mapToGlobal(local);
    if (w->rect().contains(pos)) {
        QEnterEvent enter(local, local, global);
        QApplication::sendEvent(w, &enter);
    }
    QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    if (!w->rect().contains(pos) && !buttons) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(w, &leave);
    }
}

inline OleColor at(const QImage& image, int x, int y) {
    return fromQColor(image.pixelColor(x, y));
}

}  // namespace kui::test
