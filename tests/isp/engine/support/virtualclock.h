// A clock that only moves when a test moves it. It serves the engine's timers and schedules the
// chip model's replies, so every time-out in a test happens at an exact, chosen moment.
#pragma once

#include "engineio.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace zel::test {

class VirtualClock : public IspTimers {
  public:
    using Action = std::function<void()>;

    // Where timer expiries go; set before the first arm.
    void setTimerSink(std::function<void(EngineTimer)> sink) { m_sink = std::move(sink); }

    void arm(EngineTimer timer, int milliseconds) override;
    void disarm(EngineTimer timer) override;

    // Runs `action` `delay` ms from now (after anything already due at that moment).
    void schedule(int64_t delay, Action action);

    int64_t now() const { return m_now; }
    bool isArmed(EngineTimer timer) const;
    // Milliseconds until the timer fires; nothing when it is not armed.
    std::optional<int64_t> dueIn(EngineTimer timer) const;
    // How often the timer was armed with this interval (to read back the intervals in use).
    std::vector<int> intervalsArmed(EngineTimer timer) const;

    // Runs everything due within the next `ms` milliseconds, in time order, and moves to
    // that moment.
    void advance(int64_t ms);
    // Advances until `done` holds or `limit` ms have passed; returns whether it holds.
    bool runUntil(const std::function<bool()>& done, int64_t limit);

  private:
    struct Entry {
        int64_t due;
        uint64_t order;
        std::optional<EngineTimer> timer;
        Action action;
    };
    bool runNext(int64_t until);

    int64_t m_now = 0;
    uint64_t m_order = 0;
    std::vector<Entry> m_entries;
    std::vector<std::pair<EngineTimer, int>> m_armed;
    std::function<void(EngineTimer)> m_sink;
};

}  // namespace zel::test
