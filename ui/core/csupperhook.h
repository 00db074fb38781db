// cSupperHook shows a sink every event of one kind in the whole application before any object
// sees it, the counterpart of a thread-wide message hook. Destroying it unhooks.
#pragma once

#include <QEvent>
#include <memory>

#include "ui/core/isupperclass.h"

namespace kui {

class HookFilter;

class cSupperHook {
  public:
    // Hook types by the numbers the platform gives them; each selects a class of events.
    enum Type {
        WH_MSGFILTER = -1,   // every event
        WH_KEYBOARD = 2,     // key presses and releases, shortcut overrides
        WH_GETMESSAGE = 3,   // every event
        WH_CALLWNDPROC = 4,  // every event
        WH_MOUSE = 7,        // mouse buttons, moves, wheel, enter and leave
    };

    cSupperHook();
    ~cSupperHook();
    cSupperHook(const cSupperHook&) = delete;
    cSupperHook& operator=(const cSupperHook&) = delete;

    int HookType() const { return m_type; }
    bool isHooked() const { return bool(m_filter); }

    // False while already hooked, without a sink, or without an application object.
    bool Hook(int hookType, iSupperHook* sink);
    // False when nothing was hooked.
    bool Unhook();

    // Whether an event belongs to the class a hook type watches.
    static bool typeSees(int hookType, QEvent::Type event);

  private:
    int m_type = 0;
    std::unique_ptr<HookFilter> m_filter;
};

}  // namespace kui
