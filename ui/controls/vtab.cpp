#include "vtab.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "cmd.h"
#include "paint.h"
#include "propio.h"

namespace kui {

namespace {

constexpr OleColor kDefBorder = rgb(90, 107, 212);
constexpr OleColor kDefBackEnd = rgb(149, 181, 255);
constexpr QChar kFlagSeparator = QChar(1);
const QString kDefTabs = QStringLiteral("Tab0") + kFlagSeparator + QStringLiteral("1");

int buttonCode(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
           (b & Qt::MiddleButton ? 4 : 0);
}

int shiftState(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

}  // namespace

vTab::vTab(QWidget* parent) : QWidget(parent) {
    setDefaults();
    m_tabs = parseTabs(kDefTabs);
    Rebuild();
}

vTab::~vTab() = default;

void vTab::setDefaults() {
    m_selected = 0;
    m_tabLeft = 2;
    m_tabTop = 1;
    m_tabStep = 8;
    m_tabWidth = 70;
    m_tabHeight = 22;
    m_textTop = 1;
    m_borderColor = kDefBorder;
    m_backColor = SysButtonFace;
    m_backColorEnd = kDefBackEnd;
    m_foreColor = SysButtonText;
    m_showBorder = true;
    m_tabColors = {rgb(255, 255, 255), rgb(149, 181, 255), rgb(255, 255, 255),
                   rgb(255, 215, 157), rgb(254, 145, 78),  rgb(255, 255, 255)};
    m_hasBase = false;
}

void vTab::InitProperties() {
    setDefaults();
    m_picture = QPixmap();
    m_tabs = parseTabs(kDefTabs);
    setEnabled(true);
    Rebuild();
}

void vTab::ReadProperties(const PropertyBag& bag) {
    using namespace prop;
    setDefaults();
    m_tabLeft = readInt(bag, "TabLeft", 2);
    m_tabTop = readInt(bag, "TabTop", 1);
    m_tabStep = readInt(bag, "TabStep", 8);
    m_tabWidth = readInt(bag, "TabWidth", 70);
    m_tabHeight = readInt(bag, "TabHeight", 22);
    m_textTop = readInt(bag, "TextTop", 1);
    m_borderColor = readColor(bag, "BorderColor", kDefBorder);
    m_backColor = readColor(bag, "BackColor", SysButtonFace);
    m_backColorEnd = readColor(bag, "BackColorEnd", kDefBackEnd);
    m_showBorder = readBool(bag, "ShowBorder", true);
    m_foreColor = readColor(bag, "ForeColor", SysButtonText);
    m_picture = readPicture(bag, "Picture");
    const QFont containerFont = parentWidget() ? parentWidget()->font() : QFont();
    setFont(readFont(bag, "Font", containerFont));
    setEnabled(readBool(bag, "Enabled", true));
    m_tabs = parseTabs(readString(bag, "Tabs", kDefTabs));
    m_selected = std::clamp(readInt(bag, "Selected", 0), 0, std::max(0, TabCount() - 1));
    Rebuild();
}

void vTab::WriteProperties(PropertyBag& bag) const {
    using namespace prop;
    writeString(bag, "Tabs", Tabs(), kDefTabs);
    writeInt(bag, "Selected", m_selected, 0);
    writeInt(bag, "TabLeft", m_tabLeft, 2);
    writeInt(bag, "TabTop", m_tabTop, 1);
    writeInt(bag, "TabStep", m_tabStep, 8);
    writeInt(bag, "TabWidth", m_tabWidth, 70);
    writeInt(bag, "TabHeight", m_tabHeight, 22);
    writeInt(bag, "TextTop", m_textTop, 1);
    writeColor(bag, "BorderColor", m_borderColor, kDefBorder);
    writeColor(bag, "BackColor", m_backColor, SysButtonFace);
    writeColor(bag, "BackColorEnd", m_backColorEnd, kDefBackEnd);
    writeBool(bag, "ShowBorder", m_showBorder, true);
    writeColor(bag, "ForeColor", m_foreColor, SysButtonText);
    writePicture(bag, "Picture", m_picture);
    const QFont containerFont = parentWidget() ? parentWidget()->font() : QFont();
    writeFont(bag, "Font", font(), containerFont);
    writeBool(bag, "Enabled", isEnabled(), true);
}

// ---- the tab list -----------------------------------------------------------------------

QList<vTab::TabEntry> vTab::parseTabs(const QString& text) {
    QList<TabEntry> tabs;
    if (text.isEmpty()) return tabs;
    const QStringList entries = text.split(QLatin1Char(';'));
    for (const QString& entry : entries) {
        const int flag = entry.indexOf(kFlagSeparator);
        TabEntry tab;
        tab.caption = flag < 0 ? entry : entry.left(flag);
        tab.enabled = flag < 0 || entry.mid(flag + 1).trimmed() != QLatin1String("0");
        tabs.append(tab);
    }
    return tabs;
}

QString vTab::formatTabs(const QList<TabEntry>& tabs) {
    QStringList entries;
    for (const TabEntry& tab : tabs)
        entries.append(tab.caption + kFlagSeparator + (tab.enabled ? u'1' : u'0'));
    return entries.join(QLatin1Char(';'));
}

QString vTab::Tabs() const {
    return formatTabs(m_tabs);
}

void vTab::setTabs(const QString& text) {
    if (text.isEmpty()) return;
    const QStringList entries = text.split(QLatin1Char(';'));
    const int n = std::min(int(entries.size()), TabCount());
    for (int i = 0; i < n; ++i) {
        const QString& entry = entries[i];
        const int flag = entry.indexOf(kFlagSeparator);
        m_tabs[i].caption = flag < 0 ? entry : entry.left(flag);
        if (flag >= 0) m_tabs[i].enabled = entry.mid(flag + 1).trimmed() != QLatin1String("0");
    }
    Rebuild();
}

void vTab::setTabList(const QList<TabEntry>& tabs) {
    m_tabs = tabs;
    m_selected = std::clamp(m_selected, 0, std::max(0, TabCount() - 1));
    Rebuild();
}

void vTab::Add(const QString& caption, bool enabled, int index) {
    const TabEntry tab{caption, enabled};
    if (index < 0 || index >= TabCount()) {
        m_tabs.append(tab);
    } else {
        m_tabs.insert(index, tab);
        // The selected page stays selected when a tab is put before it.
        if (index <= m_selected && TabCount() > 1) ++m_selected;
    }
    Rebuild();
}

void vTab::Remove(int index) {
    if (index < 0 || index >= TabCount()) return;
    m_tabs.removeAt(index);
    if (index < m_selected) --m_selected;
    m_selected = std::clamp(m_selected, 0, std::max(0, TabCount() - 1));
    Rebuild();
}

void vTab::Change(int index, const QString& caption, bool enabled) {
    if (index < 0 || index >= TabCount()) return;
    if (!caption.isNull()) m_tabs[index].caption = caption;
    m_tabs[index].enabled = enabled;
    Rebuild();
}

void vTab::setSelected(int index) {
    if (!m_tabs.isEmpty()) {
        const int i = std::clamp(index, 0, TabCount() - 1);
        if (m_tabs[i].enabled && i != m_selected) {
            m_selected = i;
            applySelection();
            update();
        }
    }
    emit TabSelected(m_selected);
}

// ---- layout and colours -----------------------------------------------------------------

#define KUI_LAYOUT_SETTER(Name, member)   \
    void vTab::Name(decltype(member) v) { \
        if (member == v) return;          \
        member = v;                       \
        Rebuild();                        \
    }
KUI_LAYOUT_SETTER(setTabLeft, m_tabLeft)
KUI_LAYOUT_SETTER(setTabTop, m_tabTop)
KUI_LAYOUT_SETTER(setTabStep, m_tabStep)
KUI_LAYOUT_SETTER(setTabWidth, m_tabWidth)
KUI_LAYOUT_SETTER(setTabHeight, m_tabHeight)
KUI_LAYOUT_SETTER(setTextTop, m_textTop)
KUI_LAYOUT_SETTER(setBorderColor, m_borderColor)
KUI_LAYOUT_SETTER(setBackColor, m_backColor)
KUI_LAYOUT_SETTER(setBackColorEnd, m_backColorEnd)
KUI_LAYOUT_SETTER(setShowBorder, m_showBorder)
KUI_LAYOUT_SETTER(setForeColor, m_foreColor)
#undef KUI_LAYOUT_SETTER

void vTab::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void vTab::ChangeLocate(int tabLeft, int tabTop, int tabStep, int textTop, bool showBorder) {
    m_tabLeft = tabLeft;
    m_tabTop = tabTop;
    m_tabStep = tabStep;
    m_textTop = textTop;
    m_showBorder = showBorder;
    Rebuild();
}

void vTab::ChangeColor(OleColor borderColor, OleColor backColor, OleColor backColorEnd,
                       OleColor tabStart, OleColor tabEnd, OleColor tabMoveStart,
                       OleColor tabMoveEnd, OleColor tabDownStart, OleColor tabDownEnd) {
    m_borderColor = borderColor;
    m_backColor = backColor;
    m_backColorEnd = backColorEnd;
    m_tabColors = {tabStart, tabEnd, tabMoveStart, tabMoveEnd, tabDownStart, tabDownEnd};
    m_basePage = {borderColor, backColor, backColorEnd};
    m_baseTabColors = m_tabColors;
    m_hasBase = true;
    Rebuild();
}

void vTab::AdjustRGB(double red, double green, double blue) {
    if (!m_hasBase) {
        m_basePage = {m_borderColor, m_backColor, m_backColorEnd};
        m_baseTabColors = m_tabColors;
        m_hasBase = true;
    }
    const ColorAdjust a{red, green, blue};
    m_borderColor = a.apply(m_basePage.border);
    m_backColor = a.apply(m_basePage.back);
    m_backColorEnd = a.apply(m_basePage.backEnd);
    const TabColors& b = m_baseTabColors;
    m_tabColors = {a.apply(b.start),   a.apply(b.end),       a.apply(b.moveStart),
                   a.apply(b.moveEnd), a.apply(b.downStart), a.apply(b.downEnd)};
    Rebuild();
}

Cmd* vTab::TabButton(int index) const {
    return index >= 0 && index < int(m_buttons.size()) ? m_buttons[index] : nullptr;
}

QRect vTab::PageRect() const {
    const int top = std::max(0, m_tabTop + m_tabHeight - 1);
    return QRect(0, top, width(), std::max(0, height() - top));
}

QSize vTab::sizeHint() const {
    const int n = std::max(1, TabCount());
    return {m_tabLeft + n * (m_tabWidth + m_tabStep) + 8, m_tabTop + m_tabHeight + 80};
}

void vTab::styleButton(Cmd* button) const {
    const TabColors& c = m_tabColors;
    button->ChangeColor(m_borderColor, true, c.start, c.end, c.moveStart, c.moveEnd, c.downStart,
                        c.downEnd);
    button->setForeColor(m_foreColor);
    button->setTextTop(m_textTop);
    button->setAlignment(1);
    button->setKeep(true);
}

void vTab::Rebuild() {
    while (m_buttons.size() > m_tabs.size()) delete m_buttons.takeLast();
    while (m_buttons.size() < m_tabs.size()) {
        auto* button = new Cmd(this);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &Cmd::MouseDown, this, [this, button](int b, int, int, int) {
            if (b == 1) setSelected(int(m_buttons.indexOf(button)));
        });
        m_buttons.append(button);
        button->show();
    }
    for (int i = 0; i < TabCount(); ++i) {
        Cmd* button = m_buttons[i];
        styleButton(button);
        button->setCaption(m_tabs[i].caption);
        button->setEnabled(m_tabs[i].enabled);
        button->setGeometry(m_tabLeft + i * (m_tabWidth + m_tabStep), m_tabTop, m_tabWidth,
                            m_tabHeight);
    }
    applySelection();
    update();
}

void vTab::applySelection() {
    for (int i = 0; i < TabCount(); ++i) {
        const bool down = i == m_selected && m_tabs[i].enabled;
        m_buttons[i]->setUserDown(down);
        // The selected tab opens into the page below it.
        m_buttons[i]->setBorderBottom(!down);
        if (m_tabs[i].enabled) m_buttons[i]->raise();
    }
    if (Cmd* selected = TabButton(m_selected)) selected->raise();
}

// ---- drawing and mouse ------------------------------------------------------------------

void vTab::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect page = PageRect();
    fillGradient(p, page, widgetColor(this, m_backColor), widgetColor(this, m_backColorEnd), true);
    if (!m_picture.isNull()) {
        p.setClipRect(page.adjusted(1, 1, -1, -1));
        p.drawPixmap(page.topLeft() + QPoint(1, 1), m_picture);
        p.setClipping(false);
    }
    if (m_showBorder) {
        p.setPen(widgetColor(this, m_borderColor));
        p.setBrush(Qt::NoBrush);
        p.drawRect(page.adjusted(0, 0, -1, -1));
    }
}

void vTab::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    emit MouseDown(buttonCode(e->button()), shiftState(e->modifiers()), pos.x(), pos.y());
}

void vTab::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    emit MouseMove(buttonCode(e->buttons()), shiftState(e->modifiers()), pos.x(), pos.y());
}

void vTab::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    emit MouseUp(buttonCode(e->button()), shiftState(e->modifiers()), pos.x(), pos.y());
}

void vTab::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange) update();
    QWidget::changeEvent(event);
}

}  // namespace kui
