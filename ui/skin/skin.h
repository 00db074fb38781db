// Skin replaces a window's frame with a drawn one: title bar with icon, caption and title
// buttons, borders, an optional menu band and a status bar with panels, all cut from a skin
// picture by its marker picture. It is a child of the window it frames, lies under the
// window's other children and covers the whole window; the window becomes frameless and is
// moved and resized through the window system. The window's contents margins are kept at the
// frame, so a layout on the window fills the client area by itself.
#pragma once

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>

#include "ui/core/cmask.h"
#include "ui/core/colorrule.h"
#include "ui/core/csupperclass.h"
#include "ui/skin/skinlayout.h"

class QMenuBar;

namespace kui {

class PropertyBag;
class SkinButton;

class Skin : public QWidget, private iSupperClass {
    Q_OBJECT

  public:
    enum TitleButton { CloseButton = 0, MaxButton = 1, MinButton = 2 };

    // Frames `form` (normally a top-level window). The built-in skin 0 is loaded at once.
    explicit Skin(QWidget* form);
    ~Skin() override;

    QWidget* form() const { return m_form; }

    // Persisted properties.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    int BackStyle() const { return m_backStyle; }
    void setBackStyle(int style);
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor c);
    // 0 and 1 built in, 2 the custom pictures; larger values are 2. Mirrored into "Tag".
    int SkinNumber() const { return m_skin; }
    void setSkinNumber(int skin);
    bool ControlB() const { return m_controlB; }
    void setControlB(bool show);
    OleColor clrMenu() const { return m_clrMenu; }
    void setClrMenu(OleColor c);
    OleColor clrMenuStart() const { return m_clrMenuStart; }
    void setClrMenuStart(OleColor c);
    OleColor clrMenuEnd() const { return m_clrMenuEnd; }
    void setClrMenuEnd(OleColor c);
    OleColor clrMenuBorder() const { return m_clrMenuBorder; }
    void setClrMenuBorder(OleColor c);
    OleColor clrTitle() const { return m_clrTitle; }
    void setClrTitle(OleColor c);
    OleColor clrState() const { return m_clrState; }
    void setClrState(OleColor c);
    bool BackStretch() const { return m_backStretch; }
    void setBackStretch(bool stretch);
    QString Panels() const { return m_panels; }
    void setPanels(const QString& panels);
    int IconLeft() const { return m_iconLeft; }
    void setIconLeft(int v);
    int IconTop() const { return m_iconTop; }
    void setIconTop(int v);
    int StateBottom() const { return m_stateBottom; }
    void setStateBottom(int v);
    int MenuLeft() const { return m_menuLeft; }
    void setMenuLeft(int v);
    int MenuTop() const { return m_menuTop; }
    void setMenuTop(int v);
    QFont TitleFont() const { return m_titleFont; }
    void setTitleFont(const QFont& font);
    QPixmap Icon() const { return m_icon; }
    void setIcon(const QPixmap& icon);
    QImage Picture() const { return m_picture; }
    void setPicture(const QImage& picture);
    QImage MaskPicture() const { return m_maskPicture; }
    void setMaskPicture(const QImage& markers);
    QImage BackPicture() const { return m_backPicture; }
    void setBackPicture(const QImage& picture);

    // The title text is the window's title.
    QString Caption() const;
    void setCaption(const QString& caption);
    int ScaleWidth() const { return width(); }
    int ScaleHeight() const { return height(); }
    bool MenuEnabled() const;
    void setMenuEnabled(bool enabled);

    // The text of one panel, keeping its options; false for an index outside the panels.
    QString panelText(int index) const;
    bool setPanelText(int index, const QString& text);

    // Frame geometry of the loaded skin, in pixels.
    int topHeight() const { return m_mask.height(LocTopLeft); }
    // Without the status bar the bottom edge is as thin as the side edges.
    int bottomHeight() const {
        return m_statusBar ? m_mask.height(LocBottom) : m_mask.width(LocLeft);
    }
    int leftWidth() const { return m_mask.width(LocLeft); }
    int rightWidth() const { return m_mask.width(LocRight); }
    // The client area inside the frame and the menu band, in window pixels.
    QRect clientRect() const { return m_client; }
    // The minimum size the frame allows (after GetSize).
    QSize minimumFrameSize() const { return m_minSize; }
    SkinButton* titleButton(int index) const;
    // Hides a title button for good (the frame otherwise shows those that apply).
    void setTitleButtonVisible(int index, bool visible);
    const cMask& mask() const { return m_mask; }
    bool isInitialised() const { return m_initialised; }

