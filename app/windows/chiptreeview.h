// The chip information tree of the "参数检测" page: top lines with their children, each with an
// icon of the main window's image list, rebuilt from the record of the chip identified last.
// Double-clicking clears it, unless the owner says a check is running.
#pragma once

#include <QIcon>
#include <QMap>
#include <QTreeWidget>
#include <functional>

#include "views/chipinfolines.h"

namespace korvan {

class ChipTreeView : public QTreeWidget {
    Q_OBJECT

  public:
    explicit ChipTreeView(QWidget* parent = nullptr);

    // The icons by number; numbers without one get a small drawn picture.
    void setIcons(const QMap<int, QIcon>& icons);
    // Whether a double click may clear the tree now (no check running); default: always.
    void setClearAllowed(std::function<bool()> allowed) { m_clearAllowed = std::move(allowed); }

    // A top line (child false) or a line under the most recent top line; scrolled into view.
    QTreeWidgetItem* AddTreeLine(const QString& text, int icon, bool child);
    void ShowLines(const QVector<ChipTreeLine>& lines);
    // The tree of the chip identified last.
    void ShowChipInfo(const jobs::ChipRecord& chip);
    // A check starts: the single wait line; the countdown then changes its text.
    void ShowCheckStart(int seconds);
    void ShowCheckWait(int seconds);
    // The lines as shown, children indented by two blanks.
    QStringList lines() const;

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QIcon iconFor(int number) const;

    QMap<int, QIcon> m_icons;
    QString m_topKey;  // key of the most recent top line: line count when added + "N"
    std::function<bool()> m_clearAllowed;
};

}  // namespace korvan
