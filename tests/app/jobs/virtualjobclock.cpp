#include "virtualjobclock.h"

namespace korvan::jobs::testing {

namespace {

class VirtualTimer : public JobTimer {
  public:
    VirtualTimer(std::shared_ptr<VirtualJobClock::TimerState> state, const qint64& now)
        : m_state(std::move(state)), m_now(now) {}
    void start(int milliseconds, bool repeat) override {
        m_state->active = true;
        m_state->repeat = repeat;
        m_state->interval = milliseconds;
        m_state->due = m_now + milliseconds;
    }
    void stop() override { m_state->active = false; }
    bool isActive() const override { return m_state->active; }

  private:
    std::shared_ptr<VirtualJobClock::TimerState> m_state;
    const qint64& m_now;
};

}  // namespace

QDateTime VirtualJobClock::now() const {
    return m_start.addMSecs(m_ms);
}

std::unique_ptr<JobTimer> VirtualJobClock::createTimer(std::function<void()> onTimeout) {
    auto state = std::make_shared<TimerState>();
    state->call = std::move(onTimeout);
    m_timers.push_back(state);
    return std::make_unique<VirtualTimer>(std::move(state), m_ms);
}

void VirtualJobClock::post(std::function<void()> call) {
    m_posted.push_back(std::move(call));
}

void VirtualJobClock::runPosted() {
    while (!m_posted.empty()) {
        auto call = std::move(m_posted.front());
        m_posted.pop_front();
        call();
    }
}

void VirtualJobClock::advance(qint64 milliseconds) {
    const qint64 target = m_ms + milliseconds;
    runPosted();
    for (;;) {
        std::shared_ptr<TimerState> next;
        for (const auto& weak : m_timers) {
            const auto timer = weak.lock();
            if (timer && timer->active && timer->due <= target && (!next || timer->due < next->due))
                next = timer;
        }
        if (!next) break;
        m_ms = next->due;
        if (next->repeat)
            next->due += std::max(next->interval, 1);
        else
            next->active = false;
        next->call();
        runPosted();
    }
    m_ms = target;
}

}  // namespace korvan::jobs::testing