    Q_INVOKABLE void Init();
    // Reloads the skin: the custom pictures when loaded, else the skin number in "Tag". With
    // keepClientSize the window is resized so its client area stays as it was.
    Q_INVOKABLE void ChangeSkin(bool keepClientSize);
    // Picture file paths; an empty path, a missing or an empty file clears that picture.
    Q_INVOKABLE void ChangePicture(const QString& picture, const QString& maskPicture,
                                   const QString& backPicture, bool backStretch, bool mask);
    Q_INVOKABLE void ChangeColor(uint clrTitle, uint clrState, uint clrMenu, uint clrMenuStart,
                                 uint clrMenuEnd, uint clrMenuBorder);
    Q_INVOKABLE void ChangeLocate(int iconLeft, int iconTop, int menuLeft, int menuTop,
                                  int stateBottom);
    Q_INVOKABLE void Refresh();
    Q_INVOKABLE void RefreshMenu();
    // Percentages per channel, the colour rule of every skinned control.
    Q_INVOKABLE void AdjustRGB(double clrR, double clrG, double clrB);
    // A skin's colour set (see skincolorset.h): "Skin" for this frame, the rest for the
    // controls of the window.
    Q_INVOKABLE void ApplyColorSet(const QVariantMap& set);

    // Whether the edges resize the window (default true).
    bool isSizable() const;
    void setSizable(bool sizable);
    // Whether the bottom edge is the status bar with its panels and size grip (default true);
    // a small window without panels has a plain edge there instead.
    bool hasStatusBar() const { return m_statusBar; }
    void setStatusBar(bool shown);

  signals:
    // The client area after each lay-out, in twips.
    void Resize(int left, int top, int width, int height);
    // A title button (0 close, 1 maximise/restore, 2 minimise); clear `proceed` to cancel.
    void ClickControl(bool& proceed, int index);
    // While the size limits are computed: maximised position and size, minimum track size.
    void GetSize(int& maxLeft, int& maxTop, int& maxWidth, int& maxHeight, int& minTrackWidth,
                 int& minTrackHeight);
    // The close button's default action is about to run; clear `proceed` to keep the window.
    void CloseMe(bool& proceed);
    void DblClick();
    // The standard mouse events of the frame's own surface (button, shift state, x, y).
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent*) override;

  private:
    enum Hit {
        HitNone,
        HitClient,
        HitTitle,
        HitLeft,
        HitRight,
        HitTop,
        HitBottom,
        HitTopLeft,
        HitTopRight,
        HitBottomLeft,
        HitBottomRight
    };

    void After(qint64& lReturn, QObject* hwnd, QEvent* uMsg) override;
    void Before(bool& bHandled, qint64& lReturn, QObject* hwnd, QEvent* uMsg) override;

    // skin.cpp
    void loadSkin(int skin);
    bool customLoaded() const { return !m_picture.isNull() && !m_maskPicture.isNull(); }
    void applyTint();
    void titleButtonClicked(int index);
    void linkMenu();

    // skinframe.cpp
    void layoutFrame();
    void placeButtons();
    void placeMenu();
    void updateSizeLimits();
    void updateWindowMask();
    int menuBandBottom() const;
    Hit hitTest(const QPoint& pos) const;
    void paintFrame(QPainter& p);
    void paintClient(QPainter& p);
    void paintMenuBand(QPainter& p);
    void paintTitle(QPainter& p);
    void paintPanels(QPainter& p);
    void paintPlainBottom(QPainter& p);
    bool startSystemDrag(Hit hit);
    void manualDrag(const QPoint& global);

    QPointer<QWidget> m_form;
    cSupperClass m_formClass;
    cMask m_mask;
    SkinLayout m_layout;
    std::array<SkinButton*, 3> m_buttons{};
    std::array<bool, 3> m_buttonHidden{};
    QPointer<QMenuBar> m_menuBar;
    QRect m_client;
    QSize m_minSize;
    bool m_initialised = false;
    bool m_shown = false;
    bool m_sizable = true;
    bool m_statusBar = true;
    int m_loadedSkin = -1;

    // Dragging when the window system cannot move or resize the window itself.
    Hit m_drag = HitNone;
    QPoint m_dragStart;
    QRect m_dragGeometry;

    // Persisted.
    int m_backStyle = 1;
    OleColor m_backColor = SysWindow;
    int m_skin = 0;
    bool m_controlB = true;
    OleColor m_clrMenu = SysWindowText;
    OleColor m_clrMenuStart = 0x00FFFFFF;
    OleColor m_clrMenuEnd = 0x00FFB595;
    OleColor m_clrMenuBorder = 0x00D46B5A;
    OleColor m_clrTitle = SysCaptionText;
    OleColor m_clrState = SysWindowText;
    bool m_backStretch = false;
    QString m_panels;
    int m_iconLeft = 7;
    int m_iconTop = 6;
    int m_stateBottom = 0;
    int m_menuLeft = 11;
    int m_menuTop = 31;
    QFont m_titleFont;
    bool m_hasTitleFont = false;
    QPixmap m_icon;
    QImage m_picture;
    QImage m_maskPicture;
    QImage m_backPicture;
    bool m_regions = true;

    // The colour adjustment and the untinted drawing colours it applies to.
    double m_adjustR = 0, m_adjustG = 0, m_adjustB = 0;
};

}  // namespace kui
