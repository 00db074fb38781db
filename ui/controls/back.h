// Back: a background panel filled with a solid colour, a two-colour or a three-colour
// gradient, with an optional one-pixel border.
#pragma once

#include <QWidget>

#include "ui/core/colorrule.h"

namespace kui {

class PropertyBag;

class Back : public QWidget {
    Q_OBJECT

  public:
    explicit Back(QWidget* parent = nullptr);
    ~Back() override;

    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    OleColor clrBorder() const { return m_border; }
    void setClrBorder(OleColor c);
    OleColor clrStart() const { return m_start; }
    void setClrStart(OleColor c);
    OleColor clrMiddle() const { return m_middle; }
    void setClrMiddle(OleColor c);
    OleColor clrEnd() const { return m_end; }
    void setClrEnd(OleColor c);
    // true: top to bottom; false: left to right.
    bool ShowOrder() const { return m_showOrder; }
    void setShowOrder(bool v);
    bool ShowBorder() const { return m_showBorder; }
    void setShowBorder(bool v);
    // 1 solid (clrEnd), 2 two colours, 3 three colours split at MiddleStep.
    int ShowColor() const { return m_showColor; }
    void setShowColor(int v);
    // Percent, kept within 0..100.
    int MiddleStep() const { return m_middleStep; }
    void setMiddleStep(int v);
    // While true, ChangeColor and AdjustRGB are ignored. Persisted as "Lock".
    bool LockRefresh() const { return m_lock; }
    void setLockRefresh(bool v) { m_lock = v; }

    void ChangeColor(OleColor border, bool showBorder, OleColor clr1, OleColor clr2, OleColor clr3,
                     int showStyle);
    void AdjustRGB(double red, double green, double blue);

  signals:
    void Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void setDefaults();

    OleColor m_border, m_start, m_middle, m_end;
    bool m_showOrder, m_showBorder;
    int m_showColor, m_middleStep;
    bool m_lock;
    OleColor m_base[4] = {};
    bool m_hasBase = false;
};

}  // namespace kui
