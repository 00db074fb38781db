#include "qtenginetimers.h"

namespace zel {

namespace {

constexpr std::array<EngineTimer, 4> kTimers{EngineTimer::Timer1, EngineTimer::Timer2,
                                             EngineTimer::Timer3, EngineTimer::Settle};

size_t Slot(EngineTimer timer) {
    return static_cast<size_t>(timer) - 1;
}

}  // namespace

QtEngineTimers::QtEngineTimers(std::function<void(EngineTimer)> fired, QObject* parent)
    : QObject(parent), m_fired(std::move(fired)) {
    for (EngineTimer timer : kTimers) {
        QTimer& t = timerFor(timer);
        t.setSingleShot(true);
        // The start flag runs at 10 ms; a coarse timer would stretch it by up to 5 %.
        t.setTimerType(Qt::PreciseTimer);
        connect(&t, &QTimer::timeout, this, [this, timer] { m_fired(timer); });
    }
}

QTimer& QtEngineTimers::timerFor(EngineTimer timer) {
    return m_timers[Slot(timer)];
}

void QtEngineTimers::arm(EngineTimer timer, int milliseconds) {
    timerFor(timer).start(milliseconds);
}

void QtEngineTimers::disarm(EngineTimer timer) {
    timerFor(timer).stop();
}

bool QtEngineTimers::isArmed(EngineTimer timer) const {
    return m_timers[Slot(timer)].isActive();
}

}  // namespace zel
