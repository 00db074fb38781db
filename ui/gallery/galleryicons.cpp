#include "galleryicons.h"

#include <QPainter>
#include <QPainterPath>

namespace gallery {

namespace {

QPixmap blank(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QPixmap folderIcon(int size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(176, 128, 24), 1));
    p.setBrush(QColor(250, 210, 100));
    p.drawRoundedRect(QRectF(1.5, 3.5, 6, 3), 1, 1);
    QLinearGradient g(0, 5, 0, 14);
    g.setColorAt(0, QColor(255, 228, 140));
    g.setColorAt(1, QColor(238, 184, 60));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1.5, 5.5, 13, 8.5), 1, 1);
    return pixmap;
}

QPixmap chipIcon(int size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (int i = 0; i < 4; ++i) {
        p.drawLine(QPointF(5 + i * 2, 1), QPointF(5 + i * 2, 3));
        p.drawLine(QPointF(5 + i * 2, 13), QPointF(5 + i * 2, 15));
    }
    p.setPen(QPen(QColor(30, 30, 40), 1));
    p.setBrush(QColor(60, 64, 78));
    p.drawRoundedRect(QRectF(2.5, 3.5, 11, 9), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 200, 210));
    p.drawEllipse(QPointF(5, 6), 1, 1);
    return pixmap;
}

QPixmap diskIcon(int size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(30, 60, 130), 1));
    p.setBrush(QColor(70, 110, 200));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setBrush(QColor(235, 240, 250));
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(245, 245, 245));
    p.drawRect(QRectF(3.5, 9.5, 9, 5));
    return pixmap;
}

}  // namespace gallery
