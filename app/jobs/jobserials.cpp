// The serial numbers of a shared pool as the controller uses them: taken when the code is
// handed over, kept by a chip that succeeds, given back by a job that does not. The task file
// never advances its own number then; the pool keeps it.
#include "core/serialpoolname.h"
#include "jobs/jobcontroller.h"
#include "jobs/jobtexts.h"

#include <utility>

namespace korvan::jobs {

void JobController::setSerialSource(SerialSource* source) {
    if (source == m_serials) return;
    // The settings may change while a chip is being written with a number of the old source:
    // that number is kept there, as the chip may well end up with it. Lost if the job fails,
    // but never given to a second chip.
    if (m_held && m_serials) m_serials->keep(m_held->pool, m_held->number);
    m_held.reset();
    m_serials = source;
}

std::optional<UserSettings> JobController::numberedSettings() {
    UserSettings numbered = m_workspace.settings();
    if (!m_serials) return numbered;
    // The control may ask for the code again within one job; the chip keeps one number.
    if (!m_held) {
        const QString pool = SerialPoolName(m_workspace);
        const std::optional<qint64> number = m_serials->take(pool, numbered.IncNext);
        if (!number) return std::nullopt;
        m_held = HeldSerial{pool, *number};
    }
    numbered.IncNext = m_held->number;
    return numbered;
}

void JobController::settleSerial(bool success) {
    if (!m_held) return;
    const HeldSerial held = *std::exchange(m_held, std::nullopt);
    if (!m_serials) return;
    if (success) {
        if (m_serials->keep(held.pool, held.number)) {
            LogLine(text::SerialGiven(held.number), icon::kSuccess, true, 0, LineKind::Result);
        } else {
            LogLine(text::SerialNotKept(held.number, m_serials->error()), icon::kFail, false, 0,
                    LineKind::Problem);
        }
        return;
    }
    if (!m_serials->giveBack(held.pool, held.number))
        LogLine(text::SerialNotGivenBack(held.number, m_serials->error()), icon::kFail, false, 0,
                LineKind::Problem);
}

}  // namespace korvan::jobs
