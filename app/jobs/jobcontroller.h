// The main window's side of every job of the ISP control, without widgets: the buttons'
// actions, the start countdown, the control's events turned into log lines, progress and
// counters, and after a download the serial number, the user's program or action, the next
// repetition and the unattended close. The file watcher starts downloads too. A view (the
// main window, korvan-cli) shows what it reports and answers its requests.
#pragma once

#include "core/codeworkspace.h"
#include "jobs/downloadlog.h"
#include "jobs/jobclock.h"
#include "jobs/jobdriver.h"
#include "jobs/jobrecord.h"
#include "jobs/jobsettings.h"
#include "jobs/jobview.h"
#include "jobs/portaccess.h"
#include "jobs/programlauncher.h"
#include "jobs/resetrunner.h"
#include "jobs/serialsource.h"

#include <memory>

namespace korvan::jobs {

class JobController : private DriverListener {
  public:
    // Indices of the download buttons and the check buttons.
    enum DownloadButton { kDownload = 0, kRepeat = 1, kCancel = 2, kConfigure = 3, kSecond = 4 };
    enum CheckButton { kCheck = 1, kCancelCheck = 2 };

    struct Parts {
        JobDriver& driver;
        JobClock& clock;
        CodeWorkspace& workspace;
        PortAccess& port;
        ProgramLauncher& launcher;
        DownloadCounter& counter;
        JobView& view;
    };

    explicit JobController(Parts parts);
    ~JobController() override;
    JobController(const JobController&) = delete;
    JobController& operator=(const JobController&) = delete;

    // Where the settings come from: read afresh whenever a job needs one, so that a change of
    // their owner reaches the next job. setSettings gives fixed values (korvan-cli, tests).
    void setSettingsSource(std::function<JobSettings()> source) { m_source = std::move(source); }
    void setSettings(const JobSettings& settings) {
        m_source = [settings] { return settings; };
    }
    JobSettings settings() const { return m_source ? m_source() : JobSettings{}; }
    DownloadLog& log() { return m_log; }
    // Who keeps the production record; none = nothing is recorded.
    void setRecorder(JobRecorder* recorder) { m_recorder = recorder; }
    // Where numbered downloads take their serial numbers; none = the task's own next number.
    // A number the running job holds from the source before is kept there.
    void setSerialSource(SerialSource* source);

    // --- Buttons --------------------------------------------------------------------------
    // DownloadAction: true when a job was started (or, for cancel, always false).
    bool DownloadAction(int index);
    bool CheckAction(int index);
    // The window closes while a job runs: the job is cancelled (the control closes the port)
    // and the log says so. Nothing when idle.
    void CancelForExit();
    // Whether a job would leave the chip half-written if it stopped now.
    bool writing() const { return m_busy == BusyState::Download || m_busy == BusyState::Configure; }
    // The run button: RunUserAction(false) in the foreground.
    void RunUserAction(bool stopOnly);
    // The soft-start test button.
    void TestSoftStart();
    // SendSoftStart and SendDataText: the number of bytes sent.
    int SendSoftStart(bool logIt);
    int SendDataText(const QString& text);
    // CountDownload: 0 resets the counter, 1 adds one, others only show it.
    void CountDownload(int mode);

    // --- The file watcher (Check4) ----------------------------------------------------------
    void setWatching(bool on);
    bool watching() const;
    void WatcherTick();

    // --- State --------------------------------------------------------------------------------
    BusyState busyState() const { return m_busy; }
    bool repeatMode() const { return m_repeatMode; }
    int repeatCount() const { return m_repeatCount; }
    int startCountdown() const { return m_startCountdown; }
    bool autoDownloading() const { return m_autoDownloading; }
    qint64 userProcess() const { return m_userProcess; }
    void setMiniActive(bool active) { m_miniActive = active; }
    // Nothing runs and nothing is scheduled to follow.
    bool quiet() const;

