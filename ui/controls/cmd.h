// Cmd: KORVAN's own push button. A two-colour gradient (or one image of a picture strip) per
// state, optional icon and caption, optional drop-down part at the right edge, and a pop-up
// menu placed beside it. Tabs of vTab are Cmd buttons held down with Keep/UserDown. As a
// QAbstractButton it takes the "&" of its caption as Alt mnemonic and is a push button to
// accessibility tools; its own mouse and key handling and drawing replace the base class's.
#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>

#include "ui/core/colorrule.h"

#include <QMenu>

namespace kui {

class PropertyBag;

class Cmd : public QAbstractButton {
    Q_OBJECT

  public:
    enum State { StateNormal = 0, StateHover = 1, StateDown = 2, StateDisabled = 3 };

    explicit Cmd(QWidget* parent = nullptr);
    ~Cmd() override;

    // A newly placed button: every property at its default, the caption set to its own name.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    int TextLeft() const { return m_textLeft; }
    void setTextLeft(int v);
    int TextTop() const { return m_textTop; }
    void setTextTop(int v);
    QPixmap Icon() const { return m_icon; }
    void setIcon(const QPixmap& icon);
    int IconLeft() const { return m_iconLeft; }
    void setIconLeft(int v);
    int IconTop() const { return m_iconTop; }
    void setIconTop(int v);
    // A horizontal strip of PiccCol state images: normal, hover, pressed, disabled.
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    // Pixels of this colour in Picture are transparent.
    OleColor MaskColor() const { return m_maskColor; }
    void setMaskColor(OleColor c);
    // 1 opaque: BackColor shows through the picture's transparent pixels; 0: the container.
    int BackStyle() const { return m_backStyle; }
    void setBackStyle(int v);
    // 0 left, 1 centre, 2 right.
    int Alignment() const { return m_alignment; }
    void setAlignment(int v);
    // 1 = a drop-down part of DropWidth pixels at the right edge.
    int Button() const { return m_button; }
    void setButton(int v);
    int DropWidth() const { return m_dropWidth; }
    void setDropWidth(int v);
    bool ShowBorder() const { return m_showBorder; }
    void setShowBorder(bool v);
    OleColor BorderColor() const { return m_colors.border; }
    void setBorderColor(OleColor c);
    bool BorderTop() const { return m_borderTop; }
    void setBorderTop(bool v);
    bool BorderLeft() const { return m_borderLeft; }
    void setBorderLeft(bool v);
    bool BorderRight() const { return m_borderRight; }
    void setBorderRight(bool v);
    bool BorderBottom() const { return m_borderBottom; }
    void setBorderBottom(bool v);
    // true: gradients run top to bottom; false: left to right.
    bool ShowOrder() const { return m_showOrder; }
    void setShowOrder(bool v);
    OleColor clrStart() const { return m_colors.start; }
    void setClrStart(OleColor c);
    OleColor clrEnd() const { return m_colors.end; }
    void setClrEnd(OleColor c);
    OleColor clrMoveStart() const { return m_colors.moveStart; }
    void setClrMoveStart(OleColor c);
    OleColor clrMoveEnd() const { return m_colors.moveEnd; }
    void setClrMoveEnd(OleColor c);
    OleColor clrDownStart() const { return m_colors.downStart; }
    void setClrDownStart(OleColor c);
    OleColor clrDownEnd() const { return m_colors.downEnd; }
    void setClrDownEnd(OleColor c);
    int PiccCol() const { return m_piccCol; }
    void setPiccCol(int v);
    bool Keep() const { return m_keep; }
    void setKeep(bool v);
    bool UserDown() const { return m_userDown; }
    void setUserDown(bool v);
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor c);
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor c);

    // The look drawn now.
    State CurrentState() const;

    void ChangeColor(OleColor borderColor, bool showBorder, OleColor start, OleColor end,
                     OleColor moveStart, OleColor moveEnd, OleColor downStart, OleColor downEnd);
    // The font only when one is given.
    void ChangeState(bool enabled, const QString& caption, int textLeft, int textTop,
                     const QPixmap& picture, const QFont* font = nullptr);
    // Position 1: below the button (left edge, 4 pixels under it); 2: to its right (5 pixels
    // right, 1 pixel above the top); any other: at the mouse pointer. Returns false and does
    // nothing while a menu popped by this button is still open.
    bool PopMenu(QMenu* menu, int position);
    bool MenuOpen() const { return !m_openMenu.isNull(); }
    // Percent per channel, applied to the colours remembered at the last ChangeColor (or the
    // current ones on first use), so repeated adjustments never compound.
    void AdjustRGB(double red, double green, double blue);

    QSize sizeHint() const override;

  signals:
    void Click();
    void DropClick();
    void KeyDown(int& keyCode, int shift);
    void KeyPress(int& keyAscii);
    void KeyUp(int& keyCode, int shift);
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    struct Colors {
        OleColor border, start, end, moveStart, moveEnd, downStart, downEnd;
    };
    bool ignoresMouse() const;
    void captionChanged();
    void onBaseClicked();
    void setDefaults();
    void drawBackground(QPainter& p, State state);
    void drawContent(QPainter& p, State state);
    void rebuildMaskedPicture();

    QString m_caption;
    int m_textLeft, m_textTop;
    QPixmap m_icon;
    int m_iconLeft, m_iconTop;
    QPixmap m_picture;
    QPixmap m_maskedPicture;
    OleColor m_maskColor;
    int m_backStyle;
    int m_alignment;
    int m_button;
    int m_dropWidth;
    bool m_showBorder;
    bool m_borderTop, m_borderLeft, m_borderRight, m_borderBottom;
    bool m_showOrder;
    Colors m_colors;
    Colors m_baseColors;
    bool m_hasBase = false;
    int m_piccCol;
    bool m_keep, m_userDown;
    OleColor m_backColor, m_foreColor;

    bool m_pressed = false;
    bool m_inside = false;
    bool m_keyFocus = false;
    QPointer<QMenu> m_openMenu;
};

}  // namespace kui
