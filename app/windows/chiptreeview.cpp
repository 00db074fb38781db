#include "windows/chiptreeview.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

namespace korvan {

namespace {

constexpr int kKeyRole = Qt::UserRole + 1;
constexpr int kIconRole = Qt::UserRole + 2;

// A square in the icon's own colour, for numbers the image list does not have.
QIcon DrawnIcon(int number) {
    QColor colour;
    switch (number) {
        case kIconCore:
            colour = QColor(52, 120, 220);
            break;
        case kIconOptions:
            colour = QColor(240, 150, 30);
            break;
        case kIconNoOptions:
            colour = QColor(200, 60, 60);
            break;
        default:
            colour = QColor(90, 160, 90);
            break;
    }
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour.darker(140));
    p.setBrush(colour);
    if (number == kIconLine)
        p.drawEllipse(QRectF(5, 5, 6, 6));
    else
        p.drawRoundedRect(QRectF(2, 2, 12, 12), 2, 2);
    return QIcon(pixmap);
}

int CountItems(const QTreeWidget& tree) {
    int count = 0;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        count += 1 + tree.topLevelItem(i)->childCount();
    return count;
}

}  // namespace

ChipTreeView::ChipTreeView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("trvSet"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setIndentation(18);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setExpandsOnDoubleClick(false);
}

void ChipTreeView::setIcons(const QMap<int, QIcon>& icons) {
    m_icons = icons;
}

QIcon ChipTreeView::iconFor(int number) const {
    const auto it = m_icons.constFind(number);
    return it != m_icons.constEnd() ? *it : DrawnIcon(number);
}

QTreeWidgetItem* ChipTreeView::AddTreeLine(const QString& text, int icon, bool child) {
    auto* item = new QTreeWidgetItem({text});
    item->setIcon(0, iconFor(icon));
    item->setData(0, kIconRole, icon);
    QTreeWidgetItem* parent = nullptr;
    if (child) {
        for (int i = topLevelItemCount() - 1; i >= 0 && !parent; --i)
            if (topLevelItem(i)->data(0, kKeyRole).toString() == m_topKey) parent = topLevelItem(i);
    }
    if (parent) {
        parent->addChild(item);
        parent->setExpanded(true);
    } else {
        // A child without a top line before it stands at the top.
        m_topKey = QString::number(CountItems(*this)) + QLatin1Char('N');
        item->setData(0, kKeyRole, m_topKey);
        addTopLevelItem(item);
    }
    scrollToItem(item);
    return item;
}

void ChipTreeView::ShowLines(const QVector<ChipTreeLine>& lines) {
    clear();
    m_topKey.clear();
    for (const ChipTreeLine& line : lines) AddTreeLine(line.Text, line.Icon, line.Child);
    if (topLevelItemCount() > 0) scrollToItem(topLevelItem(0));
}

void ChipTreeView::ShowChipInfo(const jobs::ChipRecord& chip) {
    ShowLines(ChipTreeLines(chip));
}

void ChipTreeView::ShowCheckStart(int seconds) {
    ShowLines({CheckStartLine(seconds)});
}

void ChipTreeView::ShowCheckWait(int seconds) {
    if (topLevelItemCount() == 0) {
        ShowCheckStart(seconds);
        return;
    }
    topLevelItem(0)->setText(0, CheckWaitText(seconds));
}

QStringList ChipTreeView::lines() const {
    QStringList text;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QTreeWidgetItem* top = topLevelItem(i);
        text << top->text(0);
        for (int c = 0; c < top->childCount(); ++c)
            text << QStringLiteral("  ") + top->child(c)->text(0);
    }
    return text;
}

void ChipTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    if (!m_clearAllowed || m_clearAllowed()) {
        clear();
        m_topKey.clear();
    }
}

}  // namespace korvan
