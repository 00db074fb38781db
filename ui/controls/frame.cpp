#include "frame.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

#include "paint.h"
#include "propio.h"

namespace kui {

namespace {

constexpr OleColor kDefBorder = 13921114;
constexpr OleColor kDefFore = 12937777;
constexpr OleColor kDefTextColor = 0x8000;
const QString kDefCaption = QStringLiteral("Frame");

}  // namespace

Frame::Frame(QWidget* parent) : QWidget(parent) {
    setDefaults();
}

Frame::~Frame() = default;

void Frame::setDefaults() {
    m_backColor = SysButtonFace;
    m_borderColor = kDefBorder;
    m_caption = kDefCaption;
    m_text.clear();
    m_foreColor = kDefFore;
    m_textColor = kDefTextColor;
    m_picture = QPixmap();
    m_stretch = false;
}

void Frame::InitProperties() {
    setDefaults();
    relayout();
}

void Frame::ReadProperties(const PropertyBag& bag) {
    using namespace prop;
    m_backColor = readColor(bag, "BackColor", SysButtonFace);
    m_borderColor = readColor(bag, "BorderColor", kDefBorder);
    m_caption = readString(bag, "Caption", kDefCaption);
    m_text = readString(bag, "Text", QString());
    const QFont containerFont = parentWidget() ? parentWidget()->font() : QFont();
    setFont(readFont(bag, "Font", containerFont));
    m_foreColor = readColor(bag, "ForeColor", kDefFore);
    m_textColor = readColor(bag, "TextColor", kDefTextColor);
    m_picture = readPicture(bag, "Picture");
    m_stretch = readBool(bag, "Stretch", false);
    relayout();
}

void Frame::WriteProperties(PropertyBag& bag) const {
    using namespace prop;
    writeColor(bag, "BackColor", m_backColor, SysButtonFace);
    writeColor(bag, "BorderColor", m_borderColor, kDefBorder);
    writeString(bag, "Caption", m_caption, kDefCaption);
    writeString(bag, "Text", m_text, QString());
    const QFont containerFont = parentWidget() ? parentWidget()->font() : QFont();
    writeFont(bag, "Font", font(), containerFont);
    writeColor(bag, "ForeColor", m_foreColor, kDefFore);
    writeColor(bag, "TextColor", m_textColor, kDefTextColor);
    writePicture(bag, "Picture", m_picture);
    writeBool(bag, "Stretch", m_stretch, false);
}

#define KUI_SETTER(Name, member, type) \
    void Frame::Name(type v) {         \
        if (member == v) return;       \
        member = v;                    \
        update();                      \
    }
KUI_SETTER(setTextColor, m_textColor, OleColor)
KUI_SETTER(setStretch, m_stretch, bool)
#undef KUI_SETTER

void Frame::setCaption(const QString& caption) {
    m_caption = caption;
    relayout();
}

void Frame::setText(const QString& text) {
    m_text = text;
    relayout();
}

void Frame::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void Frame::AdjustRGB(double red, double green, double blue) {
    if (!m_hasBase) {
        m_base[0] = m_backColor, m_base[1] = m_borderColor, m_base[2] = m_foreColor;
        m_hasBase = true;
    }
    const ColorAdjust a{red, green, blue};
    m_backColor = a.apply(m_base[0]);
    m_borderColor = a.apply(m_base[1]);
    m_foreColor = a.apply(m_base[2]);
    update();
}

void Frame::setBackColor(OleColor c) {
    m_backColor = c;
    m_hasBase = false;
    update();
}

void Frame::setBorderColor(OleColor c) {
    m_borderColor = c;
    m_hasBase = false;
    update();
}

void Frame::setForeColor(OleColor c) {
    m_foreColor = c;
    m_hasBase = false;
    update();
}

// ---- geometry ---------------------------------------------------------------------------

QRect Frame::FrameRect() const {
    const double letter = fontMetrics().height();
    int top = 0, bottom = height();
    if (!m_caption.isEmpty()) top = int(std::lround(letter / 2 - 1));
    if (!m_text.isEmpty()) bottom = int(std::lround(height() - letter / 2 + 1));
    return QRect(0, top, width(), std::max(0, bottom - top));
}

QRect Frame::ContentsRect() const {
    const int letter = fontMetrics().height();
    QRect r = FrameRect().adjusted(6, 6, -6, -6);
    if (!m_caption.isEmpty()) r.setTop(std::max(r.top(), letter + 4));
    if (!m_text.isEmpty()) r.setBottom(std::min(r.bottom(), height() - letter - 4));
    return r;
}

QString Frame::shownCaption() const {
    // The band starts 10 pixels in and keeps 3 on each side of the letters; the line must
    // show at the right-hand corner as well.
    return fontMetrics().elidedText(m_caption, Qt::ElideRight, std::max(0, width() - 26));
}

QRect Frame::captionBand() const {
    if (m_caption.isEmpty()) return {};
    const int w = fontMetrics().horizontalAdvance(shownCaption());
    return QRect(10, 0, w + 6, std::max(fontMetrics().height(), FrameRect().top() + 1));
}

QRect Frame::textBand() const {
    if (m_text.isEmpty()) return {};
    const int w = fontMetrics().horizontalAdvance(m_text);
    const int h = std::max(fontMetrics().height(), height() - FrameRect().bottom());
    return QRect(10, height() - h, w + 6, h);
}

void Frame::relayout() {
    // A caption cut short at a small size is still readable whole.
    setToolTip(shownCaption() == m_caption ? QString() : m_caption);
    QRegion region = notchedRegion(FrameRect());
    region += captionBand();
    region += textBand();
    setMask(region);
    update();
}

void Frame::resizeEvent(QResizeEvent* event) {
    relayout();
    QWidget::resizeEvent(event);
}

void Frame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) relayout();
    QWidget::changeEvent(event);
}

// ---- drawing ----------------------------------------------------------------------------

void Frame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor back = widgetColor(this, m_backColor);
    const QRect frame = FrameRect();
    p.fillRect(frame, back);
    if (!m_picture.isNull()) {
        p.setClipRegion(notchedRegion(frame.adjusted(1, 1, -1, -1)));
        if (m_stretch)
            p.drawPixmap(frame.adjusted(1, 1, -1, -1), m_picture);
        else
            p.drawPixmap(frame.topLeft() + QPoint(1, 1), m_picture);
        p.setClipping(false);
    }
    drawNotchedFrame(p, frame, widgetColor(this, m_borderColor));
    p.setFont(font());
    const int letter = fontMetrics().height();
    if (!m_caption.isEmpty()) {
        p.fillRect(captionBand(), back);
        p.setPen(widgetColor(this, m_foreColor));
        p.drawText(QRect(13, 0, captionBand().width(), letter), Qt::AlignLeft | Qt::AlignTop,
                   shownCaption());
    }
    if (!m_text.isEmpty()) {
        p.fillRect(textBand(), back);
        p.setPen(widgetColor(this, m_textColor));
        p.drawText(QRect(13, height() - letter, textBand().width(), letter),
                   Qt::AlignLeft | Qt::AlignTop, m_text);
    }
}

}  // namespace kui
