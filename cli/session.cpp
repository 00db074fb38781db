#include "session.h"

#include "core/increment.h"
#include "enginetexts.h"
#include "simchip.h"
#include "softstart.h"
#include "zeldb.h"
#include "zelinfo.h"
#include "zelsim/virtualchip.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace korvan::cli {

namespace {

constexpr int kRepeatPauseMs = 200;

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

int JobType(Job job) {
    switch (job) {
        case Job::Check:
            return 1;
        case Job::Download:
            return 2;
        default:
            return 3;
    }
}

QString EndReasonName(zel::EndReason reason) {
    switch (reason) {
        case zel::EndReason::None:
            return {};
        case zel::EndReason::Completed:
            return QStringLiteral("completed");
        case zel::EndReason::Cancelled:
            return QStringLiteral("cancelled");
        case zel::EndReason::PortOpenFailed:
            return QStringLiteral("port-open-failed");
        case zel::EndReason::PortWriteFailed:
            return QStringLiteral("port-write-failed");
        case zel::EndReason::TimedOut:
            return QStringLiteral("timed-out");
        case zel::EndReason::RetriesExhausted:
            return QStringLiteral("retries-exhausted");
        case zel::EndReason::UnexpectedReply:
            return QStringLiteral("unexpected-reply");
        case zel::EndReason::UnknownModel:
            return QStringLiteral("unknown-model");
        case zel::EndReason::SeriesRefused:
            return QStringLiteral("series-refused");
        case zel::EndReason::NoSteps:
            return QStringLiteral("no-steps");
        case zel::EndReason::NoData:
            return QStringLiteral("no-data");
        case zel::EndReason::PortLost:
            return QStringLiteral("port-lost");
    }
    return {};
}

struct OutcomeCode {
    int exit;
    const char* result;
};

OutcomeCode CodeOf(Outcome outcome) {
    switch (outcome) {
        case Outcome::Success:
            return {kExitSuccess, "success"};
        case Outcome::Failed:
            return {kExitJobFailed, "failed"};
        case Outcome::Cancelled:
            return {kExitJobFailed, "cancelled"};
        case Outcome::TimedOut:
            return {kExitTimeOut, "timeout"};
        case Outcome::PortError:
            return {kExitPort, "port-error"};
    }
    return {kExitJobFailed, "failed"};
}

}  // namespace

Session::Session(Options options, JobOutput& out) : m_options(std::move(options)), m_out(out) {
    m_summary.job = JobName(m_options.job);
}

Session::~Session() {
    m_runner.reset();
    m_job.reset();
    if (m_sim) m_sim->stop();
}

void Session::stop() {
    m_stopRequested = true;
    if (m_runner) m_runner->cancelByUser();
}

int Session::finish(int exitCode, const QString& result, const QString& message) {
    // Only what stopped the run before any job is said here; a job has logged its own end.
    if (!message.isEmpty()) m_out.error(message);
    m_summary.exitCode = exitCode;
    m_summary.result = result;
    if (m_summary.message.isEmpty()) m_summary.message = message;
    m_summary.totalMs = m_clock.elapsed();
    m_out.summary(m_summary);
    return exitCode;
}

bool Session::openDatabase() {
    if (m_options.dbFile.isEmpty()) {
        // The installed database, refreshed from the built-in copy when older, as the
        // control does when it is created.
        zel::InstalledDb installed = zel::OpenInstalledDb();
        m_database = std::move(installed.database);
        m_dbPath = installed.embedded ? QString() : installed.path;
        if (installed.embedded && m_options.verbose)
            m_out.trace(installed.path.isEmpty()
                            ? QStringLiteral("没有可用的用户数据目录，使用程序内置的数据库")
                            : QStringLiteral("单片机数据库 %1 无法创建，使用程序内置的数据库")
                                  .arg(installed.path));
    } else {
        // A database the user names is read as it is, never overwritten.
        const QFileInfo file(m_options.dbFile);
        if (!file.isFile() || !file.isReadable()) return false;
        m_dbPath = file.absoluteFilePath();
        m_database = std::make_unique<zel::FileChipDatabase>(m_dbPath);
    }
    m_series = zel::SeriesCatalog::of(*m_database->load());
    return !m_series.TypeList.isEmpty();
}

bool Session::loadCode() {
    LoadOutcome loaded = LoadCodeFile(m_options.file, QDir::tempPath() + '/');
    if (!loaded.code) {
        finish(kExitUsage, QStringLiteral("input-error"), loaded.error);
        return false;
    }
    m_code = std::move(loaded.code);
    if (m_code->badRecords > 0)
        m_out.warning(QStringLiteral("%1 中有 %2 条记录校验和错误或格式不正确，文件可能已损坏")
                          .arg(m_code->source)
                          .arg(m_code->badRecords));
    return true;
}

