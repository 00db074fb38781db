#include "jobs/resetrunner.h"

namespace korvan::jobs {

ResetRunner::ResetRunner(JobClock& clock, std::function<void(ResetStep::Kind, bool)> drive)
    : m_drive(std::move(drive)), m_wait(clock.createTimer([this] { runSteps(); })) {}

void ResetRunner::start(const ResetSequence& sequence) {
    stop();
    m_steps = sequence;
    m_next = 0;
    runSteps();
}

void ResetRunner::stop() {
    m_wait->stop();
    m_steps.clear();
    m_next = 0;
}

void ResetRunner::runSteps() {
    m_wait->stop();
    while (m_next < m_steps.size()) {
        const ResetStep step = m_steps[m_next++];
        if (step.kind == ResetStep::Kind::Wait) {
            m_wait->start(step.value, false);
            return;
        }
        m_drive(step.kind, step.value != 0);
    }
}

}  // namespace korvan::jobs
