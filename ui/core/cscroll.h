// cScroll turns a window's scroll bar into an object with Value, Min, Max, Visible,
// LargeChange and SmallChange that moves by fixed rules and raises Change when the user moves
// it. The window may be a QScrollBar, a scroll area (its own bar is used) or any widget, which
// then gets a bar docked at its right (or bottom) edge.
#pragma once

#include <QObject>
#include <QPointer>
#include <QScrollBar>

#include "ui/core/csupperclass.h"

class QWidget;

namespace kui {

class cScroll : public QObject, private iSupperClass {
    Q_OBJECT

  public:
    // Scroll request codes, as the bar reports them.
    enum Request {
        LineUp = 0,
        LineDown = 1,
        PageUp = 2,
        PageDown = 3,
        ThumbPosition = 4,
        ThumbTrack = 5,
        Top = 6,
        Bottom = 7,
        EndScroll = 8,
    };

    explicit cScroll(QObject* parent = nullptr);
    ~cScroll() override;

    // Allowed once; false on a second call or without a window.
    bool Init(QWidget* hwnd, bool horz = false);

    QScrollBar* bar() const { return m_bar; }
    QWidget* window() const { return m_window; }
    bool isHorizontal() const { return m_horizontal; }

    int Value() const { return m_value; }
    void setValue(int v);
    int Max() const { return m_max; }
    void setMax(int v);
    int Min() const { return m_min; }
    void setMin(int v);
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    int LargeChange() const { return m_largeChange; }
    void setLargeChange(int v);
    int SmallChange() const { return m_smallChange; }
    void setSmallChange(int v);

    // A scroll request as the bar sends it; thumbPosition is used by ThumbTrack only.
    void Request(int code, int thumbPosition = 0);

  signals:
    void Change();

  private:
    void After(qint64& lReturn, QObject* hwnd, QEvent* uMsg) override;
    void Before(bool& bHandled, qint64& lReturn, QObject* hwnd, QEvent* uMsg) override;

    void onAction(int action);
    void wheel(int delta);
    void moveTo(int value);  // raises Change when the value changes
    void updateBar();
    void dockBar();

    QPointer<QWidget> m_window;
    QPointer<QScrollBar> m_bar;
    bool m_ownBar = false;
    bool m_horizontal = false;
    bool m_initialised = false;
    bool m_updating = false;
    int m_value = 0;
    int m_min = 0;
    int m_max = 0;
    int m_largeChange = 1;
    int m_smallChange = 1;
    bool m_visible = true;
    cSupperClass m_windowClass;
    cSupperClass m_barClass;
};

}  // namespace kui
