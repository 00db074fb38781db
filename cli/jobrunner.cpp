#include "jobrunner.h"

#include "core/increment.h"
#include "enginetexts.h"
#include "zelinfo.h"

#include <QDateTime>
#include <QEventLoop>
#include <algorithm>

namespace korvan::cli {

namespace ev = zel::events;

namespace {

// The increment as the settings hold it, for the data-text module.
UserSettings IncrementSettings(const IncSpec& inc) {
    UserSettings settings;
    settings.IncAddress = inc.address;
    settings.IncFormat = inc.format;
    settings.IncNext = inc.next;
    return settings;
}

}  // namespace

JobRunner::JobRunner(zel::ZelQtJob& job, JobOutput& out, QObject* parent)
    : QObject(parent), m_job(job), m_out(out) {
    // Direct connections: the handlers run inside the engine's event, before it goes on, so
    // the data handed over at the erase announcement is what gets written.
    connect(&m_job, &zel::ZelQtJob::Error, this, &JobRunner::onError, Qt::DirectConnection);
    connect(&m_job, &zel::ZelQtJob::ViewInfo, this, &JobRunner::onViewInfo, Qt::DirectConnection);
    connect(&m_job, &zel::ZelQtJob::Interrupt, this, &JobRunner::onInterrupt, Qt::DirectConnection);
    connect(&m_job, &zel::ZelQtJob::Progress, this, &JobRunner::onProgress, Qt::DirectConnection);
    connect(&m_job, &zel::ZelQtJob::jobEnded, this, &JobRunner::onJobEnded);
    m_countdown.setInterval(1000);
    connect(&m_countdown, &QTimer::timeout, this, &JobRunner::onCountdownTick);
}

JobOutcome JobRunner::run(const JobRequest& request) {
    m_request = &request;
    m_state = {};
    m_job.engine().setParameters({request.maxBaud, request.series.value_or(-1)});
    m_clock.start();

    QEventLoop loop;
    m_loop = &loop;
    const zel::CallStatus status = m_job.Start(request.jobType);
    if (status == zel::CallStatus::Ok) {
        m_secondsLeft = request.waitSeconds;
        m_out.countdown(m_secondsLeft);
        m_countdown.start();
    } else if (status == zel::CallStatus::PortFailed) {
        m_state.portError = true;
    } else {
        // Busy or a bad type: nothing was started, so no end will be reported either.
        m_state.ended = true;
        m_state.message = QStringLiteral("任务无法启动");
    }
    if (!m_state.ended) loop.exec();
    m_loop = nullptr;
    m_countdown.stop();
    const JobOutcome result = outcome();
    m_request = nullptr;
    return result;
}

void JobRunner::cancelByUser() {
    // A job that has already ended (its end is only being reported) is left as it ended: a
    // cancel now would add a cancel message to a finished job.
    if (!m_request || m_state.ended || !m_job.Buzy()) return;
    m_state.userCancelled = true;
    m_countdown.stop();
    m_job.CancelDown(true);
}

JobOutcome JobRunner::outcome() const {
    JobOutcome o;
    o.message = m_state.message;
    o.reason = m_state.reason;
    o.bytes = m_state.bytes;
    const qint64 identified = m_state.identifiedAt;
    o.waitMs = identified >= 0 ? identified : m_state.endedAt;
    o.jobMs = identified >= 0 ? m_state.endedAt - identified : 0;

    if (m_state.timedOut) {
        o.outcome = Outcome::TimedOut;
    } else if (m_state.portError || m_state.reason == zel::EndReason::PortOpenFailed) {
        o.outcome = Outcome::PortError;
    } else if (m_state.userCancelled) {
        o.outcome = Outcome::Cancelled;
    } else {
        // Success needs all of it: the completion event for this job type with the engine's
        // success flag set, an end that the engine itself calls complete, and for a download
        // every block accepted.
        const bool wroteAll =
            m_request->jobType != 2 || (m_state.lastProgress == 100 && m_state.bytes > 0);
        const bool ok = m_state.completeSeen && m_state.successAtComplete &&
                        m_state.reason == zel::EndReason::Completed && wroteAll;
        o.outcome = ok ? Outcome::Success : Outcome::Failed;
    }
    return o;
}

void JobRunner::log(const QString& text, bool ok, int index, LineRole role) {
    m_out.logLine(LogEntry{text, ok, index, role});
    if (role == LineRole::Result) m_state.message = text;
}

QString JobRunner::seriesName(int index) const {
    const QStringList names = zel::SeriesCatalog::of(*m_job.engine().context().Db)
                                  .SeriesNames.split(QStringLiteral("\r\n"));
    if (index >= 0 && index < names.size() && !names.at(index).isEmpty()) return names.at(index);
    return QString::number(index);
}

void JobRunner::onCountdownTick() {
    if (m_secondsLeft > 0) --m_secondsLeft;
    m_out.countdown(m_secondsLeft);
    if (m_secondsLeft > 0) return;
    m_countdown.stop();
    m_state.timedOut = true;
    log(kTimeOutText, false, 0, LineRole::Problem);
    for (const QString& hint : kTimeOutHints) log(hint, true, 0, LineRole::Problem);
    m_job.CancelDown(false);
}

void JobRunner::onError(int index, const QString& pInfo) {
    QString text = pInfo;
    if (index == ev::kErrorPort) {
        m_state.portError = true;
        const zel::PortFailure& failure = m_job.engine().lastPortFailure();
        if (!failure.text.isEmpty()) text += QStringLiteral("（%1）").arg(failure.text);
    }
    log(text, false, index, LineRole::Problem);
}

void JobRunner::onViewInfo(int index, const QString& pInfo) {
    const bool s = m_job.success();
    switch (index) {
        case ev::kInfoJob:
            return;  // the job's first line was logged before the start
        case ev::kInfoDetected: {
            m_countdown.stop();
            m_state.identifiedAt = m_clock.elapsed();
            const zel::ZelContext& ctx = m_job.engine().context();
            // Without a chosen series the selection follows the chip, so no series check fails.
            if (!m_request->series) m_job.engine().setSelectedSeries(ctx.Chip.SeriesIndex);
            log(pInfo, true, index);
            m_out.chipInfo(FactsOf(zel::cZelInfo(ctx)));
            if (m_request->jobType == 2) refuseWhatDoesNotFit(ctx);
            return;
        }
        case ev::kInfoErase:
            if (m_request->jobType == 2) supplyData();
            log(pInfo, s, index);
            return;
        case ev::kInfoComplete:
            m_state.completeSeen = true;
            m_state.successAtComplete = s && m_job.DownType() == m_request->jobType;
            log(pInfo, s, index, LineRole::Result);
            return;
        case ev::kInfoCancelled:
        case ev::kInfoFailed:
            log(pInfo, s, index, LineRole::Result);
            return;
        default:
            log(pInfo, s, index);
            return;
    }
}

// A download that reaches beyond the chip's flash would be refused block by block only after
// the erase had wiped the program the chip holds; stop it before anything is changed.
void JobRunner::refuseWhatDoesNotFit(const zel::ZelContext& ctx) {
    const zel::ChipRecord& chip = ctx.Chip;
    if (chip.Model.isEmpty() || chip.Flash <= 0) return;
    qint64 end = static_cast<qint64>(m_request->code->size());
    if (m_request->inc) {
        const IncrementData inc =
            IncrementBytes(IncrementSettings(*m_request->inc), true, QDateTime::currentDateTime());
        if (!inc.Data.empty())
            end = std::max(end,
                           static_cast<qint64>(inc.Address) + static_cast<qint64>(inc.Data.size()));
    }
    if (end <= chip.Flash) return;
    log(QStringLiteral("程序数据超出单片机的存储空间：需要 %1 字节，%2 只有 %3 字节")
            .arg(end)
            .arg(chip.Model)
            .arg(chip.Flash),
        false, 0, LineRole::Problem);
    m_job.CancelDown(false);
}

// The erase announcement: the code goes to the engine now, and with it the increment bytes,
// so that the erase size and the blocks written cover both.
void JobRunner::supplyData() {
    const CodeBuffer& code = *m_request->code;
    if (m_job.SetData(zel::Bytes(code.begin(), code.end())) != zel::CallStatus::Ok) return;
    m_state.bytes = static_cast<qint64>(code.size());
    if (!m_request->inc) return;
    const IncrementData inc =
        IncrementBytes(IncrementSettings(*m_request->inc), true, QDateTime::currentDateTime());
    if (inc.Data.empty()) return;
    if (m_job.AppendData(zel::Bytes(inc.Data.begin(), inc.Data.end()), inc.Address) !=
        zel::CallStatus::Ok) {
        log(QStringLiteral("自动增量数据无法加入"), false, 0, LineRole::Problem);
        return;
    }
    m_state.bytes += static_cast<qint64>(inc.Data.size());
    log(QStringLiteral("自动增量：地址 %1，数据 %2")
            .arg(inc.Address, 4, 16, QLatin1Char('0'))
            .toUpper()
            .arg(inc.Preview),
        m_job.success(), 0);
}

void JobRunner::onInterrupt(int index, const QString& pInfo, bool& bResume) {
    zel::ZelEngine& engine = m_job.engine();
    const int detected = engine.chip().SeriesIndex;
    const QString name = seriesName(detected);
    const bool adopt =
        index == ev::kInterruptAdoptSeries || (m_request->autoSeries && m_job.DownType() == 2);
    if (adopt) {
        engine.setSelectedSeries(detected);
        bResume = true;
        log(QStringLiteral("%1：%2").arg(pInfo, name), true, index);
    } else {
        log(QStringLiteral("%1：单片机为 %2，选定的是 %3")
                .arg(pInfo, name, seriesName(m_request->series.value_or(-1))),
            false, index, LineRole::Problem);
    }
}

void JobRunner::onProgress(int percent) {
    m_state.lastProgress = percent;
    m_out.progress(percent);
}

void JobRunner::onJobEnded(zel::EndReason reason) {
    m_state.ended = true;
    m_state.reason = reason;
    m_state.endedAt = m_clock.elapsed();
    m_countdown.stop();
    if (m_loop) m_loop->quit();
}

}  // namespace korvan::cli
