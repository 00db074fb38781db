// cMask cuts a skin picture into numbered pieces ("locations") by a marker picture of the same
// size: an 8-bit indexed picture in which palette index 253 draws the grid lines between the
// pieces and index 5 marks the pixels of a piece that belong to the window's shape. Pieces are
// numbered from 1 in the order their top-left corners are met, row by row. Marker pictures
// without a palette work too: magenta is index 253 and RGB(128, 0, 128) index 5, the entries
// of the platform's standard palette.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QVector>

#include "ui/core/clsdc.h"

class QPainter;

namespace kui {

inline constexpr int kMarkerGridIndex = 253;
inline constexpr int kMarkerShapeIndex = 5;
inline constexpr int kRegionLocations = 8;  // regions exist for locations 1 to 8

class cMask {
  public:
    // Setting either picture rebuilds the locations (and regions, when Mask is on).
    void setPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }
    void setMaskPicture(const QImage& markers);
    const QImage& MaskPicture() const { return m_markers; }
    void setMask(bool buildRegions);
    bool Mask() const { return m_buildRegions; }

    // The colour adjustment in percent per channel, applied by AdjustRGB.
    double colorR() const { return m_colorR; }
    void setColorR(double percent) { m_colorR = percent; }
    double colorG() const { return m_colorG; }
    void setColorG(double percent) { m_colorG = percent; }
    double colorB() const { return m_colorB; }
    void setColorB(double percent) { m_colorB = percent; }

    int RectCount() const { return int(m_locations.size()); }
    // 1-based pixel coordinates, right and bottom included; false for an unknown location.
    bool GetRect(int loc, int& x1, int& y1, int& x2, int& y2) const;
    // The same piece as a platform rectangle: 0-based, right and bottom excluded.
    bool GetbRect(int loc, int& x1, int& y1, int& x2, int& y2) const;
    // The piece in 0-based picture coordinates; empty for an unknown location.
    QRect rect(int loc) const;
    int width(int loc) const { return rect(loc).width(); }
    int height(int loc) const { return rect(loc).height(); }
    // The piece's shape with its top-left corner at the origin; empty unless Mask is on and
    // loc is 1 to 8.
    QRegion GetRgn(int loc) const;

    // The marker index of a pixel, read the same way as the scan does.
    int markerIndex(int x, int y) const;

    // Copies the piece 1:1 to (left, top) when the target has the piece's size or right or
    // bottom is 0; otherwise stretches it into left..right x top..bottom (right, bottom out).
    void DrawImage(QPainter* dest, int loc, int left, int top, int right, int bottom) const;
    // The piece is a strip of four equal state images; draws image `state` (0-3) at (0, 0).
    void DrawControl(QPainter* dest, int loc, int state) const;
    // The source rectangle DrawControl uses, 0-based.
    QRect controlRect(int loc, int state) const;

    // Re-tints the picture from the untinted original with colorR/G/B.
    void AdjustRGB();
    // The tinted picture (24-bit), and the same with the key colour made transparent, which is
    // what DrawImage and DrawControl paint.
    const QImage& tinted() const { return m_tinted.hDC(); }
    const QImage& drawable() const { return m_drawable; }

  private:
    void rebuild();
    void scanLocations();
    void buildRegions();

    QImage m_picture;
    QImage m_markers;
    clsDC m_tinted;
    QImage m_drawable;
    bool m_buildRegions = false;
    double m_colorR = 0;
    double m_colorG = 0;
    double m_colorB = 0;
    QVector<QRect> m_locations;  // 0-based
    QVector<QRegion> m_regions;
};

}  // namespace kui
