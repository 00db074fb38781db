// A clock for the job controller's tests: time moves only when the test advances it, timers
// fire in order of their due time, and posted calls run before any timer.
#pragma once

#include "jobs/jobclock.h"

#include <deque>
#include <memory>
#include <vector>

namespace korvan::jobs::testing {

class VirtualJobClock : public JobClock {
  public:
    QDateTime now() const override;
    std::unique_ptr<JobTimer> createTimer(std::function<void()> onTimeout) override;
    void post(std::function<void()> call) override;

    // Runs what is posted, then every timer due within `milliseconds`, in order.
    void advance(qint64 milliseconds);
    void runPosted();
    qint64 elapsed() const { return m_ms; }
    void setStart(const QDateTime& start) { m_start = start; }

    struct TimerState {
        bool active = false;
        bool repeat = false;
        int interval = 0;
        qint64 due = 0;
        std::function<void()> call;
    };

  private:
    QDateTime m_start{QDate(2026, 3, 1), QTime(9, 30, 0)};
    qint64 m_ms = 0;
    std::vector<std::weak_ptr<TimerState>> m_timers;
    std::deque<std::function<void()>> m_posted;
};

}  // namespace korvan::jobs::testing
