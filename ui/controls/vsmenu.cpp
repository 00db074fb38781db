#include "vsmenu.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

#include "propio.h"
#include "vsmenustyle.h"

namespace kui {

namespace {

QString plainText(const QAction* action) {
    if (!action) return {};
    QString text = action->text();
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0) text.truncate(tab);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) out += text[++i];
            continue;
        }
        out += text[i];
    }
    return out;
}

}  // namespace

VsMenu::VsMenu(QObject* parent) : QObject(parent), m_style(new VsMenuStyle) {
    m_style->setParent(this);
    m_colors = VsMenuColors::defaults();
    m_style->setColors(m_colors);
}

VsMenu::~VsMenu() {
    Detach();
}

void VsMenu::InitProperties() {
    m_colors = VsMenuColors::defaults();
    m_hasFont = false;
    m_font = QFont();
    applyColors();
}

void VsMenu::ReadProperties(const PropertyBag& bag) {
    using namespace prop;
    const VsMenuColors d = VsMenuColors::defaults();
    VsMenuColors& c = m_colors;
    c.selMenuBorder = readColor(bag, "SelMenuBorder", d.selMenuBorder);
    c.selMenuBack = readColor(bag, "SelMenuBack", d.selMenuBack);
    c.selMenuFore = readColor(bag, "SelMenuFore", d.selMenuFore);
    c.selCheckBack = readColor(bag, "SelCheckBack", d.selCheckBack);
    c.menuBorder = readColor(bag, "MenuBorder", d.menuBorder);
    c.menuBack = readColor(bag, "MenuBack", d.menuBack);
    c.menuFore = readColor(bag, "MenuFore", d.menuFore);
    c.checkBack = readColor(bag, "CheckBack", d.checkBack);
    c.checkFore = readColor(bag, "CheckFore", d.checkFore);
    c.disabledMenuBorder = readColor(bag, "DisabledMenuBorder", d.disabledMenuBorder);
    c.disabledMenuBack = readColor(bag, "DisabledMenuBack", d.disabledMenuBack);
    c.disabledMenuFore = readColor(bag, "DisabledMenuFore", d.disabledMenuFore);
    c.menuBarStart = readColor(bag, "MenuBarStar", d.menuBarStart);
    c.menuBarEnd = readColor(bag, "MenuBarEnd", d.menuBarEnd);
    c.showMenuBarGradient = readBool(bag, "ShowMenuBarGradient", d.showMenuBarGradient);
    c.bitmapSize = std::max(0, readInt(bag, "BitmapSize", d.bitmapSize));
    c.selectDisabled = readBool(bag, "SelectDisabled", d.selectDisabled);
    m_hasFont = bag.isStored("Font");
    if (m_hasFont) m_font = readFont(bag, "Font", QFont());
    applyColors();
}

void VsMenu::WriteProperties(PropertyBag& bag) const {
    using namespace prop;
    const VsMenuColors d = VsMenuColors::defaults();
    const VsMenuColors& c = m_colors;
    writeColor(bag, "SelMenuBorder", c.selMenuBorder, d.selMenuBorder);
    writeColor(bag, "SelMenuBack", c.selMenuBack, d.selMenuBack);
    writeColor(bag, "SelMenuFore", c.selMenuFore, d.selMenuFore);
    writeColor(bag, "SelCheckBack", c.selCheckBack, d.selCheckBack);
    writeColor(bag, "MenuBorder", c.menuBorder, d.menuBorder);
    writeColor(bag, "MenuBack", c.menuBack, d.menuBack);
    writeColor(bag, "MenuFore", c.menuFore, d.menuFore);
    writeColor(bag, "CheckBack", c.checkBack, d.checkBack);
    writeColor(bag, "CheckFore", c.checkFore, d.checkFore);
    writeColor(bag, "DisabledMenuBorder", c.disabledMenuBorder, d.disabledMenuBorder);
    writeColor(bag, "DisabledMenuBack", c.disabledMenuBack, d.disabledMenuBack);
    writeColor(bag, "DisabledMenuFore", c.disabledMenuFore, d.disabledMenuFore);
    writeColor(bag, "MenuBarStar", c.menuBarStart, d.menuBarStart);
    writeColor(bag, "MenuBarEnd", c.menuBarEnd, d.menuBarEnd);
    writeBool(bag, "ShowMenuBarGradient", c.showMenuBarGradient, d.showMenuBarGradient);
    writeInt(bag, "BitmapSize", c.bitmapSize, d.bitmapSize);
    writeBool(bag, "SelectDisabled", c.selectDisabled, d.selectDisabled);
    if (m_hasFont)
        writeFont(bag, "Font", m_font, QFont());
    else
        bag.remove("Font");
}

// ---- attaching --------------------------------------------------------------------------

