// The engine's timers as single-shot QTimers on the owning thread.
#pragma once

#include "engineio.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

namespace zel {

class QtEngineTimers : public QObject, public IspTimers {
    Q_OBJECT
  public:
    // `fired` receives each expiry (the engine's TimerFired).
    explicit QtEngineTimers(std::function<void(EngineTimer)> fired, QObject* parent = nullptr);

    void arm(EngineTimer timer, int milliseconds) override;
    void disarm(EngineTimer timer) override;
    bool isArmed(EngineTimer timer) const;

  private:
    QTimer& timerFor(EngineTimer timer);

    std::array<QTimer, 4> m_timers;
    std::function<void(EngineTimer)> m_fired;
};

}  // namespace zel
