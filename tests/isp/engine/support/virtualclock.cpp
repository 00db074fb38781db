#include "virtualclock.h"

#include <algorithm>

namespace zel::test {

void VirtualClock::arm(EngineTimer timer, int milliseconds) {
    disarm(timer);
    m_armed.emplace_back(timer, milliseconds);
    m_entries.push_back(Entry{m_now + milliseconds, m_order++, timer, [this, timer] {
                                  if (m_sink) m_sink(timer);
                              }});
}

void VirtualClock::disarm(EngineTimer timer) {
    std::erase_if(m_entries, [timer](const Entry& e) { return e.timer == timer; });
}

void VirtualClock::schedule(int64_t delay, Action action) {
    m_entries.push_back(Entry{m_now + delay, m_order++, std::nullopt, std::move(action)});
}

bool VirtualClock::isArmed(EngineTimer timer) const {
    return dueIn(timer).has_value();
}

std::optional<int64_t> VirtualClock::dueIn(EngineTimer timer) const {
    for (const Entry& e : m_entries) {
        if (e.timer == timer) return e.due - m_now;
    }
    return std::nullopt;
}

std::vector<int> VirtualClock::intervalsArmed(EngineTimer timer) const {
    std::vector<int> intervals;
    for (const auto& [t, ms] : m_armed) {
        if (t == timer) intervals.push_back(ms);
    }
    return intervals;
}

bool VirtualClock::runNext(int64_t until) {
    const auto next =
        std::min_element(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
            return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
    if (next == m_entries.end() || next->due > until) return false;
    Entry entry = std::move(*next);
    m_entries.erase(next);
    m_now = entry.due;
    entry.action();
    return true;
}

void VirtualClock::advance(int64_t ms) {
    const int64_t until = m_now + ms;
    while (runNext(until)) {
    }
    m_now = until;
}

bool VirtualClock::runUntil(const std::function<bool()>& done, int64_t limit) {
    const int64_t until = m_now + limit;
    while (!done()) {
        if (!runNext(until)) {
            m_now = until;
            return done();
        }
    }
    return true;
}

}  // namespace zel::test
