// Time as the job layer sees it: the wall clock for log stamps, timers that call back, and
// calls run after the current event has returned. The programs use SystemJobClock; tests
// hand in a virtual clock and advance it by hand.
#pragma once

#include <QDateTime>
#include <QObject>
#include <functional>
#include <memory>

namespace korvan::jobs {

class JobTimer {
  public:
    virtual ~JobTimer() = default;
    // (Re)starts the timer: it fires after `milliseconds`, and again every `milliseconds`
    // while `repeat`.
    virtual void start(int milliseconds, bool repeat) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

class JobClock {
  public:
    virtual ~JobClock() = default;
    virtual QDateTime now() const = 0;
    virtual std::unique_ptr<JobTimer> createTimer(std::function<void()> onTimeout) = 0;
    // Runs `call` once the event being handled has returned (from the event loop).
    virtual void post(std::function<void()> call) = 0;
};

// Qt timers and the local time on the thread that owns the clock.
class SystemJobClock : public QObject, public JobClock {
    Q_OBJECT
  public:
    using QObject::QObject;
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    std::unique_ptr<JobTimer> createTimer(std::function<void()> onTimeout) override;
    void post(std::function<void()> call) override;
};

}  // namespace korvan::jobs
