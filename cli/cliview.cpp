#include "cliview.h"

#include "clitexts.h"
#include "core/usersettings.h"
#include "jobs/enginejobdriver.h"
#include "jobs/jobtexts.h"
#include "optiontexts.h"
#include "text.h"

namespace korvan::cli {

namespace jt = jobs::text;

namespace {

LineRole RoleOf(jobs::LineKind kind) {
    switch (kind) {
        case jobs::LineKind::Step:
            return LineRole::Step;
        case jobs::LineKind::Result:
            return LineRole::Result;
        case jobs::LineKind::Problem:
            return LineRole::Problem;
    }
    return LineRole::Step;
}

}  // namespace

CliView::CliView(JobOutput& out, jobs::EngineJobDriver& driver, const UserSettings& settings)
    : m_out(out), m_driver(driver), m_settings(settings) {}

void CliView::log(const QString& text, bool ok, int index, LineRole role) {
    m_out.logLine(LogEntry{text, ok, index, role});
}

QString CliView::seriesName(int index) const {
    const QString name = m_driver.seriesName(index);
    return name.isEmpty() ? QString::number(index) : zel::options::DbText(name);
}

void CliView::showMessage(const UserMessage& message, bool logged,
                          std::function<void(int)> answer) {
    if (!logged) {
        QString text = message.Text;
        const QString detail = m_driver.lastPortFailure();
        if (text == jt::kPortFallback && !detail.isEmpty())
            text += KORVAN_TR("korvan-cli", "（%1）").arg(detail);
        log(text, false, 0, LineRole::Problem);
    }
    // Nobody is asked at a command line: what needs a yes was decided by its options.
    if (answer) answer(2);
}

void CliView::lineLogged(const jobs::LoggedLine& line) {
    log(line.text, line.ok, line.index, RoleOf(line.kind));
}

void CliView::countdown(int seconds) {
    m_out.countdown(seconds);
}

void CliView::progress(int percent) {
    m_out.progress(percent);
}

void CliView::chipIdentified(const jobs::ChipRecord& chip) {
    m_out.chipInfo(chip);
    if (m_driver.downType() == 1) {
        std::vector<OptionLine> lines;
        for (const jobs::OptionRowInfo& row : m_driver.chipOptions())
            lines.push_back(OptionLine{row.number, row.caption, row.choices, row.current});
        m_out.options(lines);
    }
    if (m_onIdentified) m_onIdentified();
}

void CliView::dataRequested() {
    if (m_onDataRequested) m_onDataRequested();
}

void CliView::seriesAdopted(int index, const QString& info) {
    log(text::SeriesAdopted(info, seriesName(index)), true, 0, LineRole::Step);
}

void CliView::seriesRefused(const QString& info) {
    log(text::SeriesRefused(info, seriesName(m_driver.chip().index),
                            seriesName(m_driver.seriesIndex())),
        false, 0, LineRole::Problem);
}

void CliView::terminalOpen() {
    if (m_terminalNoted) return;
    m_terminalNoted = true;
    m_out.warning(text::kNoTerminal);
}

void CliView::terminalSend() {
    terminalOpen();
}

void CliView::startTimedOut(int jobType) {
    // A check has logged these already.
    if (jobType == 1) return;
    log(jt::kTimeOut, false, 0, LineRole::Problem);
    for (const QString& hint : jt::kTimeOutHints) log(hint, true, 0, LineRole::Problem);
}

void CliView::jobEnded(const jobs::JobResult& result) {
    logEnd(result);
    if (m_onJobEnded) m_onJobEnded(result);
}

void CliView::logEnd(const jobs::JobResult& result) {
    using jobs::Outcome;
    if (result.outcome == Outcome::Success) {
        // The main window logs its counter instead of the control's line; here it is the
        // result a script looks for.
        if (result.jobType == 2) log(result.message, true, jobs::info::kComplete, LineRole::Result);
        if (result.jobType == 2 && m_settings.IncOpen && m_showNextSerial)
            log(text::NextSerial(m_settings.IncNext), true, 0, LineRole::Step);
        return;
    }
    // A failure's cause is a line of the job's log, printed as it came.
    if (result.outcome == Outcome::PortLost) log(jt::kPortLost, false, 0, LineRole::Problem);
}

void CliView::runFinished(const jobs::RunResult& result) {
    m_run = result;
    if (m_onFinished) m_onFinished();
}

}  // namespace korvan::cli
