#include "cmemdc.h"

#include <QIcon>
#include <QPainter>

namespace kui {

namespace {

QRect fromLtrb(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QImage withoutColor(const QImage& part, QRgb key) {
    QImage out = part.convertToFormat(QImage::Format_ARGB32);
    key &= 0x00FFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == key) line[x] = 0;
    }
    return out;
}

}  // namespace

int drawTextFlags(int format) {
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format & DT_VCENTER)
        flags |= Qt::AlignVCenter;
    else if (format & DT_BOTTOM)
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    if (format & DT_WORDBREAK) flags |= Qt::TextWordWrap;
    if (format & DT_SINGLELINE) flags |= Qt::TextSingleLine;
    return flags;
}

bool cMemDC::Init(int width, int height, QPaintDevice* parentDC, bool memoryDC) {
    Destroy();
    if (width <= 0 || height <= 0) return false;
    m_parent = parentDC;
    m_memory = memoryDC;
    if (memoryDC) {
        m_surface = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        if (m_surface.isNull()) return false;
        m_surface.fill(Qt::transparent);
        m_target = &m_surface;
    } else {
        auto* image = dynamic_cast<QImage*>(parentDC);
        if (!image || image->isNull()) return false;
        m_target = image;
    }
    m_created = true;
    return true;
}

void cMemDC::Destroy() {
    m_surface = QImage();
    m_target = nullptr;
    m_parent = nullptr;
    m_created = false;
    m_memory = true;
}

QColor cMemDC::color(OleColor c) const {
    return toQColor(c);
}

void cMemDC::Cls() {
    if (!m_created) return;
    if (m_backStyle == 1)
        m_target->fill(color(m_backColor));
    else
        m_target->fill(Qt::transparent);
}

void cMemDC::FillRect(int left, int top, int right, int bottom, OleColor c) {
    if (!m_created || c == kNoColor) return;
    QPainter p(m_target);
    p.fillRect(fromLtrb(left, top, right, bottom), color(c));
}

void cMemDC::FrameRect(int left, int top, int right, int bottom, OleColor c) {
    if (!m_created || c == kNoColor || right <= left || bottom <= top) return;
    QPainter p(m_target);
    const QColor col = color(c);
    p.fillRect(QRect(left, top, right - left, 1), col);
    p.fillRect(QRect(left, bottom - 1, right - left, 1), col);
    p.fillRect(QRect(left, top, 1, bottom - top), col);
    p.fillRect(QRect(right - 1, top, 1, bottom - top), col);
}

