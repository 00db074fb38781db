#include "session.h"

#include "text.h"
#include "zeldb.h"

#include "clitexts.h"
#include "core/codefile.h"
#include "core/hexreader.h"
#include "core/increment.h"
#include "core/inifile.h"
#include "core/messages.h"
#include "core/settingsfilecheck.h"
#include "core/taskfile.h"
#include "core/usersettings.h"
#include "optionchoices.h"
#include "optiontexts.h"
#include "regularfile.h"
#include "simchip.h"
#include "textoutput.h"
#include "zelsim/virtualchip.h"

#include <unistd.h>
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

}  // namespace

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

namespace {

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
    for (const QString& port : m_options.ports)
        m_lanes.push_back(std::make_unique<PortLane>(m_clock, port, false));
    for (const QString& model : m_options.simModels)
        m_lanes.push_back(std::make_unique<PortLane>(m_clock, model, true));
}

Session::~Session() {
    // The ports' controllers and chips go first: they report to the outputs.
    m_lanes.clear();
}

void Session::stop() {
    m_stopRequested = true;
    for (const auto& lane : m_lanes) {
        // A gang port whose run is over has nothing to cancel; its control would still say so.
        if (!lane->controller || lane->done) continue;
        if (m_options.job == Job::Check)
            lane->controller->CheckAction(jobs::JobController::kCancelCheck);
        else
            lane->controller->DownloadAction(jobs::JobController::kCancel);
    }
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
    for (const auto& lane : m_lanes)
        if (!lane->driver.openDatabase(m_options.dbFile)) return false;
    if (first().driver.usesBuiltInDatabase() && m_options.verbose) {
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
    // A FIFO or a device would hang the run or read without end; say so before anything.
    if (!ktext::IsRegularFile(path))
        return refuse(KORVAN_TR("korvan-cli", "%1：%2")
                          .arg(path, msg::FileErrorCause(
                                         ktext::FileError{ktext::FileError::NotRegular, 0, path})));
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
        // A task that failed to open never became the code file: name the file given.
        const QString file = type == CodeFileType::Mcp ? path : m_workspace.codeFile();
        return refuse(KORVAN_TR("korvan-cli", "%1：%2").arg(what, file));
    }
    if (m_workspace.codeBuffer().empty())
        return refuse(KORVAN_TR("korvan-cli", "%1：%2").arg(msg::kNoCode, m_workspace.codeFile()));
    const UserSettings& settings = m_workspace.settings();
    if (m_fileSettings && !m_options.inc && settings.IncOpen &&
        !SerialNumberInRange(settings.IncNext))
        return refuse(text::SerialOutOfRange(path, settings.IncNext));
    if (opened.BadRecords > 0) {
        const QString warning = text::BadRecords(m_workspace.codeFile(), opened.BadRecords);
        if (!m_options.ignoreHexErrors) return refuse(warning + text::kBadRecordsRefused);
        m_out.warning(warning);
    }
    if (!endRecordSeen()) {
        const QString warning = text::NoEndRecord(m_workspace.codeFile());
        if (!m_options.ignoreHexErrors) return refuse(warning + text::kBadRecordsRefused);
        m_out.warning(warning);
    }
    return true;
}

bool Session::endRecordSeen() const {
    // Only a HEX file has an end: a task packs its code as bytes, and a binary file is its code.
    const QString& code = m_workspace.codeFile();
    if (FileTypeOf(code) != CodeFileType::Hex) return true;
    const std::optional<CodeImage> image = ReadIntelHexFile(code);
    return !image || image->EndRecordSeen;
}

// The command line's options over what a .mcu or .mcp brought.
jobs::JobSettings Session::applyOptions() {
    UserSettings s = m_workspace.settings();
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
    std::optional<int> series;
    if (m_options.series) {
        series = *m_options.series;
        s.AutoType = m_options.autoSeries;
    } else if (m_fileSeries) {
        series = s.Mcu < first().driver.seriesCount() ? s.Mcu : 0;
    } else {
        js.followChipSeries = true;
        s.AutoType = true;
    }
    m_workspace.updateSettings([&s](UserSettings& into) { into = s; });
    if (series)
        for (const auto& lane : m_lanes) lane->driver.setSeriesIndex(*series);
    // A program named by a file runs only when the user said so.
    if (m_options.allowRun && m_workspace.runNeedsConsent()) m_workspace.approveRun();
    if (s.RunAfter && m_workspace.runNeedsConsent()) m_out.warning(text::kProgramNeedsConsent);
    return js;
}

