#include "cmd.h"

#include <QBitmap>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QShortcutEvent>

#include "paint.h"
#include "propio.h"

namespace kui {

namespace {

// Greyed text at least this far from its face: the level asked of ordinary body text.
constexpr double kDisabledContrast = 4.5;
constexpr OleColor kDefBorder = rgb(90, 107, 212);
constexpr OleColor kDefStart = rgb(255, 255, 255);
constexpr OleColor kDefEnd = rgb(149, 181, 255);
constexpr OleColor kDefMoveStart = rgb(255, 255, 255);
constexpr OleColor kDefMoveEnd = rgb(255, 215, 157);
constexpr OleColor kDefDownStart = rgb(254, 145, 78);
constexpr OleColor kDefDownEnd = rgb(255, 255, 255);
constexpr OleColor kDefMask = rgb(255, 0, 255);

int shiftState(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

int buttonCode(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
           (b & Qt::MiddleButton ? 4 : 0);
}

}  // namespace

Cmd::Cmd(QWidget* parent) : QAbstractButton(parent) {
    setDefaults();
    // The base class clicks on its own only for the mnemonic and accessibility's "press";
    // mouse and keys are handled here.
    connect(this, &QAbstractButton::clicked, this, &Cmd::onBaseClicked);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover, false);
}

Cmd::~Cmd() = default;

void Cmd::setDefaults() {
    m_textLeft = 0;
    m_textTop = 1;
    m_iconLeft = 2;
    m_iconTop = 0;
    m_maskColor = kDefMask;
    m_backStyle = 1;
    m_alignment = 1;
    m_button = 0;
    m_dropWidth = 15;
    m_showBorder = true;
    m_borderTop = m_borderLeft = m_borderRight = m_borderBottom = true;
    m_showOrder = true;
    m_colors = {kDefBorder,  kDefStart,     kDefEnd,    kDefMoveStart,
                kDefMoveEnd, kDefDownStart, kDefDownEnd};
    m_hasBase = false;
    m_piccCol = 4;
    m_keep = false;
    m_userDown = false;
    m_backColor = SysButtonFace;
    m_foreColor = SysButtonText;
}

void Cmd::InitProperties() {
    setDefaults();
    m_caption = objectName();
    captionChanged();
    m_icon = QPixmap();
    m_picture = QPixmap();
    rebuildMaskedPicture();
    setEnabled(true);
    update();
}

void Cmd::ReadProperties(const PropertyBag& bag) {
    using namespace prop;
    m_caption = readString(bag, "Caption", objectName());
    captionChanged();
    m_textLeft = readInt(bag, "TextLeft", 0);
    m_textTop = readInt(bag, "TextTop", 1);
    m_icon = readPicture(bag, "Icon");
    m_iconLeft = readInt(bag, "IconLeft", 2);
    m_iconTop = readInt(bag, "IconTop", 0);
    m_picture = readPicture(bag, "Picture");
    m_maskColor = readColor(bag, "MaskColor", kDefMask);
    m_backStyle = readInt(bag, "BackStyle", 1);
    m_alignment = readInt(bag, "Alignment", 1);
    m_button = readInt(bag, "Button", 0);
    m_dropWidth = std::max(0, readInt(bag, "DropWidth", 15));
    m_showBorder = readBool(bag, "ShowBorder", true);
    m_colors.border = readColor(bag, "BorderColor", kDefBorder);
    m_borderTop = readBool(bag, "BorderTop", true);
    m_borderLeft = readBool(bag, "BorderLeft", true);
    m_borderRight = readBool(bag, "BorderRight", true);
    m_borderBottom = readBool(bag, "BorderBottom", true);
    m_showOrder = readBool(bag, "ShowOrder", true);
    m_colors.start = readColor(bag, "clrStart", kDefStart);
    m_colors.end = readColor(bag, "clrEnd", kDefEnd);
    m_colors.moveStart = readColor(bag, "clrMoveStart", kDefMoveStart);
    m_colors.moveEnd = readColor(bag, "clrMoveEnd", kDefMoveEnd);
    m_colors.downStart = readColor(bag, "clrDownStart", kDefDownStart);
    m_colors.downEnd = readColor(bag, "clrDownEnd", kDefDownEnd);
    m_hasBase = false;
    m_piccCol = std::max(1, readInt(bag, "PiccCol", 4));
    m_keep = readBool(bag, "Keep", false);
    m_userDown = readBool(bag, "UserDown", false);
    m_backColor = readColor(bag, "BackColor", SysButtonFace);
    m_foreColor = readColor(bag, "ForeColor", SysButtonText);
    const QFont containerFont = parentWidget() ? parentWidget()->font() : QFont();
    setFont(readFont(bag, "Font", containerFont));
    setEnabled(readBool(bag, "Enabled", true));
    rebuildMaskedPicture();
    update();
}

void Cmd::WriteProperties(PropertyBag& bag) const {
    using namespace prop;
    writeString(bag, "Caption", m_caption, objectName());
    writeInt(bag, "TextLeft", m_textLeft, 0);
    writeInt(bag, "TextTop", m_textTop, 1);
    writePicture(bag, "Icon", m_icon);
    writeInt(bag, "IconLeft", m_iconLeft, 2);
    writeInt(bag, "IconTop", m_iconTop, 0);
    writePicture(bag, "Picture", m_picture);
    writeColor(bag, "MaskColor", m_maskColor, kDefMask);
    writeInt(bag, "BackStyle", m_backStyle, 1);
    writeInt(bag, "Alignment", m_alignment, 1);
    writeInt(bag, "Button", m_button, 0);
    writeInt(bag, "DropWidth", m_dropWidth, 15);
    writeBool(bag, "ShowBorder", m_showBorder, true);
    writeColor(bag, "BorderColor", m_colors.border, kDefBorder);
    writeBool(bag, "BorderTop", m_borderTop, true);
    writeBool(bag, "BorderLeft", m_borderLeft, true);
    writeBool(bag, "BorderRight", m_borderRight, true);
    writeBool(bag, "BorderBottom", m_borderBottom, true);
    writeBool(bag, "ShowOrder", m_showOrder, true);
    writeColor(bag, "clrStart", m_colors.start, kDefStart);
    writeColor(bag, "clrEnd", m_colors.end, kDefEnd);
    writeColor(bag, "clrMoveStart", m_colors.moveStart, kDefMoveStart);
    writeColor(bag, "clrMoveEnd", m_colors.moveEnd, kDefMoveEnd);
    writeColor(bag, "clrDownStart", m_colors.downStart, kDefDownStart);
    writeColor(bag, "clrDownEnd", m_colors.downEnd, kDefDownEnd);
    writeInt(bag, "PiccCol", m_piccCol, 4);
    writeBool(bag, "Keep", m_keep, false);
    writeBool(bag, "UserDown", m_userDown, false);
    writeColor(bag, "BackColor", m_backColor, SysButtonFace);
    writeColor(bag, "ForeColor", m_foreColor, SysButtonText);
    const QFont containerFont = parentWidget() ? parentWidget()->font() : QFont();
    writeFont(bag, "Font", font(), containerFont);
    writeBool(bag, "Enabled", isEnabled(), true);
}

// ---- properties -------------------------------------------------------------------------

#define KUI_SETTER(Name, member)         \
    void Cmd::Name(decltype(member) v) { \
        if (member == v) return;         \
        member = v;                      \
        update();                        \
    }

void Cmd::setCaption(const QString& caption) {
    if (m_caption == caption) return;
    m_caption = caption;
    captionChanged();
    updateGeometry();
    update();
}
KUI_SETTER(setTextLeft, m_textLeft)
KUI_SETTER(setTextTop, m_textTop)
KUI_SETTER(setIconLeft, m_iconLeft)
KUI_SETTER(setIconTop, m_iconTop)
KUI_SETTER(setAlignment, m_alignment)
KUI_SETTER(setButton, m_button)
KUI_SETTER(setShowBorder, m_showBorder)
KUI_SETTER(setBorderTop, m_borderTop)
KUI_SETTER(setBorderLeft, m_borderLeft)
KUI_SETTER(setBorderRight, m_borderRight)
KUI_SETTER(setBorderBottom, m_borderBottom)
KUI_SETTER(setShowOrder, m_showOrder)
KUI_SETTER(setBorderColor, m_colors.border)
KUI_SETTER(setClrStart, m_colors.start)
KUI_SETTER(setClrEnd, m_colors.end)
KUI_SETTER(setClrMoveStart, m_colors.moveStart)
KUI_SETTER(setClrMoveEnd, m_colors.moveEnd)
KUI_SETTER(setClrDownStart, m_colors.downStart)
KUI_SETTER(setClrDownEnd, m_colors.downEnd)
KUI_SETTER(setKeep, m_keep)
KUI_SETTER(setBackColor, m_backColor)
KUI_SETTER(setForeColor, m_foreColor)
#undef KUI_SETTER

void Cmd::setUserDown(bool v) {
    if (m_userDown == v) return;
    m_userDown = v;
    // A press that started before the button was held down must not survive its release.
    m_pressed = false;
    update();
}

void Cmd::setDropWidth(int v) {
    v = std::max(0, v);
    if (m_dropWidth == v) return;
    m_dropWidth = v;
    update();
}

void Cmd::setPiccCol(int v) {
    v = std::max(1, v);
    if (m_piccCol == v) return;
    m_piccCol = v;
    update();
}

void Cmd::setIcon(const QPixmap& icon) {
    m_icon = icon;
    updateGeometry();
    update();
}

void Cmd::setPicture(const QPixmap& picture) {
    m_picture = picture;
    rebuildMaskedPicture();
    update();
}

void Cmd::setMaskColor(OleColor c) {
    if (m_maskColor == c) return;
    m_maskColor = c;
    rebuildMaskedPicture();
    update();
}

void Cmd::setBackStyle(int v) {
    if (m_backStyle == v) return;
    m_backStyle = v;
    update();
}

void Cmd::rebuildMaskedPicture() {
    m_maskedPicture = QPixmap();
    if (m_picture.isNull()) return;
    QPixmap masked = m_picture;
    masked.setMask(masked.createMaskFromColor(toQColor(m_maskColor), Qt::MaskInColor));
    m_maskedPicture = masked;
}

// ---- methods ----------------------------------------------------------------------------

void Cmd::ChangeColor(OleColor borderColor, bool showBorder, OleColor start, OleColor end,
                      OleColor moveStart, OleColor moveEnd, OleColor downStart, OleColor downEnd) {
    m_colors = {borderColor, start, end, moveStart, moveEnd, downStart, downEnd};
    m_baseColors = m_colors;
    m_hasBase = true;
    m_showBorder = showBorder;
    update();
}

void Cmd::ChangeState(bool enabled, const QString& caption, int textLeft, int textTop,
                      const QPixmap& picture, const QFont* font) {
    setEnabled(enabled);
    m_caption = caption;
    captionChanged();
    m_textLeft = textLeft;
    m_textTop = textTop;
    m_picture = picture;
    rebuildMaskedPicture();
    if (font) setFont(*font);
    updateGeometry();
    update();
}

void Cmd::AdjustRGB(double red, double green, double blue) {
    if (!m_hasBase) {
        m_baseColors = m_colors;
        m_hasBase = true;
    }
    const ColorAdjust a{red, green, blue};
    m_colors = {a.apply(m_baseColors.border),  a.apply(m_baseColors.start),
                a.apply(m_baseColors.end),     a.apply(m_baseColors.moveStart),
                a.apply(m_baseColors.moveEnd), a.apply(m_baseColors.downStart),
                a.apply(m_baseColors.downEnd)};
    update();
}

bool Cmd::PopMenu(QMenu* menu, int position) {
    if (!menu || m_openMenu) return false;
    QPoint at;
    switch (position) {
        case 1:
            at = mapToGlobal(QPoint(0, height() + 4));
            break;
        case 2:
            at = mapToGlobal(QPoint(width() + 5, -1));
            break;
        default:
            at = QCursor::pos();
            break;
    }
    m_openMenu = menu;
    connect(
        menu, &QMenu::aboutToHide, this,
        [this, menu] {
            if (m_openMenu == menu) m_openMenu = nullptr;
        },
        Qt::SingleShotConnection);
    menu->popup(at);
    return true;
}

// ---- state and input --------------------------------------------------------------------

bool Cmd::ignoresMouse() const {
    return !isEnabled() || (m_keep && m_userDown);
}

Cmd::State Cmd::CurrentState() const {
    if (!isEnabled()) return StateDisabled;
    if (m_keep && m_userDown) return StateDown;
    if (m_pressed && m_inside) return StateDown;
    if (m_inside) return StateHover;
    return StateNormal;
}

void Cmd::mousePressEvent(QMouseEvent* event) {
    if (ignoresMouse()) return;
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_inside = rect().contains(pos);
        update();
    }
    emit MouseDown(buttonCode(event->button()), shiftState(event->modifiers()), pos.x(), pos.y());
}

