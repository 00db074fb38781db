// clsDC is a 24-bit picture held in memory with direct access to its pixel rows, and the one
// operation that tints a whole skin picture. Magenta (255, 0, 255) is the key colour of the
// skin pictures: it marks what is not drawn, so tinting leaves it alone.
#pragma once

#include <QImage>
#include <QString>

#include "ui/core/colorrule.h"

class QPainter;

namespace kui {

inline constexpr QRgb kMagentaKey = 0xFFFF00FFu;

class clsDC {
  public:
    // An empty (black) picture; false on an empty size.
    bool CreatehDC(int width, int height);
    // A 24-bit copy of `picture`. Fully transparent pixels become the key colour, so that an
    // image with an alpha channel keeps its holes.
    bool CreatePicDC(const QImage& picture);
    // Loads a picture file (or resource path) into a 24-bit copy.
    bool LoadPicture(const QString& path);
    bool LoadPicture(const QImage& picture) { return CreatePicDC(picture); }
    void Destroy() { m_image = QImage(); }

    // Draws the picture at (x, y), stretched to width x height when both are given.
    void DrawPicture(QPainter* dest, int x, int y, int width = 0, int height = 0) const;

    bool isNull() const { return m_image.isNull(); }
    QImage& hDC() { return m_image; }
    const QImage& hDC() const { return m_image; }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    // Bytes per pixel row, a multiple of 4.
    int ScanLine() const { return int(m_image.bytesPerLine()); }

    // Every pixel except the magenta key: channel c becomes min(255, round((1 + f) * c)), f the
    // channel's factor as a fraction (0 leaves it). clrMask is accepted for the callers that
    // pass one; the key is fixed.
    void AdjustRGB(float clrR, float clrG, float clrB, OleColor clrMask = kNoColor);

  private:
    QImage m_image;  // Format_RGB888
};

}  // namespace kui
