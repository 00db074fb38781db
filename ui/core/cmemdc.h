// cMemDC is an off-screen drawing surface with the primitives the skinned controls draw with;
// they paint into it and copy it to the screen in one go, so nothing flickers. Rectangles are
// left, top, right, bottom with right and bottom excluded. Colours follow the colour rule;
// kNoColor means "no colour". Every call on a surface that was never created does nothing.
#pragma once

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPixmap>

#include "ui/core/colorrule.h"

class QIcon;
class QPaintDevice;
class QPainter;

namespace kui {

// Text placement codes of DrawText, as the platform numbers them.
enum DrawTextFormat {
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_END_ELLIPSIS = 0x8000,
};

// The Qt alignment and flags that stand for a DrawText format code.
int drawTextFlags(int format);

class cMemDC {
  public:
    cMemDC() = default;
    cMemDC(const cMemDC&) = delete;
    cMemDC& operator=(const cMemDC&) = delete;

    // Creates (or re-creates) the surface. With memoryDC false the surface is the parent
    // picture itself, which must then be a QImage; the parent is also the default target of
    // TransBlt. Fails on an empty size.
    bool Init(int width, int height, QPaintDevice* parentDC = nullptr, bool memoryDC = true);
    void Destroy();
    bool IsCreated() const { return m_created; }
    bool IsMemoryDC() const { return m_memory; }

    QImage* hDC() { return m_created ? m_target : nullptr; }
    int Width() const { return m_created ? m_target->width() : 0; }
    int Height() const { return m_created ? m_target->height() : 0; }

    // 1 opaque: Cls fills with BackColor; 0 transparent: Cls clears to transparent.
    int BackStyle() const { return m_backStyle; }
    void setBackStyle(int style) { m_backStyle = style; }
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor c) { m_backColor = c; }
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor c) { m_foreColor = c; }
    QPen Pen() const { return m_pen; }
    void setPen(const QPen& pen) { m_pen = pen; }
    QBrush Brush() const { return m_brush; }
    void setBrush(const QBrush& brush) { m_brush = brush; }
    QFont Font() const { return m_font; }
    void setFont(const QFont& font) { m_font = font; }

    void Cls();
    void FillRect(int left, int top, int right, int bottom, OleColor color);
    void FrameRect(int left, int top, int right, int bottom, OleColor color);
    // Outlined with Pen and filled with Brush.
    void Rectangle(int left, int top, int right, int bottom);
    // kNoColor draws in ForeColor. The end point is excluded, as the platform's line is.
    void DrawLine(int x1, int y1, int x2, int y2, OleColor color = kNoColor);
    void DrawText(const QString& text, int left, int top, int right, int bottom, int format,
                  OleColor color = kNoColor);
    // A two-colour linear gradient with both end colours exact, left to right or (bVertical)
    // top to bottom, optionally framed in clrBorder.
    void FillGradient(int left, int top, int right, int bottom, OleColor clrFirst,
                      OleColor clrSecond, bool bVertical, bool bDrawBorder = false,
                      OleColor clrBorder = kNoColor);

    OleColor GetPixel(int x, int y) const;  // kNoColor outside the surface
    void SetPixel(int x, int y, OleColor color);

    // Copies part of the surface to `dest` at (x, y); a width or height of 0 takes the full one.
    void BitBlt(QPainter* dest, int x, int y, int width, int height, int xSrc = 0,
                int ySrc = 0) const;
    void StretchBlt(QPainter* dest, int x, int y, int width, int height, int xSrc, int ySrc,
                    int widthSrc, int heightSrc) const;
    // Copies part of `source` into the surface at (x, y).
    void LoadBlt(const QImage& source, int x, int y, int width, int height, int xSrc = 0,
                 int ySrc = 0);
    // Like BitBlt, leaving out every pixel of clrMask; a null `dest` means the parent picture.
    void TransBlt(QPainter* dest, int x, int y, int width, int height, int xSrc, int ySrc,
                  OleColor clrMask) const;

    // Draws a picture into the surface, stretched when width and height are given.
    void PaintPicture(const QImage& picture, int x, int y, int width = 0, int height = 0);
    QPixmap BitmapToPicture() const;
    static QPixmap IconToPicture(const QIcon& icon, int size);

    OleColor TranslateColor(OleColor color) const { return translateColor(color); }

  private:
    QColor color(OleColor c) const;

    QImage m_surface;
    QImage* m_target = nullptr;
    QPaintDevice* m_parent = nullptr;
    bool m_created = false;
    bool m_memory = true;
    int m_backStyle = 1;
    OleColor m_backColor = SysWindow;
    OleColor m_foreColor = SysWindowText;
    QPen m_pen{Qt::black};
    QBrush m_brush{Qt::NoBrush};
    QFont m_font;
};

}  // namespace kui
