// What the job controller's tests share: a driver that plays the control's part as the test
// scripts it, a view that records what it was asked, a launcher that records programs, a real
// pseudo-terminal for the port, and a fixture that wires them to a controller on a virtual
// clock with a HEX file loaded.
#pragma once

#include "core/codeworkspace.h"
#include "desktop/associatedprogram.h"
#include "jobs/jobcontroller.h"
#include "virtualjobclock.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>
#include <optional>
#include <vector>

namespace korvan::jobs::testing {

// The control as the test drives it. start() raises what the engine raises at once (1000,
// then the waiting line); the rest happens when the test calls the script's steps.
class ScriptedDriver : public JobDriver {
  public:
    explicit ScriptedDriver(JobClock& clock) : JobDriver(clock) {}

    // --- The script ---
    void identify(const ChipRecord& chip);
    // Erase, write and the successful end of a download.
    void finishDownload();
    // The erase announcement alone: the controller hands the code over.
    void erase();
    // A check or configure that ends complete.
    void finishJob(bool success);
    bool interrupt(int index, const QString& info);
    void error(int index, const QString& info);
    void progress(int percent) { raiseProgress(percent); }
    // The device went away mid-job: the job fails with that reason.
    void loseThePort();
    // The job fails as the control reports it: ViewInfo 1003 with `text`, ending for `reason`.
    void fail(EndReason reason, const QString& text);

    // --- What the controller did ---
    std::vector<int> starts;
    std::vector<bool> cancels;  // the `user` flag of each cancel
    QByteArray data;
    std::vector<std::pair<QByteArray, qint64>> appended;
    qint64 maxBaud = 0;
    bool refuseStart = false;  // the port cannot be opened
    // The reset sequence's line steps (value = level) and the clock time of each.
    ResetSequence lineSteps;
    std::vector<qint64> lineTimes;
    std::vector<bool> lineWhileWaiting;  // the job was running (sending the start flag)
    std::function<qint64()> clockMs;

    void cancel(bool user) override;
    bool setData(const QByteArray& bytes) override {
        data = bytes;
        return true;
    }
    bool appendData(const QByteArray& bytes, qint64 address) override {
        appended.emplace_back(bytes, address);
        return true;
    }
    bool busy() const override { return m_busy; }
    int downType() const override { return m_type; }
    bool success() const override { return m_success; }
    ChipRecord chip() const override { return m_chip; }
    void setMaxBaud(qint64 baud) override { maxBaud = baud; }
    void setRts(bool) override {}
    void setModemLine(ResetStep::Kind line, bool asserted) override {
        lineSteps.push_back({line, asserted ? 1 : 0});
        lineTimes.push_back(clockMs ? clockMs() : 0);
        lineWhileWaiting.push_back(m_busy);
    }
    int seriesCount() const override { return 8; }
    QString seriesName(int index) const override { return QStringLiteral("S%1").arg(index); }
    int seriesIndex() const override { return m_series; }
    void setSeriesIndex(int index) override { m_series = index; }

  protected:
    bool doStart(int type) override;
    EndReason endReason() const override {
        if (m_reason) return *m_reason;
        return m_lost ? EndReason::PortLost : JobDriver::endReason();
    }

  private:
    std::optional<EndReason> m_reason;
    bool m_lost = false;
    bool m_busy = false;
    int m_type = 0;
    bool m_success = false;
    int m_series = 0;
    ChipRecord m_chip;
};

struct Message {
    UserMessage message;
    bool logged = false;
};

class RecordingView : public JobView {
  public:
    void showMessage(const UserMessage& message, bool logged,
                     std::function<void(int)> answer) override {
        messages.push_back({message, logged});
        if (answer) answer(answerWith);
    }
    void busyChanged(BusyState state) override { busy.push_back(state); }
    void lineLogged(const LoggedLine& line) override { lines.push_back(line); }
    void countdown(int seconds) override { countdowns.emplace_back(clock->elapsed(), seconds); }
    void playPrompt(int number) override { prompts.push_back(number); }
    void seriesAdopted(int index, const QString&) override { adopted.push_back(index); }
    void chipWaitLine(const QString& text) override { treeLines << text; }
    void seriesRefused(const QString&) override { ++refused; }
    void terminalOpen() override { requests << QStringLiteral("open"); }
    void terminalSend() override { requests << QStringLiteral("send"); }
    void selectTerminalTab() override { requests << QStringLiteral("tab"); }
    void closeRequested() override { ++closes; }
    void jobEnded(const JobResult& result) override { jobs.push_back(result); }
    void runFinished(const RunResult& result) override { runs.push_back(result); }
    void dataRequested() override {
        if (onDataRequested) onDataRequested();
    }

    VirtualJobClock* clock = nullptr;
    std::function<void()> onDataRequested;
    int answerWith = 1;
    std::vector<Message> messages;
    std::vector<BusyState> busy;
    std::vector<LoggedLine> lines;
    std::vector<std::pair<qint64, int>> countdowns;  // (time, seconds shown)
    std::vector<int> prompts;
    std::vector<int> adopted;
    int refused = 0;
    QStringList requests;
    QStringList treeLines;  // the chip tree's single wait line, as it changed
    int closes = 0;
    std::vector<JobResult> jobs;
    std::vector<RunResult> runs;

    QStringList texts() const;
};

class RecordingLauncher : public ProgramLauncher {
  public:
    qint64 start(const QString& command) override {
        if (refuse) return 0;
        started << command;
        running = true;
        return ++lastId;
    }
    bool isRunning(qint64) const override { return running; }
    QString documentOpener(const QString& extension) const override {
        return desktop::AssociatedProgram(extension);
    }
    void stop(qint64 processId) override {
        stopped.push_back(processId);
        running = false;
    }
    QStringList started;
    std::vector<qint64> stopped;
    bool running = false;
    bool refuse = false;  // every start fails
    qint64 lastId = 100;
};

// A pseudo-terminal whose far end stands for the port; its bytes can be read back.
class PseudoTerminal {
  public:
    PseudoTerminal();
    ~PseudoTerminal();
    QString path() const { return m_path; }
    QByteArray readAll();

  private:
    int m_master = -1;
    QString m_path;
};

class ControllerTest : public ::testing::Test {
  protected:
    ControllerTest();
    ~ControllerTest() override;

    // A HEX file of `size` bytes in the scratch folder, loaded into the workspace.
    QString loadHex(int size);
    // Start a download (or another button) and identify a chip of series 0.
    void startAndIdentify(int button = JobController::kDownload);
    ChipRecord chip(int series = 0) const;

    QTemporaryDir scratch;
    VirtualJobClock clock;
    ScriptedDriver driver{clock};
    PseudoTerminal pty;
    PortAccess port;
    RecordingLauncher launcher;
    MemoryDownloadCounter counter;
    RecordingView view;
    std::optional<CodeWorkspace> workspace;
    std::optional<JobController> controller;
};

}  // namespace korvan::jobs::testing
