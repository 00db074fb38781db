#include "clsdc.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace kui {

namespace {

uchar scaled(uchar c, float f) {
    if (f == 0.0f) return c;
    const float v = std::round((1.0f + f) * float(c));
    return uchar(std::clamp(v, 0.0f, 255.0f));
}

}  // namespace

bool clsDC::CreatehDC(int width, int height) {
    m_image = QImage();
    if (width <= 0 || height <= 0) return false;
    m_image = QImage(width, height, QImage::Format_RGB888);
    if (m_image.isNull()) return false;
    m_image.fill(Qt::black);
    return true;
}

bool clsDC::CreatePicDC(const QImage& picture) {
    m_image = QImage();
    if (picture.isNull()) return false;
    if (picture.hasAlphaChannel()) {
        QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
            for (int x = 0; x < argb.width(); ++x)
                if (qAlpha(line[x]) == 0) line[x] = kMagentaKey;
        }
        m_image = argb.convertToFormat(QImage::Format_RGB888);
    } else {
        m_image = picture.convertToFormat(QImage::Format_RGB888);
    }
    return !m_image.isNull();
}

bool clsDC::LoadPicture(const QString& path) {
    QImage picture;
    if (path.isEmpty() || !picture.load(path)) {
        m_image = QImage();
        return false;
    }
    return CreatePicDC(picture);
}

void clsDC::DrawPicture(QPainter* dest, int x, int y, int width, int height) const {
    if (!dest || m_image.isNull()) return;
    if (width > 0 && height > 0)
        dest->drawImage(QRect(x, y, width, height), m_image);
    else
        dest->drawImage(QPoint(x, y), m_image);
}

void clsDC::AdjustRGB(float clrR, float clrG, float clrB, OleColor) {
    if (m_image.isNull()) return;
    for (int y = 0; y < m_image.height(); ++y) {
        uchar* p = m_image.scanLine(y);
        for (int x = 0; x < m_image.width(); ++x, p += 3) {
            if (p[0] == 255 && p[1] == 0 && p[2] == 255) continue;
            p[0] = scaled(p[0], clrR);
            p[1] = scaled(p[1], clrG);
            p[2] = scaled(p[2], clrB);
        }
    }
}

}  // namespace kui