void Session::connectLanes(const jobs::JobSettings& settings) {
    if (!gang()) {
        first().connect(m_workspace, m_out, m_counter, m_clock);
        first().controller->setSettings(settings);
        first().controller->setRecorder(m_recorder.get());
        if (m_dbSerials) watchDbSerials(first(), m_workspace);
        if (settings.persistSerial && m_workspace.settings().IncOpen) watchSerialSaves();
        return;
    }
    // Every port works on a copy of the settings; the serial numbers come from one pool and
    // are written back by the session, not by each port.
    jobs::JobSettings laneSettings = settings;
    laneSettings.persistSerial = false;
    m_persistSerial = settings.persistSerial;
    if (m_workspace.settings().IncOpen && !m_dbSerials)
        m_serials.emplace(m_workspace.settings().IncNext);
    for (size_t i = 0; i < m_lanes.size(); ++i) {
        PortLane& lane = *m_lanes[i];
        lane.ownWorkspace.emplace(m_workspace);
        lane.connect(*lane.ownWorkspace, *m_laneOutputs[i], m_counter, m_clock);
        lane.controller->setSettings(laneSettings);
        lane.controller->setRecorder(m_recorder.get());
        if (m_serials) watchSerials(lane);
        if (m_dbSerials) watchDbSerials(lane, *lane.ownWorkspace);
    }
}

bool Session::startSimChip(PortLane& lane) {
    QString error;
    const UserSettings& s = m_workspace.settings();
    std::optional<ResetSpec> reset;
    if (s.UseResetCommand) {
        const ResetCommand split = SplitRest(s.Rest);
        reset = ResetSpec{split.Command, split.PortSettings};
    }
    SimRequest request{lane.argument, lane.driver.databasePath(), reset, s.IncOpen ? s.IncNext : 1};
    lane.sim = StartSimChip(request, error);
    if (!lane.sim) {
        // The virtual chip explains itself in English; the product speaks Chinese.
        const bool unknown = error.startsWith(QStringLiteral("no model"));
        if (m_options.verbose) m_out.trace(error);
        finish(kExitUsage, QStringLiteral("input-error"),
               unknown ? text::SimUnknownModel(lane.argument) : text::kSimUnavailable);
        return false;
    }
    lane.name = QString::fromStdString(lane.sim->slavePath());
    return true;
}

// The port tested and handed to the engine; the problem in words when it cannot be used.
std::optional<QString> Session::preparePort(PortLane& lane) {
    const jobs::PortTarget target = jobs::ParsePortArgument(lane.name);
    lane.port.setTarget(target);
    if (const auto problem = lane.port.open(jobs::PortAccess::kTestSettings, true))
        return problem->message;
    jobs::ApplyPort(lane.driver.port(), target);
    return std::nullopt;
}

// Virtual chips first: a model that does not exist stops the run before anything starts. A
// gang port that cannot be used fails on its own; the others go on.
bool Session::preparePorts() {
    for (const auto& lane : m_lanes) {
        if (!lane->virtualChip)
            lane->name = lane->argument;
        else if (!startSimChip(*lane))
            return false;
    }
    if (gang()) {
        makeLaneOutputs();
        return true;
    }
    if (const auto problem = preparePort(first())) {
        finish(kExitPort, QStringLiteral("port-error"), *problem);
        return false;
    }
    return true;
}

