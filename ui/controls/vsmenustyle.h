// The style behind VsMenu: a proxy that draws the menu bar, menu items, check fields and
// pop-up frames in the VsMenu colours and leaves every other element to the base style.
#pragma once

#include <QProxyStyle>

#include "vsmenucolors.h"

namespace kui {

class VsMenuStyle : public QProxyStyle {
    Q_OBJECT

  public:
    VsMenuStyle();
    ~VsMenuStyle() override;

    void setColors(const VsMenuColors& colors) { m_colors = colors; }
    const VsMenuColors& colors() const { return m_colors; }

    // Height of an ordinary item and of a separator for the given font height.
    int itemHeight(int fontHeight) const;
    static constexpr int kSeparatorHeight = 7;
    // Width of the column that holds item bitmaps and check fields.
    int columnWidth() const { return m_colors.bitmapSize + 8; }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr, QStyleHintReturn* ret = nullptr) const override;

  private:
    void drawMenuItem(const QStyleOption* option, QPainter* p, const QWidget* widget) const;
    void drawMenuBarItem(const QStyleOption* option, QPainter* p, const QWidget* widget) const;
    void fillMenuBar(QPainter* p, const QRect& area, const QWidget* widget) const;
    QColor color(OleColor value, const QWidget* widget) const;

    VsMenuColors m_colors;
};

}  // namespace kui
