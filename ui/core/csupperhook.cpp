#include "csupperhook.h"

#include <QCoreApplication>
#include <QObject>

namespace kui {

// The application-wide filter of one hook.
class HookFilter : public QObject {
  public:
    HookFilter(int type, iSupperHook* sink) : m_type(type), m_sink(sink) {}

    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (isResendCopy(receiver, event)) return false;
        if (!cSupperHook::typeSees(m_type, event->type())) return false;
        bool handled = false;
        qint64 lReturn = 0;
        m_sink->Before(handled, lReturn, receiver, event);
        if (handled) return true;
        if (!m_sink->WantsAfter(receiver, event)) return false;

        QEvent* outerEvent = m_resending;
        QObject* outerReceiver = m_resendReceiver;
        m_resending = event;
        m_resendReceiver = receiver;
        lReturn = QCoreApplication::sendEvent(receiver, event) ? 1 : 0;
        m_resending = outerEvent;
        m_resendReceiver = outerReceiver;
        m_sink->After(lReturn, receiver, event);
        // The second delivery already walked the parents of an input event; accepting it stops
        // the first delivery from walking them again.
        if (propagates(event->type())) event->accept();
        return true;
    }

  private:
    // The second delivery made for the After phase, and the copies Qt makes of it while
    // walking up to the parents, pass straight through: the hook has seen them already.
    bool isResendCopy(QObject* receiver, QEvent* event) const {
        if (!m_resending) return false;
        if (event == m_resending) return true;
        if (event->type() != m_resending->type() || !propagates(event->type())) return false;
        for (QObject* o = m_resendReceiver; o; o = o->parent())
            if (o == receiver) return true;
        return false;
    }

    static bool propagates(QEvent::Type t) {
        switch (t) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::ContextMenu:
            case QEvent::TabletPress:
            case QEvent::TabletRelease:
            case QEvent::TabletMove:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
                return true;
            default:
                return false;
        }
    }

    int m_type;
    iSupperHook* m_sink;
    QEvent* m_resending = nullptr;
    QObject* m_resendReceiver = nullptr;
};

cSupperHook::cSupperHook() = default;

cSupperHook::~cSupperHook() {
    Unhook();
}

bool cSupperHook::typeSees(int hookType, QEvent::Type t) {
    switch (hookType) {
        case WH_KEYBOARD:
            return t == QEvent::KeyPress || t == QEvent::KeyRelease ||
                   t == QEvent::ShortcutOverride;
        case WH_MOUSE:
            return t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease ||
                   t == QEvent::MouseButtonDblClick || t == QEvent::MouseMove ||
                   t == QEvent::Wheel || t == QEvent::Enter || t == QEvent::Leave ||
                   t == QEvent::NonClientAreaMouseButtonPress ||
                   t == QEvent::NonClientAreaMouseButtonRelease ||
                   t == QEvent::NonClientAreaMouseMove;
        default:
            return true;
    }
}

bool cSupperHook::Hook(int hookType, iSupperHook* sink) {
    if (m_filter || !sink || !QCoreApplication::instance()) return false;
    m_type = hookType;
    m_filter = std::make_unique<HookFilter>(hookType, sink);
    QCoreApplication::instance()->installEventFilter(m_filter.get());
    return true;
}

bool cSupperHook::Unhook() {
    if (!m_filter) return false;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(m_filter.get());
    m_filter.reset();
    return true;
}

}  // namespace kui