bool Session::preparePort() {
    if (!m_options.simModel.isEmpty()) {
        QString error;
        SimRequest request{m_options.simModel, m_dbPath, m_options.reset,
                           m_options.inc ? m_options.inc->next : 1};
        m_sim = StartSimChip(request, error);
        if (!m_sim) {
            finish(kExitUsage, QStringLiteral("input-error"),
                   QStringLiteral("虚拟单片机无法启动：%1").arg(error));
            return false;
        }
        m_port = ParsePortArgument(QString::fromStdString(m_sim->slavePath()));
    } else {
        m_port = ParsePortArgument(m_options.port);
    }
    if (const auto problem = TestPort(m_port)) {
        finish(kExitPort, QStringLiteral("port-error"), problem->message);
        return false;
    }
    return true;
}

int Session::run() {
    m_clock.start();
    if (!openDatabase())
        return finish(
            kExitUsage, QStringLiteral("input-error"),
            QStringLiteral("无法读取单片机数据库：%1")
                .arg(m_options.dbFile.isEmpty() ? zel::ResolveDbPath() : m_options.dbFile));
    if (m_options.series && *m_options.series >= m_series.TypeList.size()) {
        QStringList names = m_series.SeriesNames.split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i < names.size(); ++i)
            names[i] = QStringLiteral("  %1  %2").arg(i).arg(names[i]);
        return finish(kExitUsage, QStringLiteral("input-error"),
                      QStringLiteral("--series 超出范围，数据库中的系列：\n") + names.join('\n'));
    }
    if (m_options.job == Job::Download && !loadCode()) return m_summary.exitCode;
    if (!preparePort()) return m_summary.exitCode;

    m_job = std::make_unique<zel::ZelQtJob>(m_context, *m_database);
    ApplyPort(m_job->port(), m_port);
    if (m_options.verbose) {
        m_job->setTraceEnabled(true);
        QObject::connect(m_job.get(), &zel::ZelQtJob::traced,
                         [this](const QString& line) { m_out.trace(line); });
    }
    m_runner = std::make_unique<JobRunner>(*m_job, m_out);

    Outcome outcome = Outcome::Failed;
    for (int number = 1; number <= m_options.repeat && !m_stopRequested; ++number) {
        if (number > 1) pauseBetweenDownloads();
        if (m_stopRequested) break;
        outcome = runOne(number);
        if (outcome != Outcome::Success) break;
    }
    if (m_options.repeat > 1 && m_summary.completed == m_options.repeat)
        m_out.logLine(LogEntry{QStringLiteral("共 %1 次重复下载已全部完成").arg(m_options.repeat),
                               true, 0, LineRole::Result});
    const OutcomeCode code = CodeOf(outcome);
    m_summary.message = m_last.message;
    return finish(code.exit, QString::fromLatin1(code.result), {});
}

// The main window waits 200 ms before the next download of a series. The end command of
// the previous chip gets that time on the line before the port changes its rate again.
void Session::pauseBetweenDownloads() {
    QEventLoop loop;
    QTimer::singleShot(kRepeatPauseMs, &loop, &QEventLoop::quit);
    loop.exec();  // Ctrl-C is taken meanwhile
}

Outcome Session::runOne(int number) {
    const int type = JobType(m_options.job);
    const QString first = m_options.repeat > 1
                              ? QStringLiteral("启动第 %1 次重复下载").arg(number)
                              : zel::events::jobText(static_cast<zel::JobType>(type));
    m_out.logLine(LogEntry{first, false, 0, LineRole::Step});
    ++m_summary.attempted;

    if (m_options.reset) {
        m_out.logLine(LogEntry{QStringLiteral("发送用户自定软启指令"), false, 0, LineRole::Step});
        const SoftStartOutcome soft =
            SendSoftStart(m_port, *m_options.reset, m_options.inc ? m_options.inc->next : 1);
        if (soft.problem) {
            m_out.logLine(LogEntry{soft.problem->message, false, 0, LineRole::Problem});
            m_last = {};
            m_last.outcome = Outcome::PortError;
            m_last.message = soft.problem->message;
            return Outcome::PortError;
        }
    }

    JobRequest request;
    request.jobType = type;
    request.code = m_code ? &m_code->bytes : nullptr;
    request.inc = m_options.inc;
    request.waitSeconds = m_options.waitSeconds;
    request.series = m_options.series;
    request.autoSeries = m_options.autoSeries;
    request.maxBaud = m_options.maxBaud;
    m_last = m_runner->run(request);

    const zel::cZelInfo info(m_context);
    m_summary.model = info.model();
    m_summary.id = info.id();
    m_summary.baud = m_summary.id.isEmpty() ? 0 : info.baud();
    m_summary.bytes = m_last.bytes;
    m_summary.waitMs = m_last.waitMs;
    m_summary.jobMs = m_last.jobMs;
    m_summary.reason = EndReasonName(m_last.reason);
    if (m_last.outcome != Outcome::Success) return m_last.outcome;

    ++m_summary.completed;
    if (m_options.inc) {
        m_options.inc->next = NextSerialNumber(m_options.inc->next);
        m_summary.nextSerial = m_options.inc->next;
        m_out.logLine(LogEntry{QStringLiteral("下一个增量(N)：%1").arg(m_options.inc->next), true,
                               0, LineRole::Step});
    }
    return Outcome::Success;
}

}  // namespace korvan::cli
