// A background panel by which its window can be dragged, as the caption drags a window.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

namespace korvan {

class DragPanel : public QObject {
    Q_OBJECT

  public:
    // Watches `panel`; a left-button drag on it moves `window`. Owned by the panel.
    static DragPanel* attach(QWidget* panel, QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    DragPanel(QWidget* panel, QWidget* window);

    QPointer<QWidget> m_window;
    QPoint m_grab;  // the pointer's offset from the window's corner while dragging
    bool m_dragging = false;
};

}  // namespace korvan