  private:
    struct JobTrack {
        int type = 0;
        QDateTime startedAt;
        QDateTime identifiedAt;
        bool timedOut = false;
        bool userCancelled = false;
        bool portError = false;
        bool refused = false;
        bool completeSeen = false;
        bool successAtComplete = false;
        bool rateSwitched = false;
        int lastProgress = -1;
        qint64 bytes = 0;
        QString message;
        // One message per job: the control may report one failure in several events.
        bool failureLogged = false;
        bool checkLineShown = false;  // the check's first tree line waits for the first tick
        bool messageShown = false;
        int errorIndex = 0;            // the first Error event that did not go to the log
        QString problem;               // and its text
        std::optional<qint64> serial;  // the number the increment wrote into this chip
    };

    // The DriverListener side: the control's events.
    void driverError(int index, const QString& info) override;
    void driverViewInfo(int index, const QString& info) override;
    void driverInterrupt(int index, const QString& info, bool& resume) override;
    void driverProgress(int percent) override;
    void driverJobEnded(EndReason reason) override;

    void StartJob(int type, bool force);
    void startOnControl(int type);
    void SetBusy(BusyState state);
    void LogLine(const QString& text, int icon, bool ok, int index = 0,
                 LineKind kind = LineKind::Step, const QString& shownText = {});
    void Timer1Tick();
    void Timer3Tick();
    bool AfterDownload();
    void onComplete(const QString& info, bool s);
    void supplyData();
    void refuseWhatDoesNotFit();
    bool adoptSeries();
    void saveOptions();
    void loadOptions();
    bool testPort();
    // OpenSerialPort(open, not test only): the problem goes to the user as a message.
    bool openPort(const QString& settings);
    void deliver(const UserMessage& message, bool logged, std::function<void(int)> answer = {});
    void after(int milliseconds, std::function<void()> call);
    void checkRunFinished();
    JobResult resultOf(EndReason reason) const;
    QString causeOf(const JobResult& result) const;
    void reportFailure(const JobResult& result);
    bool programAllowed();
    void record(const JobResult& result);
    // The increment's settings with the number this chip gets; nothing when none can be had.
    std::optional<UserSettings> numberedSettings();
    void settleSerial(bool success);

    JobDriver& m_driver;
    JobClock& m_clock;
    CodeWorkspace& m_workspace;
    PortAccess& m_port;
    ProgramLauncher& m_launcher;
    DownloadCounter& m_counter;
    JobView& m_view;
    JobRecorder* m_recorder = nullptr;
    SerialSource* m_serials = nullptr;
    // The number taken from m_serials for the job that runs, until its end settles it.
    struct HeldSerial {
        QString pool;
        qint64 number = 0;
    };
    std::optional<HeldSerial> m_held;
    std::function<JobSettings()> m_source;
    DownloadLog m_log;

    std::unique_ptr<JobTimer> m_timer1;      // start countdown
    std::unique_ptr<JobTimer> m_timer3;      // end of the user program's run time
    std::unique_ptr<JobTimer> m_timer4;      // file watcher
    std::unique_ptr<JobTimer> m_pause;       // the waits between repeats and before closing
    std::unique_ptr<JobTimer> m_startDelay;  // the soft start's bytes leave the line
    std::function<void()> m_afterPause;
    std::unique_ptr<ResetRunner> m_reset;  // the reset sequence of the job waiting for the chip
    int m_startDelayType = 0;
    bool m_timer3Finished = false;  // Timer3's tag: the series is over

    BusyState m_busy = BusyState::Idle;
    bool m_repeatMode = false;
    int m_repeatCount = 0;
    bool m_autoDownloading = false;
    int m_startCountdown = 0;
    qint64 m_userProcess = 0;
    bool m_miniActive = false;
    QString m_consentAskedFor;  // the foreign program the user was asked about

    JobTrack m_job;
    RunResult m_run;
    bool m_runOpen = false;  // a button started something whose end is not reported yet
    bool m_jobOpen = false;  // the control runs a job whose end is not reported yet
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace korvan::jobs