void Cmd::mouseDoubleClickEvent(QMouseEvent* event) {
    // A fast second click is a click of its own, as a push button is expected to behave.
    mousePressEvent(event);
}

void Cmd::mouseMoveEvent(QMouseEvent* event) {
    if (ignoresMouse()) return;
    const QPoint pos = event->position().toPoint();
    const bool inside = rect().contains(pos);
    if (inside != m_inside) {
        m_inside = inside;
        update();
    }
    emit MouseMove(buttonCode(event->buttons()), shiftState(event->modifiers()), pos.x(), pos.y());
}

void Cmd::enterEvent(QEnterEvent* event) {
    if (!ignoresMouse() && !m_inside) {
        m_inside = true;
        update();
    }
    QWidget::enterEvent(event);
}

void Cmd::leaveEvent(QEvent* event) {
    if (!m_pressed && m_inside) {
        m_inside = false;
        update();
    }
    QWidget::leaveEvent(event);
}

void Cmd::mouseReleaseEvent(QMouseEvent* event) {
    if (ignoresMouse()) {
        m_pressed = false;
        return;
    }
    const QPoint pos = event->position().toPoint();
    emit MouseUp(buttonCode(event->button()), shiftState(event->modifiers()), pos.x(), pos.y());
    if (event->button() != Qt::LeftButton) return;
    const bool wasPressed = m_pressed;
    m_pressed = false;
    m_inside = rect().contains(pos);
    update();
    if (!m_inside || !wasPressed) return;
    if (m_button == 1 && pos.x() >= width() - m_dropWidth)
        emit DropClick();
    else
        emit Click();
}

