// cSupperClass lets an object see chosen events of a window it does not own, before the
// window handles them (and may swallow them) and/or after (and may change the result).
// Several instances may watch one window; the latest one is the outermost, as with a chain
// of window procedures. The per-window record is released by itself when the window dies.
#pragma once

#include <QList>
#include <QPointer>
#include <initializer_list>
#include <optional>

#include "ui/core/isupperclass.h"

class QEvent;
class QObject;

namespace kui {

class cSupperClass {
  public:
    cSupperClass() = default;
    ~cSupperClass();
    cSupperClass(const cSupperClass&) = delete;
    cSupperClass& operator=(const cSupperClass&) = delete;

    // The watched window, nullptr when none (or once it was destroyed).
    QObject* hwnd() const { return m_window.data(); }

    bool AllBeforeMsgs() const { return m_allBefore; }
    void setAllBeforeMsgs(bool all) { m_allBefore = all; }
    bool AllAfterMsgs() const { return m_allAfter; }
    void setAllAfterMsgs(bool all) { m_allAfter = all; }

    // Event types (QEvent::Type values). Add returns true only if every type was new.
    bool AddBeforeMsgs(std::initializer_list<int> msgs);
    bool AddBeforeMsgs(const QList<int>& msgs);
    bool RemoveBeforeMsg(int msg);
    bool HasBeforeMsgs(int msg) const { return m_before.contains(msg); }
    bool AddAfterMsgs(std::initializer_list<int> msgs);
    bool AddAfterMsgs(const QList<int>& msgs);
    bool RemoveAfterMsg(int msg);
    bool HasAfterMsgs(int msg) const { return m_after.contains(msg); }

    // How many types reach each phase: -1 all, 0 none, else the list length.
    int beforeCount() const;
    int afterCount() const;

    // Starts watching; false (and nothing changes) when a window is already watched, or when
    // the window or sink is missing.
    bool Subclass(QObject* window, iSupperClass* sink);
    // Stops watching; true when a window had been watched (also one destroyed meanwhile).
    bool Unsubclass();

    // The window's own handling of an event, without any watcher; empty when none.
    std::optional<bool> CallOrigWndProc(QEvent* event);

    // Whether a record exists for the window, and how many windows have one.
    static bool isSubclassed(const QObject* window);
    static int recordCount();

  private:
    friend class SubclassRecord;
    bool routesBefore(int type) const;
    bool routesAfter(int type) const;
    void windowGone();

    static bool addAll(QList<int>& list, const QList<int>& msgs);

    QPointer<QObject> m_window;
    bool m_hadWindow = false;
    iSupperClass* m_sink = nullptr;
    QList<int> m_before;
    QList<int> m_after;
    bool m_allBefore = false;
    bool m_allAfter = false;
};

}  // namespace kui
