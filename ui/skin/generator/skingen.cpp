// Draws every skin theme as a small complete window, cuts it into the frame pieces and title
// button strips, and packs them into a skin picture plus its marker picture (grid index 253,
// window-shape pixels index 5). The piece order gives the location numbers the Skin control
// expects:
//   row 1: 1 top-left, 2 top (stretched), 3 top-right
//   row 2: 4 left, 5 right (stretched), 6 bottom-left, 7 bottom (stretched), 8 bottom-right
//   row 3: 9 close, 10 status separator, 11 maximise, 12 restore, 13 minimise
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "themes.h"

namespace {

constexpr int kTitle = 30;     // title bar height
constexpr int kBorder = 4;     // side border width
constexpr int kStatus = 24;    // status bar height
constexpr int kCorner = 8;     // width of the left and top-right corner pieces
constexpr int kGrip = 16;      // width of the bottom-right piece
constexpr int kMiddle = 16;    // width of the stretched pieces
constexpr int kSide = 16;      // height of the stretched side pieces
constexpr int kTopRadius = 7;
constexpr int kBottomRadius = 4;
constexpr int kButtonW = 30, kButtonH = 22, kButtonTop = 4;
constexpr int kSepW = 2, kSepH = 16;
constexpr int kWinW = 160, kWinH = 110;

const QRgb kKey = qRgb(255, 0, 255);
constexpr int kGridIndex = 253, kShapeIndex = 5, kOutsideIndex = 0, kPlainIndex = 7;

// The window outline: rounded top corners, slightly rounded bottom corners.
QPainterPath windowPath(const QRectF& r) {
    QPainterPath p;
    const double rt = kTopRadius, rb = kBottomRadius;
    p.moveTo(r.left(), r.top() + rt);
    p.arcTo(r.left(), r.top(), 2 * rt, 2 * rt, 180, -90);
    p.lineTo(r.right() - rt, r.top());
    p.arcTo(r.right() - 2 * rt, r.top(), 2 * rt, 2 * rt, 90, -90);
    p.lineTo(r.right(), r.bottom() - rb);
    p.arcTo(r.right() - 2 * rb, r.bottom() - 2 * rb, 2 * rb, 2 * rb, 0, -90);
    p.lineTo(r.left() + rb, r.bottom());
    p.arcTo(r.left(), r.bottom() - 2 * rb, 2 * rb, 2 * rb, 270, -90);
    p.closeSubpath();
    return p;
}

QLinearGradient titleGradient(const Theme& t) {
    QLinearGradient g(0, 0, 0, kTitle);
    g.setColorAt(0, t.titleTop);
    g.setColorAt(0.5, t.titleMid);
    g.setColorAt(0.5001, t.titleLow);
    g.setColorAt(1, t.titleBottom);
    return g;
}

// The whole window; pixels outside its rounded outline come out in the key colour.
QImage drawWindow(const Theme& t) {
    QImage img(kWinW, kWinH, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = windowPath(QRectF(0, 0, kWinW, kWinH));
    p.setClipPath(shape);
    p.fillRect(img.rect(), t.frame);
    p.fillRect(QRect(0, 0, kWinW, kTitle), titleGradient(t));
    p.setRenderHint(QPainter::Antialiasing, false);
    // Soft highlight under the top edge, and a dark line where the title bar ends.
    QColor shine(255, 255, 255, 70);
    p.fillRect(QRect(1, 1, kWinW - 2, 1), shine);
    p.fillRect(QRect(0, kTitle - 1, kWinW, 1), t.frameInner);
    // Side borders: the inner line keeps the client area apart from the frame.
    p.fillRect(QRect(kBorder - 1, kTitle, 1, kWinH - kTitle - kStatus), t.frameInner);
    p.fillRect(QRect(kWinW - kBorder, kTitle, 1, kWinH - kTitle - kStatus), t.frameInner);
    p.fillRect(QRect(kBorder, kTitle, kWinW - 2 * kBorder, kWinH - kTitle - kStatus), Qt::white);
    // Status bar.
    QLinearGradient sg(0, kWinH - kStatus, 0, kWinH);
    sg.setColorAt(0, t.statusTop);
    sg.setColorAt(1, t.statusBottom);
    p.fillRect(QRect(0, kWinH - kStatus, kWinW, kStatus), sg);
    p.fillRect(QRect(0, kWinH - kStatus, kWinW, 1), t.statusLine);
    // Size grip: three rows of dots in the bottom-right corner.
    const QColor dark = t.statusLine.darker(135), light(255, 255, 255);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            if (row + col < 2) continue;
            const int x = kWinW - 14 + col * 4, y = kWinH - 14 + row * 4;
            p.fillRect(QRect(x + 1, y + 1, 2, 2), light);
            p.fillRect(QRect(x, y, 2, 2), dark);
        }
    p.setClipping(false);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(t.outline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(windowPath(QRectF(0.5, 0.5, kWinW - 1, kWinH - 1)));
    p.end();

    // Half-covered pixels belong to the window, opaque; the rest is the key colour.
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = qAlpha(line[x]) >= 128 ? (line[x] | 0xFF000000u) : kKey;
    }
    return out;
}

enum Glyph { Close, Maximise, Restore, Minimise };

// One title button in its four states: normal, hover, pressed, disabled.
QImage drawButtonStrip(const Theme& t, const QImage& window, Glyph glyph) {
    QImage strip(4 * kButtonW, kButtonH, QImage::Format_ARGB32);
    for (int y = 0; y < kButtonH; ++y)
        for (int x = 0; x < strip.width(); ++x)
            strip.setPixel(x, y, window.pixel(kWinW / 2, kButtonTop + y));
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int state = 0; state < 4; ++state) {
        const QRectF cell(state * kButtonW, 0, kButtonW, kButtonH);
        QColor back;
        if (state == 1) back = glyph == Close ? t.closeHover : t.hover;
        if (state == 2) back = glyph == Close ? t.closePressed : t.pressed;
        if (back.isValid()) {
            p.setPen(Qt::NoPen);
            p.setBrush(back);
            p.drawRoundedRect(cell.adjusted(1, 0, -1, 0), 3, 3);
        }
        QColor ink = t.glyph;
        if (state == 3) ink.setAlpha(90);
        const double x0 = cell.x() + (kButtonW - 10) / 2, y0 = (kButtonH - 10) / 2;
        p.setBrush(Qt::NoBrush);
        QPen pen(ink, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        p.setPen(pen);
        switch (glyph) {
            case Close: {
                QPen x(ink, 1.4, Qt::SolidLine, Qt::RoundCap);
                p.setPen(x);
                p.drawLine(QPointF(x0 + 0.5, y0 + 0.5), QPointF(x0 + 9.5, y0 + 9.5));
                p.drawLine(QPointF(x0 + 9.5, y0 + 0.5), QPointF(x0 + 0.5, y0 + 9.5));
                break;
            }
            case Maximise:
                p.setRenderHint(QPainter::Antialiasing, false);
                p.drawRect(QRectF(x0, y0, 9, 9));
                p.drawLine(QPointF(x0, y0 + 1), QPointF(x0 + 9, y0 + 1));
                p.setRenderHint(QPainter::Antialiasing);
                break;
            case Restore:
                p.setRenderHint(QPainter::Antialiasing, false);
                p.drawRect(QRectF(x0, y0 + 3, 6, 6));
                p.drawLine(QPointF(x0, y0 + 4), QPointF(x0 + 6, y0 + 4));
                p.drawLine(QPointF(x0 + 3, y0 + 3), QPointF(x0 + 3, y0));
                p.drawLine(QPointF(x0 + 3, y0), QPointF(x0 + 9, y0));
                p.drawLine(QPointF(x0 + 9, y0), QPointF(x0 + 9, y0 + 6));
                p.drawLine(QPointF(x0 + 9, y0 + 6), QPointF(x0 + 7, y0 + 6));
                p.setRenderHint(QPainter::Antialiasing);
                break;
            case Minimise:
                p.setRenderHint(QPainter::Antialiasing, false);
                p.fillRect(QRectF(x0, y0 + 8, 10, 1), ink);
                p.setRenderHint(QPainter::Antialiasing);
                break;
        }
    }
    return strip;
}

QImage drawSeparator(const Theme& t, const QImage& window) {
    QImage sep(kSepW, kSepH, QImage::Format_ARGB32);
    const int top = kWinH - kStatus + (kStatus - kSepH) / 2;
    for (int y = 0; y < kSepH; ++y) {
        const QColor back = window.pixelColor(kWinW / 2, top + y);
        const bool end = y == 0 || y == kSepH - 1;
        QColor dark = t.statusLine.darker(115), light = Qt::white;
        if (end) {  // fade the ends into the bar
            dark = QColor((dark.red() + back.red()) / 2, (dark.green() + back.green()) / 2,
                          (dark.blue() + back.blue()) / 2);
            light = back;
        }
        sep.setPixelColor(0, y, dark);
        sep.setPixelColor(1, y, light);
    }
    return sep;
}

struct Piece {
    QImage image;
    int marker;  // marker index of pixels inside the piece (shape or plain)
};

// Packs the rows of pieces; every pixel that is not inside a piece is grid.
void pack(const QVector<QVector<Piece>>& rows, QImage& picture, QImage& markers) {
    int width = 1, height = 1;
    for (const auto& row : rows) {
        int w = 1, h = 0;
        for (const Piece& piece : row) {
            w += piece.image.width() + 1;
            h = std::max(h, piece.image.height());
        }
        width = std::max(width, w);
        height += h + 1;
    }
    picture = QImage(width, height, QImage::Format_RGB32);
    picture.fill(kKey);
    markers = QImage(width, height, QImage::Format_Indexed8);
    QVector<QRgb> palette(256);
    for (int i = 0; i < 256; ++i) palette[i] = qRgb(i, i, i);
    // The entries of the standard palette that the marker indices name.
    palette[kOutsideIndex] = qRgb(0, 0, 0);
    palette[kShapeIndex] = qRgb(128, 0, 128);
    palette[kPlainIndex] = qRgb(192, 192, 192);
    palette[kGridIndex] = qRgb(255, 0, 255);
    markers.setColorTable(palette);
    markers.fill(kGridIndex);
    int y = 1;
    for (const auto& row : rows) {
        int x = 1, h = 0;
        for (const Piece& piece : row) {
            const QImage& img = piece.image;
            for (int yy = 0; yy < img.height(); ++yy)
                for (int xx = 0; xx < img.width(); ++xx) {
                    const QRgb c = img.pixel(xx, yy) | 0xFF000000u;
                    picture.setPixel(x + xx, y + yy, c);
                    const bool outside = c == kKey && piece.marker == kShapeIndex;
                    markers.setPixel(x + xx, y + yy, outside ? kOutsideIndex : piece.marker);
                }
            x += img.width() + 1;
            h = std::max(h, img.height());
        }
        y += h + 1;
    }
}

bool writeTheme(const Theme& t, const QString& dir) {
    const QImage win = drawWindow(t);
    const auto cut = [&](int x, int y, int w, int h) { return win.copy(x, y, w, h); };
    const int bottom = kWinH - kStatus;
    const QVector<QVector<Piece>> rows = {
        {{cut(0, 0, kCorner, kTitle), kShapeIndex},
         {cut(kWinW / 2, 0, kMiddle, kTitle), kShapeIndex},
         {cut(kWinW - kCorner, 0, kCorner, kTitle), kShapeIndex}},
        {{cut(0, kTitle + 10, kBorder, kSide), kShapeIndex},
         {cut(kWinW - kBorder, kTitle + 10, kBorder, kSide), kShapeIndex},
         {cut(0, bottom, kCorner, kStatus), kShapeIndex},
         {cut(kWinW / 2, bottom, kMiddle, kStatus), kShapeIndex},
         {cut(kWinW - kGrip, bottom, kGrip, kStatus), kShapeIndex}},
        {{drawButtonStrip(t, win, Close), kPlainIndex},
         {drawSeparator(t, win), kPlainIndex},
         {drawButtonStrip(t, win, Maximise), kPlainIndex},
         {drawButtonStrip(t, win, Restore), kPlainIndex},
         {drawButtonStrip(t, win, Minimise), kPlainIndex}},
    };
    QImage picture, markers;
    pack(rows, picture, markers);
    QDir().mkpath(dir);
    return picture.save(dir + "/" + t.file + ".png") &&
           markers.save(dir + "/" + t.file + "_mask.png");
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: skingen <builtin-dir> <engine-dir>\n");
        return 2;
    }
    bool ok = true;
    for (const Theme& t : builtinThemes()) ok = writeTheme(t, QString::fromLocal8Bit(argv[1])) && ok;
    for (const Theme& t : engineThemes()) ok = writeTheme(t, QString::fromLocal8Bit(argv[2])) && ok;
    if (!ok) std::fprintf(stderr, "skingen: could not write the pictures\n");
    return ok ? 0 : 1;
}
