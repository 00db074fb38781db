// The production record's side of the controller: the facts of a job that reached a chip,
// gathered once when it has ended.
#include "core/serialpoolname.h"
#include "jobs/jobcontroller.h"

namespace korvan::jobs {

void JobController::record(const JobResult& result) {
    if (!m_recorder || !result.identified) return;
    JobFacts facts;
    facts.result = result;
    if (result.outcome != Outcome::Success) facts.cause = causeOf(result);
    if (facts.cause.isEmpty() && result.outcome != Outcome::Success)
        facts.cause = m_job.problem.isEmpty() ? result.message : m_job.problem;
    facts.chip = m_driver.chip();
    facts.port = m_port.target().shown;
    facts.startedAt = m_job.startedAt;
    facts.endedAt = m_clock.now();
    if (result.jobType == 2) {
        facts.codeFile = m_workspace.codeFile();
        const CodeBuffer& code = m_workspace.codeBuffer();
        facts.code = QByteArray(reinterpret_cast<const char*>(code.data()),
                                static_cast<qsizetype>(code.size()));
        facts.codeSum = m_workspace.sumText();
    }
    facts.rate = result.rateSwitched ? facts.chip.baud : 0;
    facts.serial = m_job.serial;
    facts.task = SerialPoolName(m_workspace);
    m_recorder->jobRecorded(facts);
}

}  // namespace korvan::jobs
