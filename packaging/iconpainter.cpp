// Paints KORVAN's application icon (the same picture as korvan.svg: a chip with a download
// arrow) as PNG files of the sizes the desktop's hicolor theme asks for, at build time.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdio>

namespace {

QImage PaintIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xc9, 0xd3, 0xf5));
    for (int y : {16, 26, 36, 46}) {
        painter.drawRect(QRectF(6, y, 8, 4));
        painter.drawRect(QRectF(50, y, 8, 4));
    }
    painter.setPen(QPen(QColor(0x1c, 0x2f, 0x75), 2));
    painter.setBrush(QColor(0x2f, 0x4f, 0xb8));
    painter.drawRoundedRect(QRectF(14, 10, 36, 44), 3, 3);
    const QColor arrow(0xff, 0xd7, 0x9d);
    painter.setPen(QPen(arrow, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(32, 18);
    path.lineTo(32, 38);
    path.moveTo(24, 30);
    path.lineTo(32, 38);
    path.lineTo(40, 30);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(arrow);
    painter.drawRoundedRect(QRectF(22, 42, 20, 4), 1, 1);
    return image;
}

}  // namespace

// iconpainter OUTPUT_FOLDER SIZE...: writes OUTPUT_FOLDER/korvan-SIZE.png for each size.
int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: iconpainter OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        const QString file = folder + QStringLiteral("/korvan-%1.png").arg(size);
        if (size <= 0 || !PaintIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "iconpainter: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
