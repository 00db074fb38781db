// korvan-cli as a view of the job controller: what the controller logs and reports goes to
// the text or JSON output, and the end of the run ends the wait.
#pragma once

#include "jobs/failurecause.h"

#include "joboutput.h"
#include "jobs/jobview.h"

#include <functional>
#include <optional>

namespace korvan {
struct UserSettings;
}
namespace korvan::jobs {
class EngineJobDriver;
}

namespace korvan::cli {

class CliView : public jobs::JobView {
  public:
    CliView(JobOutput& out, jobs::EngineJobDriver& driver, const UserSettings& settings);

    // Called when a chip has been identified, from inside the control's event.
    void setOnIdentified(std::function<void()> onIdentified) {
        m_onIdentified = std::move(onIdentified);
    }
    // Called once the run is over.
    void setOnFinished(std::function<void()> onFinished) { m_onFinished = std::move(onFinished); }
    // Called when a download hands its code to the chip, before the increment bytes are made.
    void setOnDataRequested(std::function<void()> onDataRequested) {
        m_onDataRequested = std::move(onDataRequested);
    }
    // Called after each job's end has been logged.
    void setOnJobEnded(std::function<void(const jobs::JobResult&)> onJobEnded) {
        m_onJobEnded = std::move(onJobEnded);
    }
    // A gang download says which number each chip got instead of the next one.
    void setShowNextSerial(bool show) { m_showNextSerial = show; }
    const std::optional<jobs::RunResult>& run() const { return m_run; }

    void showMessage(const UserMessage& message, bool logged,
                     std::function<void(int)> answer) override;
    void lineLogged(const jobs::LoggedLine& line) override;
    void countdown(int seconds) override;
    void progress(int percent) override;
    void chipIdentified(const jobs::ChipRecord& chip) override;
    void dataRequested() override;
    void seriesAdopted(int index, const QString& info) override;
    void seriesRefused(const QString& info) override;
    void terminalOpen() override;
    void terminalSend() override;
    void startTimedOut(int jobType) override;
    void jobEnded(const jobs::JobResult& result) override;
    void runFinished(const jobs::RunResult& result) override;

  private:
    void log(const QString& text, bool ok, int index, LineRole role);
    void logEnd(const jobs::JobResult& result);
    QString seriesName(int index) const;

    JobOutput& m_out;
    jobs::EngineJobDriver& m_driver;
    const UserSettings& m_settings;
    std::function<void()> m_onFinished;
    std::function<void()> m_onIdentified;
    std::function<void()> m_onDataRequested;
    std::function<void(const jobs::JobResult&)> m_onJobEnded;
    bool m_showNextSerial = true;
    std::optional<jobs::RunResult> m_run;
    bool m_terminalNoted = false;
};

using jobs::CauseOf;

}  // namespace korvan::cli