void cMemDC::Rectangle(int left, int top, int right, int bottom) {
    if (!m_created || right <= left || bottom <= top) return;
    QPainter p(m_target);
    p.setPen(m_pen);
    p.setBrush(m_brush);
    // The outline lies inside the rectangle, as the platform draws it with a one-pixel pen.
    p.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void cMemDC::DrawLine(int x1, int y1, int x2, int y2, OleColor c) {
    if (!m_created) return;
    if (x1 == x2 && y1 == y2) return;
    QPainter p(m_target);
    QPen pen = m_pen;
    pen.setColor(color(c == kNoColor ? m_foreColor : c));
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    // A flat cap leaves the end point out, as the platform's line does.
    p.drawLine(x1, y1, x2, y2);
}

void cMemDC::DrawText(const QString& text, int left, int top, int right, int bottom, int format,
                      OleColor c) {
    if (!m_created || text.isEmpty()) return;
    QPainter p(m_target);
    p.setFont(m_font);
    p.setPen(color(c == kNoColor ? m_foreColor : c));
    const QRect r = fromLtrb(left, top, right, bottom);
    QString shown = text;
    if (format & DT_END_ELLIPSIS)
        shown = p.fontMetrics().elidedText(text, Qt::ElideRight, r.width());
    p.drawText(r, drawTextFlags(format), shown);
}

void cMemDC::FillGradient(int left, int top, int right, int bottom, OleColor clrFirst,
                          OleColor clrSecond, bool bVertical, bool bDrawBorder,
                          OleColor clrBorder) {
    if (!m_created || right <= left || bottom <= top) return;
    const QColor a = color(clrFirst);
    const QColor b = color(clrSecond);
    const int steps = bVertical ? bottom - top : right - left;
    QPainter p(m_target);
    for (int i = 0; i < steps; ++i) {
        const double t = steps > 1 ? double(i) / (steps - 1) : 0.0;
        const QColor c(int(a.red() + (b.red() - a.red()) * t + 0.5),
                       int(a.green() + (b.green() - a.green()) * t + 0.5),
                       int(a.blue() + (b.blue() - a.blue()) * t + 0.5));
        if (bVertical)
            p.fillRect(QRect(left, top + i, right - left, 1), c);
        else
            p.fillRect(QRect(left + i, top, 1, bottom - top), c);
    }
    p.end();
    if (bDrawBorder && clrBorder != kNoColor) FrameRect(left, top, right, bottom, clrBorder);
}

OleColor cMemDC::GetPixel(int x, int y) const {
    if (!m_created || !m_target->valid(x, y)) return kNoColor;
    return fromQColor(m_target->pixelColor(x, y));
}

void cMemDC::SetPixel(int x, int y, OleColor c) {
    if (!m_created || c == kNoColor || !m_target->valid(x, y)) return;
    m_target->setPixelColor(x, y, color(c));
}

void cMemDC::BitBlt(QPainter* dest, int x, int y, int width, int height, int xSrc, int ySrc) const {
    if (!m_created || !dest) return;
    if (width == 0) width = m_target->width();
    if (height == 0) height = m_target->height();
    dest->drawImage(QPoint(x, y), *m_target, QRect(xSrc, ySrc, width, height));
}

void cMemDC::StretchBlt(QPainter* dest, int x, int y, int width, int height, int xSrc, int ySrc,
                        int widthSrc, int heightSrc) const {
    if (!m_created || !dest) return;
    dest->drawImage(QRect(x, y, width, height), *m_target, QRect(xSrc, ySrc, widthSrc, heightSrc));
}

void cMemDC::LoadBlt(const QImage& source, int x, int y, int width, int height, int xSrc,
                     int ySrc) {
    if (!m_created || source.isNull()) return;
    if (width == 0) width = source.width();
    if (height == 0) height = source.height();
    QPainter p(m_target);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(x, y), source, QRect(xSrc, ySrc, width, height));
}

void cMemDC::TransBlt(QPainter* dest, int x, int y, int width, int height, int xSrc, int ySrc,
                      OleColor clrMask) const {
    if (!m_created) return;
    if (width == 0) width = m_target->width();
    if (height == 0) height = m_target->height();
    const QImage part = m_target->copy(xSrc, ySrc, width, height);
    const QImage keyed = clrMask == kNoColor ? part : withoutColor(part, toQColor(clrMask).rgb());
    if (dest) {
        dest->drawImage(QPoint(x, y), keyed);
        return;
    }
    if (!m_parent || m_parent == m_target) return;
    QPainter p(m_parent);
    p.drawImage(QPoint(x, y), keyed);
}

void cMemDC::PaintPicture(const QImage& picture, int x, int y, int width, int height) {
    if (!m_created || picture.isNull()) return;
    QPainter p(m_target);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (width > 0 && height > 0)
        p.drawImage(QRect(x, y, width, height), picture);
    else
        p.drawImage(QPoint(x, y), picture);
}

QPixmap cMemDC::BitmapToPicture() const {
    if (!m_created) return {};
    return QPixmap::fromImage(*m_target);
}

QPixmap cMemDC::IconToPicture(const QIcon& icon, int size) {
    if (icon.isNull() || size <= 0) return {};
    return icon.pixmap(size, size);
}

}  // namespace kui
