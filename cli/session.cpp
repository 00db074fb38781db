#include "session.h"

#include "zeldb.h"

#include "clitexts.h"
#include "core/codefile.h"
#include "core/messages.h"
#include "core/taskfile.h"
#include "core/usersettings.h"
#include "optionchoices.h"
#include "simchip.h"
#include "zelsim/virtualchip.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

namespace korvan::cli {

namespace {

QString JobName(Job job) {
    switch (job) {
        case Job::Check:
            return QStringLiteral("check");
        case Job::Download:
            return QStringLiteral("download");
        case Job::Configure:
            return QStringLiteral("configure");
        default:
            return {};
    }
}

QString EndReasonName(jobs::EndReason reason) {
    using jobs::EndReason;
    switch (reason) {
        case EndReason::None:
            return {};
        case EndReason::Completed:
            return QStringLiteral("completed");
        case EndReason::Cancelled:
            return QStringLiteral("cancelled");
        case EndReason::Failed:
            return QStringLiteral("failed");
        case EndReason::PortOpenFailed:
            return QStringLiteral("port-open-failed");
        case EndReason::PortWriteFailed:
            return QStringLiteral("port-write-failed");
        case EndReason::PortLost:
            return QStringLiteral("port-lost");
        case EndReason::TimedOut:
            return QStringLiteral("timed-out");
        case EndReason::RetriesExhausted:
            return QStringLiteral("retries-exhausted");
        case EndReason::UnexpectedReply:
            return QStringLiteral("unexpected-reply");
        case EndReason::UnknownModel:
            return QStringLiteral("unknown-model");
        case EndReason::SeriesRefused:
            return QStringLiteral("series-refused");
        case EndReason::NoSteps:
            return QStringLiteral("no-steps");
        case EndReason::NoData:
            return QStringLiteral("no-data");
    }
    return {};
}

struct OutcomeCode {
    int exit;
    const char* result;
};

OutcomeCode CodeOf(jobs::Outcome outcome) {
    using jobs::Outcome;
    switch (outcome) {
        case Outcome::Success:
            return {kExitSuccess, "success"};
        case Outcome::Failed:
        case Outcome::Refused:
            return {kExitJobFailed, "failed"};
        case Outcome::Cancelled:
            return {kExitJobFailed, "cancelled"};
        case Outcome::TimedOut:
            return {kExitTimeOut, "timeout"};
        case Outcome::PortError:
        case Outcome::PortLost:
            return {kExitPort, "port-error"};
    }
    return {kExitJobFailed, "failed"};
}

// Whether the settings of a .mcu or .mcp name a series; one that does not (a task packed by a
// script) leaves the selection to the chip, as a plain code file does.
bool StoresSeries(const QString& path, CodeFileType type) {
    const QString none = QStringLiteral("\x01");
    if (type == CodeFileType::Mcu)
        return IniDocument::load(path).read(QStringLiteral("UserSet"), QStringLiteral("MCU"),
                                            none) != none;
    const auto unpacked = UnpackTask(path, CurrentAppPaths().TempPath);
    if (!unpacked) return false;
    QFile::remove(unpacked->TempFile);
    return unpacked->Task.Settings.read(QStringLiteral("UserSet"), QStringLiteral("MCU"), none) !=
           none;
}

}  // namespace

Session::Session(Options options, JobOutput& out)
    : m_options(std::move(options)), m_out(out), m_workspace(CurrentAppPaths()) {
    m_summary.job = JobName(m_options.job);
}

Session::~Session() {
    m_controller.reset();
    if (m_sim) m_sim->stop();
}

void Session::stop() {
    m_stopRequested = true;
    if (!m_controller) return;
    if (m_options.job == Job::Check)
        m_controller->CheckAction(jobs::JobController::kCancelCheck);
    else
        m_controller->DownloadAction(jobs::JobController::kCancel);
}

int Session::finish(int exitCode, const QString& result, const QString& message) {
    // Only what stopped the run before any job is said here; a job has logged its own end.
    if (!message.isEmpty()) m_out.error(message);
    m_summary.exitCode = exitCode;
    m_summary.result = result;
    if (m_summary.message.isEmpty()) m_summary.message = message;
    m_summary.totalMs = m_elapsed.elapsed();
    m_out.summary(m_summary);
    return exitCode;
}

bool Session::openDatabase() {
    // The installed database, refreshed from the built-in copy when older, as the control
    // does when it is created; a database the user names is read as it is.
    if (!m_driver.openDatabase(m_options.dbFile)) return false;
    if (m_driver.usesBuiltInDatabase() && m_options.verbose) {
        const QString installed = zel::ResolveDbPath();
        m_out.trace(installed.isEmpty() ? text::kBuiltInDatabaseNoHome
                                        : text::BuiltInDatabaseInstead(installed));
    }
    return true;
}

bool Session::loadCode() {
    const QString& path = m_options.file;
    auto refuse = [this](const QString& message) {
        finish(kExitUsage, QStringLiteral("input-error"), message);
        return false;
    };
    if (!QFileInfo::exists(path)) return refuse(msg::kFileMissing + path);
    const CodeFileType type = FileTypeOf(path);
    if (type == CodeFileType::Unsupported)
        return refuse(QStringLiteral("%1 %2").arg(msg::kUnsupportedFormat, path));
    m_fileSettings = type == CodeFileType::Mcu || type == CodeFileType::Mcp;
    m_fileSeries = m_fileSettings && StoresSeries(path, type);
    // A code file alone leaves the settings as the command line makes them.
    const OpenResult opened = m_workspace.OpenCodeFile(path, !m_fileSettings);
    if (type == CodeFileType::Mcu && m_workspace.codeFile().isEmpty())
        return refuse(text::NoUserFile(path));
    if (!opened.Ok) {
        const QString what = opened.Message              ? opened.Message->Text
                             : type == CodeFileType::Mcp ? msg::kTaskUnreadable
                                                         : msg::kFileInvalid;
        return refuse(QStringLiteral("%1：%2").arg(what, m_workspace.codeFile()));
    }
    if (m_workspace.codeBuffer().empty())
        return refuse(QStringLiteral("%1：%2").arg(msg::kNoCode, m_workspace.codeFile()));
    if (opened.BadRecords > 0) {
        const QString warning = text::BadRecords(m_workspace.codeFile(), opened.BadRecords);
        if (!m_options.ignoreChecksums) return refuse(warning + text::kBadRecordsRefused);
        m_out.warning(warning);
    }
    return true;
}

// The command line's options over what a .mcu or .mcp brought.
void Session::applyOptions() {
    UserSettings& s = m_workspace.settings();
    jobs::JobSettings js;
    js.errTim = m_options.waitSeconds;
    js.maxBaud = m_options.maxBaud;
    js.count = true;
    js.reCount = m_options.repeat;
    js.askConsent = false;
    js.persistSerial = true;
    js.resetSequence = m_options.resetSequence;
    if (!m_fileSettings) {
        s.AutoData = false;
        s.UseResetCommand = false;
        s.IncOpen = false;
        s.RunAfter = false;
    }
    if (m_options.reset) {
        s.UseResetCommand = true;
        s.Rest = m_options.reset->command + QLatin1Char(';') + m_options.reset->settings;
    }
    if (m_options.inc) {
        s.IncOpen = true;
        s.IncAddress = m_options.inc->address;
        s.IncFormat = m_options.inc->format;
        s.IncNext = m_options.inc->next;
        // A number given on the command line is not written into any file.
        js.persistSerial = false;
    }
    if (m_options.series) {
        m_driver.setSeriesIndex(*m_options.series);
        s.AutoType = m_options.autoSeries;
    } else if (m_fileSeries) {
        m_driver.setSeriesIndex(s.Mcu < m_driver.seriesCount() ? s.Mcu : 0);
    } else {
        js.followChipSeries = true;
        s.AutoType = true;
    }
    // A program named by a file runs only when the user said so.
    if (m_options.allowRun && m_workspace.runNeedsConsent()) m_workspace.approveRun();
    if (s.RunAfter && m_workspace.runNeedsConsent()) m_out.warning(text::kProgramNeedsConsent);
    m_controller->setSettings(js);
}

bool Session::preparePort() {
    jobs::PortTarget target;
    if (!m_options.simModel.isEmpty()) {
        QString error;
        const UserSettings& s = m_workspace.settings();
        std::optional<ResetSpec> reset;
        if (s.UseResetCommand) {
            const ResetCommand split = SplitRest(s.Rest);
            reset = ResetSpec{split.Command, split.PortSettings};
        }
        SimRequest request{m_options.simModel, m_driver.databasePath(), reset,
                           s.IncOpen ? s.IncNext : 1};
        m_sim = StartSimChip(request, error);
        if (!m_sim) {
            // The virtual chip explains itself in English; the product speaks Chinese.
            const bool unknown = error.startsWith(QStringLiteral("no model"));
            if (m_options.verbose) m_out.trace(error);
            finish(kExitUsage, QStringLiteral("input-error"),
                   unknown ? text::SimUnknownModel(m_options.simModel) : text::kSimUnavailable);
            return false;
        }
        target = jobs::ParsePortArgument(QString::fromStdString(m_sim->slavePath()));
    } else {
        target = jobs::ParsePortArgument(m_options.port);
    }
    m_port.setTarget(target);
    if (const auto problem = m_port.open(jobs::PortAccess::kTestSettings, true)) {
        finish(kExitPort, QStringLiteral("port-error"), problem->message);
        return false;
    }
    jobs::ApplyPort(m_driver.port(), target);
    return true;
}

int Session::run() {
    m_elapsed.start();
    if (!openDatabase())
        return finish(kExitUsage, QStringLiteral("input-error"),
                      text::DatabaseUnreadable(m_options.dbFile.isEmpty() ? zel::ResolveDbPath()
                                                                          : m_options.dbFile));
    if (m_options.series && *m_options.series >= m_driver.seriesCount()) {
        QStringList names;
        for (int i = 0; i < m_driver.seriesCount(); ++i)
            names << QStringLiteral("  %1  %2").arg(i).arg(m_driver.seriesName(i));
        return finish(kExitUsage, QStringLiteral("input-error"),
                      text::kSeriesOutOfRange + names.join('\n'));
    }
    if (m_options.job == Job::Download && !loadCode()) return m_summary.exitCode;
    if (!m_options.optionsFrom.isEmpty() && !QFileInfo(m_options.optionsFrom).isFile())
        return finish(kExitUsage, QStringLiteral("input-error"),
                      msg::kFileMissing + m_options.optionsFrom);

    m_view = std::make_unique<CliView>(m_out, m_driver, m_workspace.settings());
    m_controller = std::make_unique<jobs::JobController>(jobs::JobController::Parts{
        m_driver, m_clock, m_workspace, m_port, m_launcher, m_counter, *m_view});
    applyOptions();
    if (!preparePort()) return m_summary.exitCode;
    if (m_options.verbose) m_driver.setTrace([this](const QString& line) { m_out.trace(line); });
    return runJobs();
}

// The options a configure job writes, matched against the identified chip's series.
void Session::chooseOptions() {
    const std::vector<jobs::OptionRowInfo> rows = m_driver.chipOptions();
    std::map<int, int> choices;
    if (!m_options.optionsFrom.isEmpty()) {
        const IniDocument doc = IniDocument::load(m_options.optionsFrom);
        choices = ChoicesFromValues(rows, ReadOptionValues(doc, m_driver.chip().index));
    }
    QString error;
    const auto chosen = ResolveOptionSettings(rows, m_options.optionSettings, error);
    if (!chosen) {
        m_optionError = error;
        m_out.logLine(LogEntry{error, false, 0, LineRole::Problem});
        m_driver.cancel(false);
        return;
    }
    for (const auto& [row, choice] : *chosen) choices[row] = choice;
    m_driver.setOptionChoices(choices);
}

int Session::runJobs() {
    using jobs::JobController;
    QEventLoop loop;
    m_view->setOnFinished([&loop] { loop.quit(); });
    if (m_options.job == Job::Configure) m_view->setOnIdentified([this] { chooseOptions(); });
    bool started = false;
    if (!m_stopRequested) {
        switch (m_options.job) {
            case Job::Check:
                started = m_controller->CheckAction(JobController::kCheck);
                break;
            case Job::Configure:
                started = m_controller->DownloadAction(JobController::kConfigure);
                break;
            default:
                started = m_controller->DownloadAction(
                    m_options.repeat > 1 ? JobController::kRepeat : JobController::kDownload);
                break;
        }
    }
    if (started && !m_view->run()) loop.exec();  // Ctrl-C is taken meanwhile
    m_view->setOnFinished({});
    if (!m_view->run()) {
        // Nothing ran: the controller's message says why once the event loop delivers it.
        QEventLoop drain;
        QMetaObject::invokeMethod(&drain, &QEventLoop::quit, Qt::QueuedConnection);
        drain.exec();
        return finish(kExitJobFailed,
                      m_stopRequested ? QStringLiteral("cancelled") : QStringLiteral("failed"), {});
    }

    const jobs::RunResult& run = *m_view->run();
    const jobs::JobResult& last = run.last;
    const jobs::ChipRecord chip = m_driver.chip();
    // The chip's facts only when one answered, and its rate only when the job moved to it.
    if (!chip.id.isEmpty()) {
        m_summary.model = chip.model;
        m_summary.id = chip.id;
    }
    m_summary.baud = !chip.id.isEmpty() && last.rateSwitched ? chip.baud : 0;
    m_summary.bytes = last.bytes;
    m_summary.waitMs = last.waitMs;
    m_summary.jobMs = last.jobMs;
    m_summary.reason = EndReasonName(last.reason);
    m_summary.message = last.message;
    m_summary.attempted = run.attempted;
    m_summary.completed = run.completed;
    if (m_workspace.settings().IncOpen && run.completed > 0)
        m_summary.nextSerial = m_workspace.settings().IncNext;
    // A task keeps its next serial number: it is packed again with it.
    if (m_workspace.taskMode() && m_workspace.taskModified())
        m_workspace.SaveSettingsFile(m_workspace.settingsFile());

    OutcomeCode code = CodeOf(last.outcome);
    if (!m_optionError.isEmpty()) return finish(kExitUsage, QStringLiteral("input-error"), {});
    if (run.cancelled || (m_stopRequested && last.outcome != jobs::Outcome::Success))
        code = {kExitJobFailed, "cancelled"};
    const int wanted = m_options.job == Job::Download ? m_options.repeat : 1;
    if (wanted > 1 && run.completed < wanted)
        m_out.logLine(
            LogEntry{text::SeriesPartlyDone(run.completed, wanted), false, 0, LineRole::Result});
    return finish(code.exit, QString::fromLatin1(code.result), {});
}

}  // namespace korvan::cli
