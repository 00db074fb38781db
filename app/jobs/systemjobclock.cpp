#include "jobs/jobclock.h"

#include <QTimer>

namespace korvan::jobs {

namespace {

class QtJobTimer : public JobTimer {
  public:
    explicit QtJobTimer(std::function<void()> onTimeout) {
        QObject::connect(&m_timer, &QTimer::timeout, [call = std::move(onTimeout)] { call(); });
    }
    void start(int milliseconds, bool repeat) override {
        m_timer.setSingleShot(!repeat);
        m_timer.start(milliseconds);
    }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

  private:
    QTimer m_timer;
};

}  // namespace

std::unique_ptr<JobTimer> SystemJobClock::createTimer(std::function<void()> onTimeout) {
    return std::make_unique<QtJobTimer>(std::move(onTimeout));
}

void SystemJobClock::post(std::function<void()> call) {
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

}  // namespace korvan::jobs
