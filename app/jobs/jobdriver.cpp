#include "jobs/jobdriver.h"

namespace korvan::jobs {

JobDriver::JobDriver(JobClock& clock) : m_clock(clock) {}

JobDriver::~JobDriver() {
    *m_alive = false;
}

bool JobDriver::start(int type) {
    m_finalReason = EndReason::None;
    m_jobOpen = true;
    const bool started = doStart(type);
    // A start refused on the port never ran; its end is reported like any other.
    if (!busy()) queueEndCheck();
    return started;
}

void JobDriver::raiseError(int index, const QString& info) {
    if (index == info::kErrorPort && m_finalReason == EndReason::None)
        m_finalReason = EndReason::PortOpenFailed;
    if (m_listener) m_listener->driverError(index, info);
    if (!busy()) queueEndCheck();
}

void JobDriver::raiseViewInfo(int index, const QString& info) {
    if (index == info::kComplete) m_finalReason = EndReason::Completed;
    if (index == info::kCancelled) m_finalReason = EndReason::Cancelled;
    if (index == info::kFailed && m_finalReason == EndReason::None)
        m_finalReason = EndReason::Failed;
    if (m_listener) m_listener->driverViewInfo(index, info);
    if (index == info::kComplete || index == info::kCancelled || index == info::kFailed)
        queueEndCheck();
}

void JobDriver::raiseInterrupt(int index, const QString& info, bool& resume) {
    if (m_listener) m_listener->driverInterrupt(index, info, resume);
}

void JobDriver::raiseProgress(int percent) {
    if (m_listener) m_listener->driverProgress(percent);
}

void JobDriver::queueEndCheck() {
    if (m_endQueued || !m_jobOpen) return;
    m_endQueued = true;
    m_clock.post([this, alive = std::weak_ptr<bool>(m_alive)] {
        if (alive.expired()) return;
        reportEnd();
    });
}

void JobDriver::reportEnd() {
    m_endQueued = false;
    if (!m_jobOpen || busy()) return;  // a handler started the next job
    m_jobOpen = false;
    if (m_listener) m_listener->driverJobEnded(endReason());
}

}  // namespace korvan::jobs
