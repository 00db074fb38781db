#include "windows/dragpanel.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace korvan {

DragPanel* DragPanel::attach(QWidget* panel, QWidget* window) {
    if (!panel || !window) return nullptr;
    return new DragPanel(panel, window);
}

DragPanel::DragPanel(QWidget* panel, QWidget* window) : QObject(panel), m_window(window) {
    panel->installEventFilter(this);
}

bool DragPanel::eventFilter(QObject* watched, QEvent* event) {
    if (!m_window) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) break;
            // The window system moves the window itself where it can; else we follow the mouse.
            if (QWindow* handle = m_window->windowHandle(); handle && handle->startSystemMove())
                return true;
            m_dragging = true;
            m_grab = mouse->globalPosition().toPoint() - m_window->pos();
            return true;
        }
        case QEvent::MouseMove:
            if (!m_dragging) break;
            m_window->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - m_grab);
            return true;
        case QEvent::MouseButtonRelease:
            if (!m_dragging) break;
            m_dragging = false;
            return true;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace korvan
