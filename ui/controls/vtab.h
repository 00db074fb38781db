// vTab: KORVAN's tab strip. A row of Cmd buttons, one per tab, above a bordered page with a
// gradient; the owning window shows the page that belongs to Selected.
#pragma once

#include <QList>
#include <QPixmap>
#include <QWidget>

#include "ui/core/colorrule.h"

namespace kui {

class Cmd;
class PropertyBag;

class vTab : public QWidget {
    Q_OBJECT

  public:
    struct TabEntry {
        QString caption;
        bool enabled = true;
    };

    explicit vTab(QWidget* parent = nullptr);
    ~vTab() override;

    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // The whole list as text: entries separated by ";", each caption + "\x01" + "1" or "0".
    QString Tabs() const;
    // Copies the entries of `text` onto the existing tabs, as far as both lists reach (a
    // language file renames tabs, it never adds or drops pages). An entry without its flag
    // keeps the tab's enabled state.
    void setTabs(const QString& text);
    // Replaces the whole list, as a saved form does.
    void setTabList(const QList<TabEntry>& tabs);
    QList<TabEntry> TabList() const { return m_tabs; }
    int TabCount() const { return int(m_tabs.size()); }

    static QList<TabEntry> parseTabs(const QString& text);
    static QString formatTabs(const QList<TabEntry>& tabs);

    int Selected() const { return m_selected; }
    // An index above the last tab means the last tab; a disabled tab keeps the current
    // selection. TabSelected is raised on every assignment.
    void setSelected(int index);

    int TabLeft() const { return m_tabLeft; }
    void setTabLeft(int v);
    int TabTop() const { return m_tabTop; }
    void setTabTop(int v);
    int TabStep() const { return m_tabStep; }
    void setTabStep(int v);
    int TabWidth() const { return m_tabWidth; }
    void setTabWidth(int v);
    int TabHeight() const { return m_tabHeight; }
    void setTabHeight(int v);
    int TextTop() const { return m_textTop; }
    void setTextTop(int v);
    OleColor BorderColor() const { return m_borderColor; }
    void setBorderColor(OleColor c);
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor c);
    OleColor BackColorEnd() const { return m_backColorEnd; }
    void setBackColorEnd(OleColor c);
    bool ShowBorder() const { return m_showBorder; }
    void setShowBorder(bool v);
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor c);
    // Drawn at the top left of the page, over the gradient.
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);

    void Add(const QString& caption, bool enabled, int index = -1);
    void Remove(int index);
    // The caption changes unless it is the null string; the flag always.
    void Change(int index, const QString& caption, bool enabled);
    void ChangeLocate(int tabLeft, int tabTop, int tabStep, int textTop, bool showBorder);
    // Page border and gradient, and the tab buttons' gradients (normal, hover, selected).
    void ChangeColor(OleColor borderColor, OleColor backColor, OleColor backColorEnd,
                     OleColor tabStart, OleColor tabEnd, OleColor tabMoveStart, OleColor tabMoveEnd,
                     OleColor tabDownStart, OleColor tabDownEnd);
    void AdjustRGB(double red, double green, double blue);

    // The button that draws tab `index`, for looks only; nullptr when out of range.
    Cmd* TabButton(int index) const;
    // The page below the tabs, in the control's coordinates.
    QRect PageRect() const;

    QSize sizeHint() const override;

  signals:
    void TabSelected(int selected);
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    struct TabColors {
        OleColor start, end, moveStart, moveEnd, downStart, downEnd;
    };
    struct PageColors {
        OleColor border, back, backEnd;
    };
    void setDefaults();
    void Rebuild();
    void applySelection();
    void styleButton(Cmd* button) const;

    QList<TabEntry> m_tabs;
    QList<Cmd*> m_buttons;
    int m_selected = 0;
    int m_tabLeft, m_tabTop, m_tabStep, m_tabWidth, m_tabHeight, m_textTop;
    OleColor m_borderColor, m_backColor, m_backColorEnd, m_foreColor;
    bool m_showBorder;
    QPixmap m_picture;
    TabColors m_tabColors;
    TabColors m_baseTabColors;
    PageColors m_basePage;
    bool m_hasBase = false;
    double m_adjust[3] = {0, 0, 0};
};

}  // namespace kui
