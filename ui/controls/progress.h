// Progress: a segmented, glossy progress bar that can also run a busy animation (a block of
// segments sweeping across the bar, raising WaitEnd each time it wraps around).
#pragma once

#include <QTimer>
#include <QWidget>

#include "ui/core/colorrule.h"

namespace kui {

class PropertyBag;

class Progress : public QWidget {
    Q_OBJECT

  public:
    explicit Progress(QWidget* parent = nullptr);
    ~Progress() override;

    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    long Value() const { return m_value; }
    // Kept within Min..Max; raises Change on every assignment.
    void setValue(long v);
    long Max() const { return m_max; }
    void setMax(long v);
    long Min() const { return m_min; }
    void setMin(long v);
    // 1 = busy animation instead of a position.
    int Scrolling() const { return m_scrolling; }
    void setScrolling(int v);
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor c);
    // 0 horizontal, 1 vertical (filling from the bottom).
    int Orientation() const { return m_orientation; }
    void setOrientation(int v);
    OleColor FillColor() const { return m_fillColor; }
    void setFillColor(OleColor c);
    OleColor BorderColor() const { return m_borderColor; }
    void setBorderColor(OleColor c);
    long SegmentWidth() const { return m_segmentWidth; }
    void setSegmentWidth(long v);
    long SegmentSpace() const { return m_segmentSpace; }
    void setSegmentSpace(long v);
    long WaitWidth() const { return m_waitWidth; }
    void setWaitWidth(long v);

    void ChangeColor(OleColor back, OleColor border, OleColor fill);
    // Tints the fill colour remembered at the last ChangeColor.
    void AdjustRGB(double red, double green, double blue);
    // Sets the animation interval and, in busy mode, starts or stops it. True when the
    // animation now runs.
    bool PauseWait(bool enable, int interval);

    // The area inside the outline, and the geometry the drawing uses.
    QRect InnerRect() const;
    int SegmentUnit() const { return int(m_segmentWidth + m_segmentSpace); }
    // Filled length in pixels along the bar in position mode (whole segments only).
    int FillLength() const;
    // Busy mode: the moving block as a range along the bar (may start before or end after
    // the inner area), and the tick counter.
    int WaitBlockSegments() const;
    int WaitTick() const { return m_tick; }
    int WaitTickCount() const;
    // One animation step; the timer calls it, and so may anyone driving the animation.
    void Tick();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void Click();
    void Change(long value);
    void WaitEnd();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void setDefaults();
    void clampValue();
    int innerLength() const;
    void drawBand(QPainter& p, const QRect& inner, int from, int to, const QColor& fill);

    long m_value = 0;
    long m_max, m_min;
    int m_scrolling, m_orientation;
    OleColor m_backColor, m_fillColor, m_borderColor;
    OleColor m_baseFill;
    bool m_hasBaseFill = false;
    long m_segmentWidth, m_segmentSpace, m_waitWidth;
    int m_tick = 0;
    QTimer m_timer;
};

}  // namespace kui