int Session::run() {
    m_elapsed.start();
    // Settings files that are too large or not files are ignored and left as they are.
    for (const QString& refused : RefusedSettingsFiles(CurrentAppPaths()))
        m_out.warning(
            QString(refused).replace(QStringLiteral("\r\n"), KORVAN_TR("korvan-cli", "，")));
    if (!openDatabase())
        return finish(kExitUsage, QStringLiteral("input-error"),
                      text::DatabaseUnreadable(m_options.dbFile.isEmpty() ? zel::ResolveDbPath()
                                                                          : m_options.dbFile));
    if (m_options.series && *m_options.series >= first().driver.seriesCount()) {
        QStringList names;
        for (int i = 0; i < first().driver.seriesCount(); ++i)
            names << QStringLiteral("  %1  %2")
                         .arg(i)
                         .arg(zel::options::DbText(first().driver.seriesName(i)));
        return finish(kExitUsage, QStringLiteral("input-error"),
                      text::kSeriesOutOfRange + names.join('\n'));
    }
    if (m_options.job == Job::Download && !loadCode()) return m_summary.exitCode;
    if (!m_options.optionsFrom.isEmpty() && !QFileInfo(m_options.optionsFrom).isFile())
        return finish(kExitUsage, QStringLiteral("input-error"),
                      msg::kFileMissing + m_options.optionsFrom);

    jobs::JobSettings settings = applyOptions();
    if (!startRecording(settings)) return m_summary.exitCode;
    if (!preparePorts()) return m_summary.exitCode;
    connectLanes(settings);
    if (gang()) {
        for (size_t i = 0; i < m_lanes.size(); ++i) {
            PortLane& lane = *m_lanes[i];
            if (auto problem = preparePort(lane)) lane.problem = *problem;
            if (m_options.verbose)
                lane.driver.setTrace(
                    [out = m_laneOutputs[i]](const QString& line) { out->trace(line); });
        }
        return runGang();
    }
    if (m_options.verbose)
        first().driver.setTrace([this](const QString& line) { m_out.trace(line); });
    return runJobs();
}

// The options a configure job writes, matched against the identified chip's series.
void Session::chooseOptions() {
    jobs::EngineJobDriver& driver = first().driver;
    const std::vector<jobs::OptionRowInfo> rows = driver.chipOptions();
    std::map<int, int> choices;
    if (!m_options.optionsFrom.isEmpty()) {
        const IniDocument doc = IniDocument::load(m_options.optionsFrom);
        choices = ChoicesFromValues(rows, ReadOptionValues(doc, driver.chip().index));
    }
    QString error;
    const auto chosen = ResolveOptionSettings(rows, m_options.optionSettings, error);
    if (!chosen) {
        m_optionError = error;
        m_out.logLine(LogEntry{error, false, 0, LineRole::Problem});
        driver.cancel(false);
        return;
    }
    for (const auto& [row, choice] : *chosen) choices[row] = choice;
    driver.setOptionChoices(choices);
}

int Session::runJobs() {
    using jobs::JobController;
    JobController* const controller = first().controller.get();
    CliView* const view = first().view.get();
    const jobs::EngineJobDriver& driver = first().driver;
    QEventLoop loop;
    view->setOnFinished([&loop] { loop.quit(); });
    if (m_options.job == Job::Configure) view->setOnIdentified([this] { chooseOptions(); });
    bool started = false;
    if (!m_stopRequested) {
        switch (m_options.job) {
            case Job::Check:
                started = controller->CheckAction(JobController::kCheck);
                break;
            case Job::Configure:
                started = controller->DownloadAction(JobController::kConfigure);
                break;
            default:
                started = controller->DownloadAction(
                    m_options.repeat > 1 ? JobController::kRepeat : JobController::kDownload);
                break;
        }
    }
    if (started && !view->run()) loop.exec();  // Ctrl-C is taken meanwhile
    view->setOnFinished({});
    if (!view->run()) {
        // Nothing ran: the controller's message says why once the event loop delivers it.
        QEventLoop drain;
        QMetaObject::invokeMethod(&drain, &QEventLoop::quit, Qt::QueuedConnection);
        drain.exec();
        return finish(kExitJobFailed,
                      m_stopRequested ? QStringLiteral("cancelled") : QStringLiteral("failed"), {});
    }

    const jobs::RunResult& run = *view->run();
    const jobs::JobResult& last = run.last;
    const jobs::ChipRecord chip = driver.chip();
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
    if (m_dbSerials && run.completed > 0) m_summary.nextSerial = m_dbSerials->nextNew();
    // A task keeps its next serial number: it is packed again with it, and nothing else.
    // With a shared pool the database keeps the next number, not the task.
    if (!m_dbSerials && m_workspace.taskMode() && m_workspace.taskModified()) keepSerialInTask();
    // A number that could not be kept would be given again by the next run.
    if (!m_saveFailure.isEmpty())
        return finish(kExitJobFailed, QStringLiteral("failed"), m_saveFailure);

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
