#include "jobs/jobcontroller.h"

#include "core/increment.h"
#include "core/usersettings.h"
#include "jobs/jobtexts.h"

#include <limits>
#include <utility>

namespace korvan::jobs {

namespace {

constexpr int kCountdownMs = 1000;
constexpr int kWatcherMs = 500;

}  // namespace

JobController::JobController(Parts parts)
    : m_driver(parts.driver),
      m_clock(parts.clock),
      m_workspace(parts.workspace),
      m_port(parts.port),
      m_launcher(parts.launcher),
      m_counter(parts.counter),
      m_view(parts.view) {
    m_timer1 = m_clock.createTimer([this] { Timer1Tick(); });
    m_timer3 = m_clock.createTimer([this] { Timer3Tick(); });
    m_timer4 = m_clock.createTimer([this] { WatcherTick(); });
    m_pause = m_clock.createTimer([this] {
        if (auto call = std::exchange(m_afterPause, {})) call();
        checkRunFinished();
    });
    m_startDelay = m_clock.createTimer([this] { startOnControl(m_startDelayType); });
    m_reset = std::make_unique<ResetRunner>(
        m_clock, [this](ResetStep::Kind line, bool level) { m_driver.setModemLine(line, level); });
    m_driver.setListener(this);
}

JobController::~JobController() {
    *m_alive = false;
    // A job cut short by the end of the controller gives its number back, unless its chip
    // reported success already: a number may be lost then, but never given twice.
    if (m_held && m_serials) {
        if (m_job.completeSeen && m_job.successAtComplete)
            m_serials->keep(m_held->pool, m_held->number);
        else
            m_serials->giveBack(m_held->pool, m_held->number);
    }
    m_driver.setListener(nullptr);
}

void JobController::deliver(const UserMessage& message, bool logged,
                            std::function<void(int)> answer) {
    // Never inside a control event: the view may run a modal loop to show it.
    m_clock.post([this, alive = std::weak_ptr<bool>(m_alive), message, logged,
                  answer = std::move(answer)]() mutable {
        if (alive.expired()) return;
        m_view.showMessage(message, logged, std::move(answer));
    });
}

void JobController::after(int milliseconds, std::function<void()> call) {
    m_afterPause = std::move(call);
    m_pause->start(milliseconds, false);
}

bool JobController::quiet() const {
    return m_busy == BusyState::Idle && !m_jobOpen && !m_driver.busy() && !m_pause->isActive() &&
           !m_startDelay->isActive() && !m_timer3->isActive();
}

void JobController::checkRunFinished() {
    if (!m_runOpen || !quiet()) return;
    m_runOpen = false;
    m_view.runFinished(m_run);
}

bool JobController::testPort() {
    if (const auto problem = m_port.open(PortAccess::kTestSettings, true)) {
        deliver(UserMessage{problem->message, problem->style, {}}, false);
        return false;
    }
    return true;
}

bool JobController::openPort(const QString& settings) {
    if (const auto problem = m_port.open(settings, false)) {
        deliver(UserMessage{problem->message, problem->style, {}}, false);
        return false;
    }
    return true;
}

bool JobController::DownloadAction(int index) {
    if (index > kSecond || index < 0) return false;
    if (index == kCancel) {
        m_job.userCancelled = m_driver.busy();
        if (m_runOpen && !quiet()) m_run.cancelled = true;
        m_driver.cancel(true);
        SetBusy(BusyState::Idle);
        m_pause->stop();
        m_afterPause = {};
        m_startDelay->stop();
        if (m_timer3->isActive()) Timer3Tick();
        if (m_driver.chip().id.isEmpty()) m_view.chipTreeCleared();
        checkRunFinished();
        return false;
    }
    m_repeatMode = index == kRepeat;
    if (index == kRepeat) m_repeatCount = 0;
    if (index != kConfigure) {
        if (m_workspace.settings().AutoData && !m_workspace.taskMode()) {
            // A file that no longer loads is said so; the code read before is not sent in its
            // place.
            const OpenResult refreshed = m_workspace.RefreshBuffer();
            if (!refreshed.Ok) {
                deliver(refreshed.Message.value_or(UserMessage{msg::kNoCode, 11, {}}), false);
                return false;
            }
        }
        if (const auto problem = m_workspace.CheckCodeLoaded()) {
            deliver(*problem, false);
            return false;
        }
        // A number the formats cannot write would reach the chip cut short: nothing is guessed,
        // and the settings file keeps what it holds until the user types a valid one.
        const UserSettings& user = m_workspace.settings();
        if (user.IncOpen && !SerialNumberInRange(user.IncNext)) {
            deliver(UserMessage{text::SerialNumberOutOfRange(user.IncNext), 11, {}}, false);
            return false;
        }
        // Nor is a number guessed when the shared pool cannot be reached.
        if (user.IncOpen && m_serials) {
            if (const std::optional<QString> why = m_serials->unavailable()) {
                deliver(UserMessage{text::SerialDatabaseUnavailable(*why), 11, {}}, false);
                return false;
            }
        }
    }
    if (!testPort()) return false;
    m_log.clear();
    m_view.selectLogTab();
    if (m_autoDownloading) m_view.miniShow();
    m_driver.setMaxBaud(settings().maxBaud);
    m_run = {};
    m_runOpen = true;
    const QString program = ProgramToRun(m_workspace.settings());
    if (settings().askConsent && program != m_consentAskedFor && m_workspace.runNeedsConsent()) {
        m_consentAskedFor = program;
        deliver(UserMessage{text::ConsentPrompt(program), 21, {}}, false,
                [this, alive = std::weak_ptr<bool>(m_alive)](int answer) {
                    if (!alive.expired() && answer == 1) m_workspace.approveRun();
                });
    }
    StartJob(index == kConfigure ? 3 : 2, false);
    return true;
}

void JobController::CancelForExit() {
    if (m_busy == BusyState::Idle && !m_driver.busy()) return;
    DownloadAction(kCancel);
    LogLine(text::kCancelledAtExit, icon::kNote, false, 0, LineKind::Result);
}

void JobController::StartJob(int type, bool force) {
    m_view.selectLogTab();
    SetBusy(static_cast<BusyState>(type));
    if (m_view.terminalIsOpen()) m_view.terminalClose();
    QString first;
    if (m_repeatMode)
        first = text::RepeatStart(m_repeatCount + 1);
    else if (m_autoDownloading)
        first = text::kAutoDownload;
    else
        first = type == 2 ? text::kDownloadJob : text::kConfigureJob;
    m_job = {};
    m_job.type = type;
    m_job.startedAt = m_clock.now();
    LogLine(first, icon::kJob, false);
    const int sent = m_workspace.settings().UseResetCommand || force ? SendSoftStart(true) : 0;
    if (sent > 0) {
        // The chip must hear the command at its rate: the job opens the port at another.
        m_startDelayType = type;
        m_startDelay->start(m_port.lineTimeMs(sent), false);
        return;
    }
    startOnControl(type);
}

void JobController::startOnControl(int type) {
    ++m_run.attempted;
    m_jobOpen = true;
    m_driver.start(type);
    // Each job reads the settings as their owner has them now.
    const JobSettings current = settings();
    m_startCountdown = current.errTim;
    // A start refused on the port ended the job already; nothing to count down.
    if (m_busy == BusyState::Idle) return;
    Timer1Tick();
    // The port is open and the start flag on its way: restart the chip into its bootloader.
    if (m_driver.busy() && !current.resetSequence.empty()) {
        LogLine(text::ResetSequenceRun(ResetSequenceText(current.resetSequence)), icon::kNote,
                false);
        m_reset->start(current.resetSequence);
    }
}

bool JobController::CheckAction(int index) {
    if (m_view.terminalIsOpen()) m_view.terminalClose();
    if (index == kCheck) {
        if (!testPort()) return false;
        SetBusy(BusyState::Check);
        m_startCountdown = settings().errTim;
        m_log.clear();
        m_run = {};
        m_runOpen = true;
        m_job = {};
        m_job.type = 1;
        m_job.startedAt = m_clock.now();
        LogLine(text::kCheckJob, icon::kJob, false);
        int sent = 0;
        if (m_workspace.settings().UseResetCommand) sent = SendSoftStart(true);
        m_view.chipTreeCleared();
        const JobSettings current = settings();
        m_view.chipWaitLine(text::kCheckTreeLine + QString::number(current.errTim));
        m_job.checkLineShown = true;
        m_driver.setRts(current.openRts);
        m_driver.setMaxBaud(current.maxBaud);
        if (sent > 0) {
            m_startDelayType = 1;
            m_startDelay->start(m_port.lineTimeMs(sent), false);
            return true;
        }
        startOnControl(1);
        return true;
    }
    if (index == kCancelCheck) {
        m_job.userCancelled = m_driver.busy();
        if (m_runOpen && !quiet()) m_run.cancelled = true;
        SetBusy(BusyState::Idle);
        m_startDelay->stop();
        m_driver.cancel(true);
        if (m_driver.chip().id.isEmpty()) m_view.chipTreeCleared();
        checkRunFinished();
    }
    return false;
}

void JobController::Timer1Tick() {
    if (!m_timer1->isActive()) m_timer1->start(kCountdownMs, true);
    m_log.showCountdown(m_startCountdown);
    m_view.countdown(m_startCountdown);
    if (m_miniActive) m_view.miniText(text::kWaitingTreeLine + QString::number(m_startCountdown));
    if (m_driver.downType() == 1) {
        // The check's own first line stays until the countdown moves on.
        if (!std::exchange(m_job.checkLineShown, false))
            m_view.chipWaitLine(text::kWaitingTreeLine + QString::number(m_startCountdown));
        if (m_startCountdown == 0) {
            m_view.chipTreeCleared();
            const QString stamp = m_clock.now().time().toString(QStringLiteral("hh:mm:ss"));
            LogLine(stamp + QLatin1Char(' ') + text::kTimeOut, icon::kFail, false, 0,
                    LineKind::Problem, text::kTimeOut);
            for (const QString& hint : text::kTimeOutHints)
                LogLine(hint, icon::kStep, true, 0, LineKind::Problem);
        }
    }
    if (m_startCountdown != 0) {
        --m_startCountdown;
        return;
    }
    m_timer1->stop();
    m_job.timedOut = true;
    m_view.startTimedOut(m_driver.downType());
    m_view.playPrompt(2);
    SetBusy(BusyState::Idle);
    m_driver.cancel(false);
}

void JobController::SetBusy(BusyState state) {
    m_busy = state;
    m_view.busyChanged(state);
    if (state != BusyState::Idle) return;
    m_reset->stop();
    m_view.progressBarShown(false);
    m_timer1->stop();
}

void JobController::LogLine(const QString& text, int iconNumber, bool ok, int index, LineKind kind,
                            const QString& shownText) {
    m_log.append(text, iconNumber, ok, m_clock.now());
    if (!text.isEmpty() && m_miniActive) m_view.miniText(text);
    m_view.lineLogged(
        LoggedLine{shownText.isEmpty() ? text : shownText, iconNumber, ok, index, kind});
}

int JobController::SendDataText(const QString& text) {
    return m_port.sendDataText(text,
                               DataTextContext{m_workspace.settings().IncNext, m_clock.now()});
}

int JobController::SendSoftStart(bool logIt) {
    const ResetCommand reset = SplitRest(m_workspace.settings().Rest);
    if (reset.Command.isEmpty()) return 0;
    if (!openPort(reset.PortSettings)) return 0;
    if (logIt) LogLine(text::kSoftStart, icon::kNote, false);
    const int sent = SendDataText(reset.Command);
    m_port.close();
    return sent;
}

void JobController::TestSoftStart() {
    if (m_view.terminalIsOpen()) m_view.terminalClose();
    SendSoftStart(false);
}

void JobController::CountDownload(int mode) {
    qint32 count = m_counter.read();
    if (mode == 0) count = 0;
    // The counter stops at its largest value rather than turn negative.
    if (mode == 1 && count < std::numeric_limits<qint32>::max()) ++count;
    m_view.counterChanged(text::CounterPanel(count));
    m_counter.write(count);
}

void JobController::setWatching(bool on) {
    if (on)
        m_timer4->start(kWatcherMs, true);
    else
        m_timer4->stop();
}

bool JobController::watching() const {
    return m_timer4->isActive();
}

void JobController::WatcherTick() {
    if (m_driver.busy() || m_busy != BusyState::Idle || m_workspace.taskMode()) return;
    // The workspace looks at HEX and BIN files only, and notes the new time.
    if (!m_workspace.PollCodeFileChange()) return;
    m_autoDownloading = true;
    if (testPort()) DownloadAction(kDownload);
    m_autoDownloading = false;
}

}  // namespace korvan::jobs
