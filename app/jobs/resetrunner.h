// Plays a reset sequence on the job's own port while the start flag is being sent: each line
// step at once, each wait as a timer of the job clock, so the window thread never blocks and
// tests step through it on a virtual clock.
#pragma once

#include "core/resetsequence.h"
#include "jobs/jobclock.h"

#include <functional>
#include <memory>

namespace korvan::jobs {

class ResetRunner {
  public:
    // `drive` sets one line (Dtr or Rts) to a level.
    ResetRunner(JobClock& clock, std::function<void(ResetStep::Kind, bool)> drive);

    // Starts `sequence` from its first step; one already running is dropped.
    void start(const ResetSequence& sequence);
    // Stops before the next step; the lines keep the levels they have.
    void stop();

  private:
    void runSteps();

    std::function<void(ResetStep::Kind, bool)> m_drive;
    std::unique_ptr<JobTimer> m_wait;
    ResetSequence m_steps;
    size_t m_next = 0;
};

}  // namespace korvan::jobs