void Cmd::keyPressEvent(QKeyEvent* event) {
    int code = event->key();
    emit KeyDown(code, shiftState(event->modifiers()));
    if (!event->text().isEmpty()) {
        int ascii = event->text().at(0).unicode();
        emit KeyPress(ascii);
        if (ascii == 0) return;
    }
    if (code == 0) return;
    if ((code == Qt::Key_Space || code == Qt::Key_Return || code == Qt::Key_Enter) &&
        !ignoresMouse() && !event->isAutoRepeat()) {
        m_pressed = m_inside = true;
        update();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Cmd::keyReleaseEvent(QKeyEvent* event) {
    int code = event->key();
    emit KeyUp(code, shiftState(event->modifiers()));
    if ((code == Qt::Key_Space || code == Qt::Key_Return || code == Qt::Key_Enter) && m_pressed &&
        !event->isAutoRepeat()) {
        m_pressed = false;
        m_inside = rect().contains(mapFromGlobal(QCursor::pos()));
        update();
        if (!ignoresMouse()) emit Click();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void Cmd::focusInEvent(QFocusEvent* event) {
    m_keyFocus = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void Cmd::focusOutEvent(QFocusEvent* event) {
    m_keyFocus = false;
    if (m_pressed) m_pressed = false;
    update();
    QWidget::focusOutEvent(event);
}

// The base class's text carries the "&" mnemonic ("下载(&D)": Alt+D presses the button);
// screen readers get the caption without it as the name.
void Cmd::captionChanged() {
    setText(m_caption);
    QString name = m_caption;
    name.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
    name.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    name.remove(u'&');
    name.replace(u'\x01', u'&');
    setAccessibleName(name);
}

void Cmd::onBaseClicked() {
    if (ignoresMouse()) return;
    emit Click();
}

void Cmd::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) m_pressed = m_inside = false;
        update();
    } else if (event->type() == QEvent::FontChange) {
        updateGeometry();
        update();
    }
    QAbstractButton::changeEvent(event);
}

// ---- drawing ----------------------------------------------------------------------------

QSize Cmd::sizeHint() const {
    const QFontMetrics fm(font());
    int w = fm.horizontalAdvance(m_caption) + 24;
    if (!m_icon.isNull()) w += m_icon.width() + 4;
    if (m_button == 1) w += m_dropWidth;
    return {std::max(w, 75), std::max(fm.height() + 10, 23)};
}

void Cmd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const State state = CurrentState();
    drawBackground(p, state);
    drawContent(p, state);
}

void Cmd::drawBackground(QPainter& p, State state) {
    if (!m_maskedPicture.isNull()) {
        if (m_backStyle != 0) p.fillRect(rect(), widgetColor(this, m_backColor));
        const int imageWidth = m_maskedPicture.width() / m_piccCol;
        const int index = std::min(int(state), m_piccCol - 1);
        p.drawPixmap(rect(), m_maskedPicture,
                     QRect(imageWidth * index, 0, imageWidth, m_maskedPicture.height()));
    } else {
        OleColor first = m_colors.start, second = m_colors.end;
        switch (state) {
            case StateHover:
                first = m_colors.moveStart, second = m_colors.moveEnd;
                break;
            case StateDown:
                first = m_colors.downStart, second = m_colors.downEnd;
                break;
            case StateDisabled:
                first = second = Sys3DLight;
                break;
            case StateNormal:
                break;
        }
        fillGradient(p, rect(), widgetColor(this, first), widgetColor(this, second), m_showOrder);
    }
    if (!m_showBorder) return;
    const QColor border = widgetColor(this, m_colors.border);
    const int w = width(), h = height();
    if (m_borderTop) p.fillRect(0, 0, w, 1, border);
    if (m_borderBottom) p.fillRect(0, h - 1, w, 1, border);
    if (m_borderLeft) p.fillRect(0, 0, 1, h, border);
    if (m_borderRight) p.fillRect(w - 1, 0, 1, h, border);
}

void Cmd::drawContent(QPainter& p, State state) {
    // Greyed captions are kept readable on the pale face of a disabled button.
    const QColor fore = state == StateDisabled
                            ? readableOn(widgetColor(this, SysGrayText),
                                         widgetColor(this, Sys3DLight), kDisabledContrast)
                            : widgetColor(this, m_foreColor);
    QRect area = rect().adjusted(2, 1, -2, -1);
    if (m_button == 1 && m_dropWidth > 0) {
        const int x = width() - m_dropWidth;
        area.setRight(x - 1);
        if (m_showBorder)
            p.fillRect(QRect(x, 4, 1, std::max(0, height() - 8)),
                       widgetColor(this, m_colors.border));
        // A small down-pointing arrow, centred in the drop part.
        const int cx = x + (m_dropWidth + 1) / 2;
        const int cy = height() / 2 + (state == StateDown ? 1 : 0);
        for (int row = 0; row < 4; ++row)
            p.fillRect(QRect(cx - 3 + row, cy - 1 + row, 7 - 2 * row, 1), fore);
    }
    if (!m_icon.isNull()) {
        QSize size = m_icon.size();
        if (size.height() > height() - 2)
            size.scale(QSize(height() - 2, height() - 2), Qt::KeepAspectRatio);
        const QRect iconRect(QPoint(m_iconLeft, (height() - size.height()) / 2 + m_iconTop), size);
        if (state == StateDisabled) p.setOpacity(0.45);
        p.drawPixmap(iconRect, m_icon);
        p.setOpacity(1.0);
        area.setLeft(iconRect.right() + 4);
    }
    if (!m_caption.isEmpty()) {
        const int align = m_alignment == 0   ? Qt::AlignLeft
                          : m_alignment == 2 ? Qt::AlignRight
                                             : Qt::AlignHCenter;
        QRect textRect = area.translated(m_textLeft, m_textTop - 1);
        if (state == StateDown && !(m_keep && m_userDown)) textRect.translate(0, 1);
        p.setPen(fore);
        p.setFont(font());
        p.drawText(textRect, align | Qt::AlignVCenter | Qt::TextShowMnemonic, m_caption);
    }
    if (m_keyFocus && hasFocus()) {
        QPen pen(fore, 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

}  // namespace kui
