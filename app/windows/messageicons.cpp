#include "windows/messageicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace korvan {

namespace {

enum class Shape { Circle, Triangle, Square };

struct IconLook {
    Shape shape;
    QColor fill;
    QString glyph;  // drawn in white; empty for a picture of its own
};

IconLook LookOf(int digit) {
    switch (digit) {
        case 1:
            return {Shape::Circle, QColor(214, 48, 49), QStringLiteral("×")};
        case 2:
            return {Shape::Triangle, QColor(240, 170, 20), QStringLiteral("!")};
        case 3:
            return {Shape::Circle, QColor(52, 120, 220), QStringLiteral("?")};
        case 4:
            return {Shape::Circle, QColor(46, 160, 67), QStringLiteral("✓")};
        case 5:
            return {Shape::Circle, QColor(180, 30, 30), QString()};
        case 6:
            return {Shape::Circle, QColor(46, 160, 67), QStringLiteral("i")};
        case 7:
            return {Shape::Triangle, QColor(120, 126, 138), QStringLiteral("!")};
        case 8:
            return {Shape::Circle, QColor(90, 107, 212), QString()};
        case 9:
            return {Shape::Square, QColor(60, 68, 84), QString()};
        default:
            return {Shape::Circle, QColor(52, 120, 220), QStringLiteral("i")};
    }
}

void DrawOwnPicture(QPainter& p, int digit, const QRectF& r) {
    const qreal u = r.width() / 32.0;
    p.setPen(QPen(Qt::white, 3 * u, Qt::SolidLine, Qt::RoundCap));
    if (digit == 5) {
        p.drawLine(QPointF(r.left() + 9 * u, r.center().y()),
                   QPointF(r.right() - 9 * u, r.center().y()));
    } else if (digit == 8) {
        p.drawLine(r.center(), QPointF(r.center().x(), r.top() + 8 * u));
        p.drawLine(r.center(), QPointF(r.right() - 10 * u, r.center().y()));
    } else if (digit == 9) {
        // A chip: a body with three legs on either side.
        p.setPen(QPen(Qt::white, 2 * u));
        for (int i = 0; i < 3; ++i) {
            const qreal y = r.top() + (10 + 6 * i) * u;
            p.drawLine(QPointF(r.left() + 3 * u, y), QPointF(r.left() + 9 * u, y));
            p.drawLine(QPointF(r.right() - 9 * u, y), QPointF(r.right() - 3 * u, y));
        }
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(r.left() + 13 * u, r.top() + 11 * u), 1.5 * u, 1.5 * u);
    }
}

}  // namespace

QPixmap MessageIcon(int digit, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const IconLook look = LookOf(digit);
    const QRectF r(1, 1, size - 2, size - 2);
    p.setPen(QPen(look.fill.darker(125), 1));
    p.setBrush(look.fill);
    switch (look.shape) {
        case Shape::Circle:
            p.drawEllipse(r);
            break;
        case Shape::Triangle:
            p.drawPolygon(
                QPolygonF({QPointF(r.center().x(), r.top() + 1), QPointF(r.right(), r.bottom() - 1),
                           QPointF(r.left(), r.bottom() - 1)}));
            break;
        case Shape::Square:
            p.drawRoundedRect(r.adjusted(size / 5.0, size / 8.0, -size / 5.0, -size / 8.0), 3, 3);
            break;
    }
    if (look.glyph.isEmpty()) {
        DrawOwnPicture(p, digit, r);
        return pixmap;
    }
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(size * 5 / 8);
    p.setFont(font);
    p.setPen(Qt::white);
    QRectF glyphRect = r;
    if (look.shape == Shape::Triangle) glyphRect.adjust(0, size / 6.0, 0, 0);
    p.drawText(glyphRect, Qt::AlignCenter, look.glyph);
    return pixmap;
}

}  // namespace korvan
