// The sinks of the toolkit's message interception. A class that must see events of a window it
// does not own (cSupperClass) or of the whole application (cSupperHook) implements one of these.
#pragma once

#include <QtGlobal>

class QEvent;
class QObject;

namespace kui {

class iSupperClass {
  public:
    virtual ~iSupperClass() = default;

    // After the window handled the event. lReturn is the window's own result (1 handled,
    // 0 not) and is passed on to outer watchers. Qt tells the sender of an event only
    // whether it was accepted, so a sink that wants to change the outcome sets the event's
    // accepted flag.
    virtual void After(qint64& lReturn, QObject* hwnd, QEvent* uMsg) = 0;

    // Before the window sees the event. Setting bHandled swallows it: neither the window nor
    // the After phase runs. The sink may also change the event object in place.
    virtual void Before(bool& bHandled, qint64& lReturn, QObject* hwnd, QEvent* uMsg) = 0;
};

class iSupperHook {
  public:
    virtual ~iSupperHook() = default;

    // After the event was delivered in full; only called when WantsAfter said so.
    virtual void After(qint64& lReturn, QObject* receiver, QEvent* uMsg) = 0;

    // Before any object sees the event; bHandled swallows it.
    virtual void Before(bool& bHandled, qint64& lReturn, QObject* receiver, QEvent* uMsg) = 0;

    // Delivering an event a second time to learn its result is not free, so the After phase of
    // an application-wide hook is asked for per event.
    virtual bool WantsAfter(QObject* receiver, QEvent* uMsg) {
        Q_UNUSED(receiver);
        Q_UNUSED(uMsg);
        return false;
    }
};

}  // namespace kui
