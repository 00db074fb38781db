#include "skin.h"

#include <QBuffer>
#include <QEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QPalette>
#include <algorithm>

#include "ui/controls/vsmenu.h"
#include "ui/core/propertybag.h"
#include "ui/skin/skinbutton.h"
#include "ui/skin/skincolorset.h"
#include "ui/skin/skinpanels.h"

namespace kui {

namespace {

// Defaults of the persisted properties.
constexpr int kDefBackStyle = 1;
constexpr OleColor kDefBackColor = SysWindow;
constexpr int kDefSkin = 0;
constexpr OleColor kDefMenu = SysWindowText;
constexpr OleColor kDefMenuStart = 0x00FFFFFF;
constexpr OleColor kDefMenuEnd = 0x00FFB595;
constexpr OleColor kDefMenuBorder = 0x00D46B5A;
constexpr OleColor kDefTitle = SysCaptionText;
constexpr OleColor kDefState = SysWindowText;
constexpr int kDefIconLeft = 7, kDefIconTop = 6, kDefStateBottom = 0;
constexpr int kDefMenuLeft = 11, kDefMenuTop = 31;

// A picture file: an empty path, a missing or an empty file all mean "no picture".
QImage loadPictureFile(const QString& path) {
    if (path.isEmpty()) return {};
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0) return {};
    return QImage(path);
}

QByteArray pngBytes(const QImage& image) {
    if (image.isNull()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage imageFrom(const QVariant& v) {
    QImage image;
    const QByteArray bytes = v.toByteArray();
    if (!bytes.isEmpty()) image.loadFromData(bytes);
    return image;
}

OleColor readColor(const PropertyBag& bag, const char* name, OleColor def) {
    return OleColor(bag.readProperty(name, uint(def)).toUInt());
}

}  // namespace

Skin::Skin(QWidget* form) : QWidget(form), m_form(form) {
    initSkinResources();
    setMouseTracking(true);
    setAutoFillBackground(false);
    m_mask.setMask(m_regions);
    for (int i = 0; i < 3; ++i) {
        m_buttons[size_t(i)] = new SkinButton(i, &m_mask, this);
        connect(m_buttons[size_t(i)], &SkinButton::clicked, this, &Skin::titleButtonClicked);
    }
    setProperty("Tag", m_skin);
    if (!form) return;
    if (form->isWindow() && !form->windowFlags().testFlag(Qt::FramelessWindowHint)) {
        const bool visible = form->isVisible();
        form->setWindowFlag(Qt::FramelessWindowHint, true);
        if (visible) form->show();
    }
    m_formClass.Subclass(form, this);
    m_formClass.AddBeforeMsgs({QEvent::Resize, QEvent::Show, QEvent::Hide,
                               QEvent::WindowStateChange, QEvent::WindowTitleChange,
                               QEvent::WindowIconChange, QEvent::ActivationChange,
                               QEvent::FontChange, QEvent::ChildPolished});
    setGeometry(form->rect());
    lower();
    loadSkin(m_skin);
    if (form->isVisible()) {
        m_shown = true;
        Init();
    }
}

Skin::~Skin() {
    m_formClass.Unsubclass();
    if (m_form) {
        m_form->setContentsMargins(0, 0, 0, 0);
        if (m_form->isWindow()) m_form->clearMask();
    }
}

void Skin::InitProperties() {
    PropertyBag empty;
    ReadProperties(empty);
}

void Skin::ReadProperties(const PropertyBag& bag) {
    setEnabled(bag.readProperty("Enabled", true).toBool());
    m_backStyle = bag.readProperty("BackStyle", kDefBackStyle).toInt();
    m_backColor = readColor(bag, "BackColor", kDefBackColor);
    m_controlB = bag.readProperty("ControlB", true).toBool();
    m_clrMenu = readColor(bag, "clrMenu", kDefMenu);
    m_clrMenuStart = readColor(bag, "clrMenuStart", kDefMenuStart);
    m_clrMenuEnd = readColor(bag, "clrMenuEnd", kDefMenuEnd);
    m_clrMenuBorder = readColor(bag, "clrMenuBorder", kDefMenuBorder);
    m_clrTitle = readColor(bag, "clrTitle", kDefTitle);
    m_clrState = readColor(bag, "clrState", kDefState);
    m_backStretch = bag.readProperty("BackStretch", false).toBool();
    m_panels = bag.readProperty("Panels", QString()).toString();
    m_iconLeft = bag.readProperty("IconLeft", kDefIconLeft).toInt();
    m_iconTop = bag.readProperty("IconTop", kDefIconTop).toInt();
    m_stateBottom = bag.readProperty("StateBottom", kDefStateBottom).toInt();
    m_menuLeft = bag.readProperty("MenuLeft", kDefMenuLeft).toInt();
    m_menuTop = bag.readProperty("MenuTop", kDefMenuTop).toInt();
    m_hasTitleFont = bag.isStored("Font");
    m_titleFont = bag.readProperty("Font", QFont()).value<QFont>();
    m_icon = QPixmap::fromImage(imageFrom(bag.readProperty("Icon", QByteArray())));
    m_picture = imageFrom(bag.readProperty("Picture", QByteArray()));
    m_maskPicture = imageFrom(bag.readProperty("MaskPicture", QByteArray()));
    m_backPicture = imageFrom(bag.readProperty("BackPicture", QByteArray()));
    m_skin = std::clamp(bag.readProperty("Skin", kDefSkin).toInt(), 0, 2);
    setProperty("Tag", m_skin);
    loadSkin(customLoaded() ? 2 : m_skin);
    RefreshMenu();
}

void Skin::WriteProperties(PropertyBag& bag) const {
    bag.writeProperty("Enabled", isEnabled(), true);
    bag.writeProperty("BackStyle", m_backStyle, kDefBackStyle);
    bag.writeProperty("BackColor", uint(m_backColor), uint(kDefBackColor));
    bag.writeProperty("Skin", m_skin, kDefSkin);
    bag.writeProperty("ControlB", m_controlB, true);
    bag.writeProperty("clrMenu", uint(m_clrMenu), uint(kDefMenu));
    bag.writeProperty("clrMenuStart", uint(m_clrMenuStart), uint(kDefMenuStart));
    bag.writeProperty("clrMenuEnd", uint(m_clrMenuEnd), uint(kDefMenuEnd));
    bag.writeProperty("clrMenuBorder", uint(m_clrMenuBorder), uint(kDefMenuBorder));
    bag.writeProperty("clrTitle", uint(m_clrTitle), uint(kDefTitle));
    bag.writeProperty("clrState", uint(m_clrState), uint(kDefState));
    bag.writeProperty("BackStretch", m_backStretch, false);
    bag.writeProperty("Panels", m_panels, QString());
    bag.writeProperty("IconLeft", m_iconLeft, kDefIconLeft);
    bag.writeProperty("IconTop", m_iconTop, kDefIconTop);
    bag.writeProperty("StateBottom", m_stateBottom, kDefStateBottom);
    bag.writeProperty("MenuLeft", m_menuLeft, kDefMenuLeft);
    bag.writeProperty("MenuTop", m_menuTop, kDefMenuTop);
    if (m_hasTitleFont)
        bag.writeProperty("Font", m_titleFont, QVariant());
    else
        bag.remove("Font");
    bag.writeProperty("Icon", pngBytes(m_icon.toImage()), QByteArray());
    bag.writeProperty("Picture", pngBytes(m_picture), QByteArray());
    bag.writeProperty("MaskPicture", pngBytes(m_maskPicture), QByteArray());
    bag.writeProperty("BackPicture", pngBytes(m_backPicture), QByteArray());
}

void Skin::setBackStyle(int style) {
    m_backStyle = style;
    update();
}

void Skin::setBackColor(OleColor c) {
    m_backColor = c;
    update();
}

void Skin::setSkinNumber(int skin) {
    m_skin = std::clamp(skin, 0, 2);
    setProperty("Tag", m_skin);
    loadSkin(m_skin);
}

void Skin::setControlB(bool show) {
    m_controlB = show;
    layoutFrame();
}

void Skin::setClrMenu(OleColor c) {
    m_clrMenu = c;
    RefreshMenu();
}
void Skin::setClrMenuStart(OleColor c) {
    m_clrMenuStart = c;
    RefreshMenu();
}
void Skin::setClrMenuEnd(OleColor c) {
    m_clrMenuEnd = c;
    RefreshMenu();
}
void Skin::setClrMenuBorder(OleColor c) {
    m_clrMenuBorder = c;
    RefreshMenu();
}
void Skin::setClrTitle(OleColor c) {
    m_clrTitle = c;
    update();
}
void Skin::setClrState(OleColor c) {
    m_clrState = c;
    update();
}
void Skin::setBackStretch(bool stretch) {
    m_backStretch = stretch;
    update();
}
void Skin::setPanels(const QString& panels) {
    m_panels = panels;
    update();
}
void Skin::setIconLeft(int v) {
    m_iconLeft = v;
    update();
}
void Skin::setIconTop(int v) {
    m_iconTop = v;
    update();
}
void Skin::setStateBottom(int v) {
    m_stateBottom = v;
    update();
}
void Skin::setMenuLeft(int v) {
    m_menuLeft = v;
    layoutFrame();
}
void Skin::setMenuTop(int v) {
    m_menuTop = v;
    layoutFrame();
}
void Skin::setTitleFont(const QFont& font) {
    m_titleFont = font;
    m_hasTitleFont = true;
    update();
}
void Skin::setIcon(const QPixmap& icon) {
    m_icon = icon;
    update();
}

void Skin::setPicture(const QImage& picture) {
    m_picture = picture;
    if (customLoaded()) setSkinNumber(2);
}

void Skin::setMaskPicture(const QImage& markers) {
    m_maskPicture = markers;
    if (customLoaded()) setSkinNumber(2);
}

void Skin::setBackPicture(const QImage& picture) {
    m_backPicture = picture;
    update();
}

QString Skin::Caption() const {
    return m_form ? m_form->windowTitle() : QString();
}

void Skin::setCaption(const QString& caption) {
    if (m_form) m_form->setWindowTitle(caption);
    update();
}

bool Skin::MenuEnabled() const {
    return m_menuBar && m_menuBar->isEnabled();
}

void Skin::setMenuEnabled(bool enabled) {
    if (m_menuBar) m_menuBar->setEnabled(enabled);
}

QString Skin::panelText(int index) const {
    const QVector<StatusPanel> panels = parsePanels(m_panels);
    return index >= 0 && index < panels.size() ? panels[index].text : QString();
}

bool Skin::setPanelText(int index, const QString& text) {
    QVector<StatusPanel> panels = parsePanels(m_panels);
    if (index < 0 || index >= panels.size()) return false;
    panels[index].text = text;
    setPanels(joinPanels(panels));
    return true;
}

SkinButton* Skin::titleButton(int index) const {
    return index >= 0 && index < 3 ? m_buttons[size_t(index)] : nullptr;
}

void Skin::setTitleButtonVisible(int index, bool visible) {
    if (index < 0 || index >= 3) return;
    m_buttonHidden[size_t(index)] = !visible;
    layoutFrame();
}

bool Skin::isSizable() const {
    if (!m_sizable || !m_form) return false;
    return m_form->minimumSize() != m_form->maximumSize();
}

void Skin::setStatusBar(bool shown) {
    if (m_statusBar == shown) return;
    m_statusBar = shown;
    if (m_initialised) Refresh();
}

void Skin::setSizable(bool sizable) {
    m_sizable = sizable;
    layoutFrame();
}

void Skin::Init() {
    if (m_initialised || !m_form) return;
    m_initialised = true;
    lower();
    linkMenu();
    updateSizeLimits();
    layoutFrame();
}

void Skin::loadSkin(int skin) {
    skin = std::clamp(skin, 0, 2);
    // A custom skin without its pictures would leave the window with no frame at all.
    if (skin == 2 && !customLoaded()) skin = 0;
    if (skin == 2) {
        m_mask.setMaskPicture(m_maskPicture);
        m_mask.setPicture(m_picture);
    } else {
        m_mask.setMaskPicture(QImage(builtinSkinMarkers(skin)));
        m_mask.setPicture(QImage(builtinSkinPicture(skin)));
    }
    m_loadedSkin = skin;
    m_layout = skinLayout(skin);
    updateSizeLimits();
    layoutFrame();
}

void Skin::ChangeSkin(bool keepClientSize) {
    const int skin = customLoaded() ? 2 : std::clamp(property("Tag").toInt(), 0, 2);
    const bool keep = keepClientSize && m_shown && m_form;
    QSize client;
    if (keep)
        client = QSize(m_form->width() - (leftWidth() + rightWidth()),
                       m_form->height() - (topHeight() + bottomHeight()));
    m_skin = skin;
    setProperty("Tag", m_skin);
    loadSkin(skin);
    if (keep)
        m_form->resize(client.width() + leftWidth() + rightWidth(),
                       client.height() + topHeight() + bottomHeight());
}

void Skin::ChangePicture(const QString& picture, const QString& maskPicture,
                         const QString& backPicture, bool backStretch, bool mask) {
    m_picture = loadPictureFile(picture);
    m_maskPicture = loadPictureFile(maskPicture);
    m_backPicture = loadPictureFile(backPicture);
    m_backStretch = backStretch;
    m_regions = mask;
    m_mask.setMask(mask);
    if (customLoaded()) {
        setProperty("Tag", 2);
    } else if (property("Tag").toInt() == 2) {
        setProperty("Tag", 0);
    }
    ChangeSkin(true);
}

void Skin::ChangeColor(uint clrTitle, uint clrState, uint clrMenu, uint clrMenuStart,
                       uint clrMenuEnd, uint clrMenuBorder) {
    m_clrTitle = clrTitle;
    m_clrState = clrState;
    m_clrMenu = clrMenu;
    m_clrMenuStart = clrMenuStart;
    m_clrMenuEnd = clrMenuEnd;
    m_clrMenuBorder = clrMenuBorder;
    RefreshMenu();
    update();
}

void Skin::ChangeLocate(int iconLeft, int iconTop, int menuLeft, int menuTop, int stateBottom) {
    m_iconLeft = iconLeft;
    m_iconTop = iconTop;
    m_menuLeft = menuLeft;
    m_menuTop = menuTop;
    m_stateBottom = stateBottom;
    layoutFrame();
}

void Skin::Refresh() {
    layoutFrame();
    for (SkinButton* b : m_buttons) b->update();
}

void Skin::ApplyColorSet(const QVariantMap& set) {
    const QVariantList own = set.value(QStringLiteral("Skin")).toList();
    if (own.size() >= 6)
        ChangeColor(own[0].toUInt(), own[1].toUInt(), own[2].toUInt(), own[3].toUInt(),
                    own[4].toUInt(), own[5].toUInt());
    applyColorSet(m_form, set);
}

void Skin::AdjustRGB(double clrR, double clrG, double clrB) {
    m_adjustR = clrR;
    m_adjustG = clrG;
    m_adjustB = clrB;
    m_mask.setColorR(clrR);
    m_mask.setColorG(clrG);
    m_mask.setColorB(clrB);
    m_mask.AdjustRGB();
    RefreshMenu();
    if (m_initialised) Refresh();
}

void Skin::RefreshMenu() {
    const ColorAdjust tint{m_adjustR, m_adjustG, m_adjustB};
    if (m_menuBar) {
        QPalette pal = m_menuBar->palette();
        pal.setColor(QPalette::Window, Qt::transparent);
        pal.setColor(QPalette::Button, Qt::transparent);
        pal.setColor(QPalette::WindowText, toQColor(m_clrMenu));
        pal.setColor(QPalette::ButtonText, toQColor(m_clrMenu));
        m_menuBar->setPalette(pal);
        m_menuBar->update();
    }
    if (m_form) {
        for (VsMenu* menu : m_form->findChildren<VsMenu*>()) {
            if (menu->Host() && menu->Host() != m_form) continue;
            menu->ChangeColor(m_clrMenu, tint.apply(m_clrMenuStart), tint.apply(m_clrMenuEnd),
                              tint.apply(m_clrMenuBorder), true);
        }
    }
    update(QRect(0, topHeight(), width(), std::max(0, menuBandBottom() - topHeight())));
}

void Skin::linkMenu() {
    if (!m_form) return;
    QMenuBar* bar = m_form->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (bar == m_menuBar) return;
    m_menuBar = bar;
    if (bar) bar->setAutoFillBackground(false);
    RefreshMenu();
}

void Skin::titleButtonClicked(int index) {
    SkinButton* button = titleButton(index);
    if (!button || !button->isEnabled() || !m_form) return;
    bool proceed = true;
    emit ClickControl(proceed, index);
    if (!proceed || !m_form) return;
    switch (index) {
        case CloseButton: {
            bool close = true;
            emit CloseMe(close);
            if (close && m_form) m_form->close();
            break;
        }
        case MaxButton:
            m_form->isMaximized() ? m_form->showNormal() : m_form->showMaximized();
            break;
        case MinButton:
            m_form->showMinimized();
            break;
        default:
            break;
    }
}

void Skin::Before(bool&, qint64&, QObject*, QEvent* e) {
    if (!m_form) return;
    switch (e->type()) {
        case QEvent::Resize:
            if (!m_form->isMinimized()) layoutFrame();
            break;
        case QEvent::Show:
            m_shown = true;
            // Someone replaced the window's flags and the system frame came back: take it away
            // again once the window is up (its flags cannot change inside its own show).
            if (m_form->isWindow() && !m_form->windowFlags().testFlag(Qt::FramelessWindowHint))
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        if (!m_form || m_form->windowFlags().testFlag(Qt::FramelessWindowHint))
                            return;
                        const bool visible = m_form->isVisible();
                        m_form->setWindowFlag(Qt::FramelessWindowHint, true);
                        if (visible) m_form->show();
                    },
                    Qt::QueuedConnection);
            if (!m_initialised) Init();
            linkMenu();
            updateSizeLimits();
            layoutFrame();
            break;
        case QEvent::Hide:
            m_shown = false;
            break;
        case QEvent::WindowStateChange:
            layoutFrame();
            break;
        case QEvent::ChildPolished: {
            auto* child = static_cast<QChildEvent*>(e)->child();
            if (qobject_cast<QMenuBar*>(child) && child != m_menuBar) {
                linkMenu();
                layoutFrame();
            }
            break;
        }
        default:  // title, icon, activation and font changes only need a repaint
            update();
            break;
    }
}

void Skin::After(qint64&, QObject*, QEvent*) {}

}  // namespace kui
