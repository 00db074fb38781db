#include "csupperclass.h"

#include <QEvent>
#include <QHash>
#include <QObject>
#include <algorithm>
#include <vector>

namespace kui {

// One per watched window: the event filter that routes the window's events through the chain
// of watchers, the shared window procedure of the toolkit.
class SubclassRecord : public QObject {
  public:
    explicit SubclassRecord(QObject* window) : m_window(window) {
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, this, [this] { windowDestroyed(); });
    }

    ~SubclassRecord() override = default;

    static QHash<const QObject*, SubclassRecord*>& all() {
        static QHash<const QObject*, SubclassRecord*> records;
        return records;
    }

    void add(cSupperClass* watcher) { m_chain.push_back(watcher); }

    void remove(cSupperClass* watcher) {
        std::erase(m_chain, watcher);
        if (m_chain.empty()) release();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window || m_dead) return false;
        ++m_depth;
        // A snapshot, because a sink may add or remove watchers while it runs.
        const std::vector<cSupperClass*> chain = m_chain;
        bool result = false;
        if (anyAfter(event->type())) {
            // The window handles the event inside the route, so Qt must not deliver it again.
            qint64 lReturn = 0;
            route(chain, int(chain.size()) - 1, event, lReturn);
            result = true;
        } else {
            result = beforeOnly(chain, event);
        }
        --m_depth;
        if (m_dead && m_depth == 0) delete this;
        return result;
    }

    // The window's own event handler, past every filter.
    bool callWindow(QEvent* event) {
        if (m_dead) return false;
        return m_window->event(event);
    }

  private:
    bool contains(const cSupperClass* watcher) const {
        return std::find(m_chain.begin(), m_chain.end(), watcher) != m_chain.end();
    }

    bool anyAfter(int type) const {
        return std::any_of(m_chain.begin(), m_chain.end(),
                           [type](const cSupperClass* w) { return w->routesAfter(type); });
    }

    // Nobody wants the after phase: Qt delivers the event normally unless a sink swallows it,
    // so that other filters of the window keep their place.
    bool beforeOnly(const std::vector<cSupperClass*>& chain, QEvent* event) {
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            cSupperClass* w = *it;
            if (m_dead) return true;
            if (!contains(w) || !w->routesBefore(event->type())) continue;
            bool handled = false;
            qint64 lReturn = 0;
            w->m_sink->Before(handled, lReturn, m_window, event);
            if (handled) return true;
        }
        return m_dead;
    }

    // One level of the chain, outermost first, as nested window procedures run: the level's
    // Before, then everything inside it, then its After. The innermost level is the window.
    void route(const std::vector<cSupperClass*>& chain, int level, QEvent* event, qint64& lReturn) {
        if (m_dead) return;
        if (level < 0) {
            lReturn = m_window->event(event) ? 1 : 0;
            return;
        }
        cSupperClass* w = chain[size_t(level)];
        const bool present = contains(w);
        if (present && w->routesBefore(event->type())) {
            bool handled = false;
            w->m_sink->Before(handled, lReturn, m_window, event);
            if (handled || m_dead) return;
        }
        route(chain, level - 1, event, lReturn);
        if (!m_dead && contains(w) && w->routesAfter(event->type()))
            w->m_sink->After(lReturn, m_window, event);
    }

    void windowDestroyed() {
        m_windowDying = true;
        release();
    }

    // Forgets the window and every watcher; the object itself goes once no dispatch runs.
    void release() {
        all().remove(m_window);
        const std::vector<cSupperClass*> chain = std::move(m_chain);
        m_chain.clear();
        for (cSupperClass* watcher : chain) watcher->windowGone();
        m_dead = true;
        if (!m_windowDying) m_window->removeEventFilter(this);
        if (m_depth == 0) delete this;
    }

    QObject* m_window;
    std::vector<cSupperClass*> m_chain;  // innermost first
    int m_depth = 0;
    bool m_dead = false;
    bool m_windowDying = false;
};

cSupperClass::~cSupperClass() {
    Unsubclass();
}

bool cSupperClass::addAll(QList<int>& list, const QList<int>& msgs) {
    bool everyAdded = true;
    for (int msg : msgs) {
        if (list.contains(msg)) {
            everyAdded = false;
            continue;
        }
        list.append(msg);
    }
    return everyAdded;
}

bool cSupperClass::AddBeforeMsgs(std::initializer_list<int> msgs) {
    return addAll(m_before, QList<int>(msgs));
}
bool cSupperClass::AddBeforeMsgs(const QList<int>& msgs) {
    return addAll(m_before, msgs);
}
bool cSupperClass::AddAfterMsgs(std::initializer_list<int> msgs) {
    return addAll(m_after, QList<int>(msgs));
}
bool cSupperClass::AddAfterMsgs(const QList<int>& msgs) {
    return addAll(m_after, msgs);
}

bool cSupperClass::RemoveBeforeMsg(int msg) {
    return m_before.removeOne(msg);
}
bool cSupperClass::RemoveAfterMsg(int msg) {
    return m_after.removeOne(msg);
}

int cSupperClass::beforeCount() const {
    if (!m_sink) return 0;
    return m_allBefore ? -1 : int(m_before.size());
}

int cSupperClass::afterCount() const {
    if (!m_sink) return 0;
    return m_allAfter ? -1 : int(m_after.size());
}

bool cSupperClass::routesBefore(int type) const {
    return m_sink && (m_allBefore || m_before.contains(type));
}

bool cSupperClass::routesAfter(int type) const {
    return m_sink && (m_allAfter || m_after.contains(type));
}

bool cSupperClass::Subclass(QObject* window, iSupperClass* sink) {
    if (m_window || m_sink || !window || !sink) return false;
    SubclassRecord*& record = SubclassRecord::all()[window];
    if (!record) record = new SubclassRecord(window);
    m_window = window;
    m_hadWindow = true;
    m_sink = sink;
    record->add(this);
    return true;
}

bool cSupperClass::Unsubclass() {
    const bool had = m_hadWindow;
    if (m_window) {
        SubclassRecord* record = SubclassRecord::all().value(m_window.data());
        if (record) record->remove(this);
    }
    windowGone();
    m_hadWindow = false;
    return had;
}

void cSupperClass::windowGone() {
    m_window = nullptr;
    m_sink = nullptr;
}

std::optional<bool> cSupperClass::CallOrigWndProc(QEvent* event) {
    if (!m_window || !event) return std::nullopt;
    SubclassRecord* record = SubclassRecord::all().value(m_window.data());
    if (!record) return std::nullopt;
    return record->callWindow(event);
}

bool cSupperClass::isSubclassed(const QObject* window) {
    return SubclassRecord::all().contains(window);
}

int cSupperClass::recordCount() {
    return int(SubclassRecord::all().size());
}

}  // namespace kui
