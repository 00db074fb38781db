#include "cmask.h"

#include <QPainter>
#include <cmath>
#include <vector>

namespace kui {

void cMask::setPicture(const QImage& picture) {
    m_picture = picture;
    m_tinted.CreatePicDC(picture);
    AdjustRGB();
}

void cMask::setMaskPicture(const QImage& markers) {
    m_markers = markers;
    rebuild();
}

void cMask::setMask(bool buildRegions) {
    if (m_buildRegions == buildRegions) return;
    m_buildRegions = buildRegions;
    buildRegions ? cMask::buildRegions() : m_regions.clear();
}

void cMask::rebuild() {
    m_locations.clear();
    m_regions.clear();
    scanLocations();
    if (m_buildRegions) buildRegions();
}

int cMask::markerIndex(int x, int y) const {
    if (!m_markers.valid(x, y)) return -1;
    if (m_markers.format() == QImage::Format_Indexed8) return m_markers.constScanLine(y)[x];
    const QRgb c = m_markers.pixel(x, y) & 0x00FFFFFF;
    if (c == 0x00FF00FF) return kMarkerGridIndex;
    if (c == 0x00800080) return kMarkerShapeIndex;
    return 0;
}

void cMask::scanLocations() {
    const int w = m_markers.width();
    const int h = m_markers.height();
    if (w <= 0 || h <= 0) return;
    std::vector<bool> grid(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) grid[size_t(y) * w + x] = markerIndex(x, y) == kMarkerGridIndex;
    std::vector<bool> taken(grid.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const size_t at = size_t(y) * w + x;
            if (grid[at] || taken[at]) continue;
            int right = x;
            while (right + 1 < w && !grid[size_t(y) * w + right + 1]) ++right;
            int bottom = y;
            while (bottom + 1 < h && !grid[size_t(bottom + 1) * w + right]) ++bottom;
            for (int yy = y; yy <= bottom; ++yy)
                for (int xx = x; xx <= right; ++xx) taken[size_t(yy) * w + xx] = true;
            m_locations.append(QRect(QPoint(x, y), QPoint(right, bottom)));
            x = right;
        }
    }
}

void cMask::buildRegions() {
    m_regions.clear();
    const int count = std::min<int>(kRegionLocations, int(m_locations.size()));
    for (int i = 0; i < count; ++i) {
        const QRect r = m_locations[i];
        QRegion region;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            int run = -1;
            for (int x = r.left(); x <= r.right() + 1; ++x) {
                const bool in = x <= r.right() && markerIndex(x, y) == kMarkerShapeIndex;
                if (in && run < 0) run = x;
                if (!in && run >= 0) {
                    region += QRect(run - r.left(), y - r.top(), x - run, 1);
                    run = -1;
                }
            }
        }
        m_regions.append(region);
    }
}

QRect cMask::rect(int loc) const {
    if (loc < 1 || loc > m_locations.size()) return {};
    return m_locations[loc - 1];
}

bool cMask::GetRect(int loc, int& x1, int& y1, int& x2, int& y2) const {
    const QRect r = rect(loc);
    if (r.isEmpty()) return false;
    x1 = r.left() + 1;
    y1 = r.top() + 1;
    x2 = r.right() + 1;
    y2 = r.bottom() + 1;
    return true;
}

bool cMask::GetbRect(int loc, int& x1, int& y1, int& x2, int& y2) const {
    const QRect r = rect(loc);
    if (r.isEmpty()) return false;
    x1 = r.left();
    y1 = r.top();
    x2 = r.right() + 1;
    y2 = r.bottom() + 1;
    return true;
}

QRegion cMask::GetRgn(int loc) const {
    if (loc < 1 || loc > m_regions.size()) return {};
    return m_regions[loc - 1];
}

void cMask::DrawImage(QPainter* dest, int loc, int left, int top, int right, int bottom) const {
    const QRect src = rect(loc);
    if (!dest || src.isEmpty() || m_drawable.isNull()) return;
    const QImage& image = m_drawable;
    if (right == 0 || bottom == 0 ||
        (right - left == src.width() && bottom - top == src.height())) {
        dest->drawImage(QPoint(left, top), image, src);
        return;
    }
    if (right <= left || bottom <= top) return;
    dest->drawImage(QRect(left, top, right - left, bottom - top), image, src);
}

QRect cMask::controlRect(int loc, int state) const {
    const QRect r = rect(loc);
    if (r.isEmpty()) return {};
    const int x = int(std::lround(r.left() + double(r.width()) * state / 4.0));
    const int w = int(std::lround(r.width() / 4.0));
    return QRect(x, r.top(), w, r.height());
}

void cMask::DrawControl(QPainter* dest, int loc, int state) const {
    if (!dest || m_drawable.isNull() || state < 0 || state > 3) return;
    const QRect src = controlRect(loc, state);
    if (src.isEmpty()) return;
    dest->drawImage(QPoint(0, 0), m_drawable, src);
}

void cMask::AdjustRGB() {
    m_drawable = QImage();
    if (m_picture.isNull()) {
        m_tinted.Destroy();
        return;
    }
    m_tinted.CreatePicDC(m_picture);
    m_tinted.AdjustRGB(float(m_colorR / 100.0), float(m_colorG / 100.0), float(m_colorB / 100.0));
    // The key colour is never drawn: it marks the parts of a piece that let through what lies
    // beneath (the rounded outside of a corner, the edges of a title button).
    m_drawable = m_tinted.hDC().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < m_drawable.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_drawable.scanLine(y));
        for (int x = 0; x < m_drawable.width(); ++x)
            if (line[x] == kMagentaKey) line[x] = 0;
    }
    m_drawable = m_drawable.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace kui