bool VsMenu::Init(QWidget* host) {
    if (!host) return false;
    Detach();
    m_host = host;
    connect(host, &QObject::destroyed, this, [this] {
        m_inLoop = false;
        emit Highlight(QString());
    });
    if (auto* bar = host->findChild<QMenuBar*>()) setLinkMenu(bar);
    const QList<QMenu*> menus = host->findChildren<QMenu*>();
    for (QMenu* menu : menus) adopt(menu);
    qApp->installEventFilter(this);
    return true;
}

void VsMenu::setLinkMenu(QMenuBar* menuBar) {
    if (!menuBar || m_menuBar == menuBar) return;
    m_menuBar = menuBar;
    styleWidget(menuBar);
    connect(menuBar, &QMenuBar::hovered, this,
            [this](QAction* action) { emit Highlight(plainText(action)); });
    const QList<QMenu*> menus = menuBar->findChildren<QMenu*>();
    for (QMenu* menu : menus) adopt(menu);
    if (!m_host) qApp->installEventFilter(this);
}

void VsMenu::Detach() {
    qApp->removeEventFilter(this);
    for (const QPointer<QWidget>& w : std::as_const(m_styled)) {
        if (!w) continue;
        disconnect(w, nullptr, this, nullptr);
        w->setStyle(nullptr);
    }
    m_styled.clear();
    if (m_host) disconnect(m_host, nullptr, this, nullptr);
    m_host = nullptr;
    m_menuBar = nullptr;
    m_inLoop = false;
}

QStyle* VsMenu::Style() const {
    return m_style;
}

void VsMenu::styleWidget(QWidget* widget) {
    for (const QPointer<QWidget>& w : std::as_const(m_styled))
        if (w == widget) return;
    m_styled.append(widget);
    widget->setStyle(m_style);
    if (m_hasFont) widget->setFont(m_font);
    widget->update();
}

void VsMenu::adopt(QMenu* menu) {
    if (!menu) return;
    for (const QPointer<QWidget>& w : std::as_const(m_styled))
        if (w == menu) return;
    styleWidget(menu);
    connect(menu, &QMenu::hovered, this,
            [this](QAction* action) { emit Highlight(plainText(action)); });
    connect(menu, &QMenu::aboutToShow, this, [this] { m_inLoop = true; });
    connect(menu, &QMenu::aboutToHide, this, &VsMenu::menuHidden);
}

bool VsMenu::belongsToHost(const QWidget* widget) const {
    if (!m_host && !m_menuBar) return false;
    if (!widget->parentWidget()) return m_host && QApplication::activeWindow() == m_host;
    for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
        if (w == m_host || w == m_menuBar) return true;
    return false;
}

void VsMenu::menuHidden() {
    // The loop has ended when no other pop-up took over once this one is gone.
    QTimer::singleShot(0, this, [this] {
        if (m_inLoop && !QApplication::activePopupWidget()) {
            m_inLoop = false;
            emit Highlight(QString());
        }
    });
}

bool VsMenu::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Polish:
        case QEvent::Show:
            if (auto* menu = qobject_cast<QMenu*>(watched); menu && belongsToHost(menu))
                adopt(menu);
            break;
        case QEvent::MouseButtonRelease:
            if (auto* menu = qobject_cast<QMenu*>(watched)) {
                const auto* me = static_cast<QMouseEvent*>(event);
                if (me->button() == Qt::RightButton && m_styled.contains(menu))
                    if (QAction* action = menu->actionAt(me->position().toPoint()))
                        emit ItemRightClick(plainText(action));
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

// ---- colours ----------------------------------------------------------------------------

void VsMenu::applyColors() {
    m_style->setColors(m_colors);
    for (const QPointer<QWidget>& w : std::as_const(m_styled)) {
        if (!w) continue;
        if (m_hasFont) w->setFont(m_font);
        // Measures (bitmap column, font) change item sizes too.
        if (auto* menu = qobject_cast<QMenu*>(w.data())) menu->adjustSize();
        w->update();
    }
}

void VsMenu::ChangeColor(const VsMenuColors& colors) {
    m_colors = colors;
    applyColors();
}

void VsMenu::ChangeColor(OleColor menuFore, OleColor menuBarStart, OleColor menuBarEnd,
                         OleColor menuBorder, bool showGradient) {
    m_colors.menuFore = menuFore;
    m_colors.menuBarStart = menuBarStart;
    m_colors.menuBarEnd = menuBarEnd;
    m_colors.menuBorder = menuBorder;
    m_colors.showMenuBarGradient = showGradient;
    applyColors();
}

void VsMenu::setShowMenuBarGradient(bool v) {
    m_colors.showMenuBarGradient = v;
    applyColors();
}

void VsMenu::setBitmapSize(int v) {
    m_colors.bitmapSize = std::max(0, v);
    applyColors();
}

void VsMenu::setSelectDisabled(bool v) {
    m_colors.selectDisabled = v;
    applyColors();
}

void VsMenu::setFont(const QFont& font) {
    m_font = font;
    m_hasFont = true;
    applyColors();
}

}  // namespace kui
