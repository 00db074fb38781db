// VsMenu: an invisible control that, once attached to a window, draws that window's menu bar
// and every pop-up menu opened from it in KORVAN's colours (gradient bar, framed highlight,
// coloured check field, bitmap column, disabled colours) and reports the highlighted item.
#pragma once

#include <QFont>
#include <QList>
#include <QObject>
#include <QPointer>

#include "vsmenucolors.h"

#include <QMenu>
#include <QMenuBar>
class QWidget;
class QStyle;

namespace kui {

class PropertyBag;
class VsMenuStyle;

class VsMenu : public QObject {
    Q_OBJECT

  public:
    explicit VsMenu(QObject* parent = nullptr);
    ~VsMenu() override;

    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Attaches to `host`: its menu bar (the first one inside it), the menus already built
    // under it, and every menu that opens later under it or, parentless, while it is the
    // active window. Attaching to another window detaches from the first. False for null.
    bool Init(QWidget* host);
    // Associates the control with a menu bar of its host (or any menu bar).
    void setLinkMenu(QMenuBar* menuBar);
    // Restores the attached widgets to their own style and forgets the host.
    void Detach();
    QWidget* Host() const { return m_host; }
    QMenuBar* MenuBar() const { return m_menuBar; }
    // The style that draws the menus, for a menu the caller builds outside the host.
    QStyle* Style() const;
    // Draws `menu` in this control's colours and reports its highlight.
    void adopt(QMenu* menu);

    const VsMenuColors& Colors() const { return m_colors; }
    // All colours and measures at once (skins, Part of the frame control).
    void ChangeColor(const VsMenuColors& colors);
    // The colours a skin frame carries: menu text, bar gradient and pop-up frame.
    void ChangeColor(OleColor menuFore, OleColor menuBarStart, OleColor menuBarEnd,
                     OleColor menuBorder, bool showGradient);

#define KUI_COLOR_PROPERTY(Getter, Setter, field) \
    OleColor Getter() const {                     \
        return m_colors.field;                    \
    }                                             \
    void Setter(OleColor c) {                     \
        m_colors.field = c;                       \
        applyColors();                            \
    }
    KUI_COLOR_PROPERTY(SelMenuBorder, setSelMenuBorder, selMenuBorder)
    KUI_COLOR_PROPERTY(SelMenuBack, setSelMenuBack, selMenuBack)
    KUI_COLOR_PROPERTY(SelMenuFore, setSelMenuFore, selMenuFore)
    KUI_COLOR_PROPERTY(SelCheckBack, setSelCheckBack, selCheckBack)
    KUI_COLOR_PROPERTY(MenuBorder, setMenuBorder, menuBorder)
    KUI_COLOR_PROPERTY(MenuBack, setMenuBack, menuBack)
    KUI_COLOR_PROPERTY(MenuFore, setMenuFore, menuFore)
    KUI_COLOR_PROPERTY(CheckBack, setCheckBack, checkBack)
    KUI_COLOR_PROPERTY(CheckFore, setCheckFore, checkFore)
    KUI_COLOR_PROPERTY(DisabledMenuBorder, setDisabledMenuBorder, disabledMenuBorder)
    KUI_COLOR_PROPERTY(DisabledMenuBack, setDisabledMenuBack, disabledMenuBack)
    KUI_COLOR_PROPERTY(DisabledMenuFore, setDisabledMenuFore, disabledMenuFore)
    KUI_COLOR_PROPERTY(MenuBarStar, setMenuBarStar, menuBarStart)
    KUI_COLOR_PROPERTY(MenuBarEnd, setMenuBarEnd, menuBarEnd)
#undef KUI_COLOR_PROPERTY

    bool ShowMenuBarGradient() const {
        return m_colors.showMenuBarGradient;
    }
    void setShowMenuBarGradient(bool v);
    int BitmapSize() const {
        return m_colors.bitmapSize;
    }
    void setBitmapSize(int v);
    bool SelectDisabled() const {
        return m_colors.selectDisabled;
    }
    void setSelectDisabled(bool v);
    // The menu font; until one is set, menus keep their own.
    QFont Font() const {
        return m_font;
    }
    void setFont(const QFont& font);
    bool HasFont() const {
        return m_hasFont;
    }

  signals:
    // The highlighted item's text (mnemonic marks removed), or "" when the menu loop ends or
    // the host goes away.
    void Highlight(const QString& text);
    void ItemRightClick(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool belongsToHost(const QWidget* widget) const;
    void styleWidget(QWidget* widget);
    void applyColors();
    void menuHidden();

    VsMenuColors m_colors;
    VsMenuStyle* m_style;
    QPointer<QWidget> m_host;
    QPointer<QMenuBar> m_menuBar;
    QList<QPointer<QWidget>> m_styled;
    QFont m_font;
    bool m_hasFont = false;
    bool m_inLoop = false;
};

}  // namespace kui
