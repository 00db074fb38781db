#include "zelengine.h"

#include "enginetexts.h"
#include "zeldb.h"

namespace zel {

using rules::Action;
using rules::Input;
using rules::Phase;

namespace {

// A status reply shorter than this carries no model ID.
constexpr size_t kStatusMinimum = 21;

JobType AsJob(int type) {
    return static_cast<JobType>(type);
}

}  // namespace

ZelEngine::ZelEngine(ZelContext& context, const ChipDatabase& database, IspPort& port,
                     IspTimers& timers, IspEvents& events)
    : m_ctx(context),
      m_database(database),
      m_port(port),
      m_timers(timers),
      m_events(events),
      m_isp(context) {}

CallStatus ZelEngine::Start(int pType) {
    if (rules::ActionFor(m_phase, Input::Start) == Action::Refuse) return CallStatus::Busy;
    if (pType < 1 || pType > 3) return CallStatus::BadJobType;

    const uint64_t generation = ++m_generation;
    m_block = {};
    // The database counts as it is now for the whole job; an edit counts from the next one.
    m_ctx.Db = m_database.load();
    if (!m_ctx.Db) m_ctx.Db = EmptyDb();
    m_ctx.Chip.ModelId.clear();
    m_ctx.Chip.SeriesByte = 0;
    m_ctx.Chip.Baud = m_ctx.Params.MaxBaud;
    m_step = 0;
    m_steps.clear();
    m_downType = pType;
    m_complete = m_success = m_repeat = false;
    m_timeOuts = 0;
    m_blockRetries = 0;
    m_refusals = 0;
    m_refusedBlock.reset();
    m_dataLocked = false;
    m_imageWritten = false;
    m_responseTimeOut = rules::kFirstResponseTimeOut;
    m_endReason = EndReason::None;
    m_failure = EndReason::None;
    m_isp.Init();

    if (!openPort(rules::kBootRate)) {
        m_endReason = EndReason::PortOpenFailed;
        if (generation == m_generation) m_events.Error(events::kErrorPort, events::portText());
        return CallStatus::PortFailed;
    }
    m_busy = true;
    m_phase = Phase::Waiting;
    m_events.ViewInfo(events::kInfoJob, events::jobText(AsJob(pType)));
    if (!alive(generation)) return CallStatus::Ok;
    m_events.ViewInfo(events::kInfoWaiting, events::waitingText());
    if (!alive(generation)) return CallStatus::Ok;
    m_timers.arm(EngineTimer::Timer1, rules::kStartFlagInterval);
    return CallStatus::Ok;
}

CallStatus ZelEngine::CancelDown(bool user) {
    if (m_downType == 0) return CallStatus::NothingToStop;
    const uint64_t generation = m_generation;
    stopEverything();
    m_endReason = EndReason::Cancelled;
    const JobType job = AsJob(m_downType);
    if (user) {
        m_events.ViewInfo(events::kInfoCancelled, events::cancelledText(job));
    } else {
        m_events.ViewInfo(events::kInfoFailed, events::failedText(job));
    }
    // A handler that started a new job keeps its job type.
    if (generation == m_generation && !m_busy) m_downType = 0;
    return CallStatus::Ok;
}

CallStatus ZelEngine::SetData(const Bytes& dat) {
    if (m_dataLocked) return CallStatus::DataLocked;
    segments::SetData(m_ctx.Segments, dat);
    return CallStatus::Ok;
}

CallStatus ZelEngine::AppendData(const Bytes& dat, int64_t Add) {
    if (m_dataLocked) return CallStatus::DataLocked;
    return segments::AppendData(m_ctx.Segments, dat, Add);
}

void ZelEngine::BytesReceived(const Bytes& bytes) {
    if (bytes.empty()) return;
    trace(TraceKind::Received, bytes);
    const Action action = rules::ActionFor(m_phase, Input::Bytes);
    if (action == Action::Stray) {
        trace(TraceKind::Stray, bytes, QStringLiteral("no reply expected"));
        return;
    }
    if (m_judging == m_generation) {
        // A handler let the event loop run while the last reply is still being judged; no
        // command is outstanding, so whatever arrives now answers nothing.
        trace(TraceKind::Stray, bytes, QStringLiteral("reply while the last one is handled"));
        return;
    }
    const QString reply = m_isp.RxdData(bytes);
    if (reply.isEmpty()) return;
    trace(TraceKind::Reply, {}, reply);
    // The receiver hands out the same reply until it is reset; each reply counts once.
    m_isp.Init();
    m_timers.disarm(EngineTimer::Timer2);
    m_timers.disarm(EngineTimer::Timer3);
    m_graceRunning = false;
    const uint64_t outer = m_judging;
    m_judging = m_generation;
    if (action != Action::Identify || identify(reply)) handleReply(reply);
    m_judging = outer;
}

void ZelEngine::TimerFired(EngineTimer timer) {
    Input input = Input::Settle;
    switch (timer) {
        case EngineTimer::Timer1:
            input = Input::Timer1;
            break;
        case EngineTimer::Timer2:
            input = Input::Timer2;
            break;
        case EngineTimer::Timer3:
            input = Input::Timer3;
            break;
        case EngineTimer::Settle:
            input = Input::Settle;
            break;
    }
    switch (rules::ActionFor(m_phase, input)) {
        case Action::SendFlag:
            trace(TraceKind::StartFlag, Bytes{rules::kStartFlag});
            if (!m_port.write(Bytes{rules::kStartFlag})) {
                writeFailed();
                return;
            }
            m_timers.arm(EngineTimer::Timer1, rules::kStartFlagInterval);
            return;
        case Action::TimeOut:
            onTimeOut();
            return;
        case Action::Grace:
            m_graceRunning = false;
            finishJob(EndReason::Completed);
            return;
        case Action::Continue:
            continueSettle();
            return;
        default:
            // A timer whose reason went away (the job ended or moved on) fires into nothing.
            m_timers.disarm(timer);
            return;
    }
}

bool ZelEngine::openPort(int64_t rate) {
    if (m_port.isOpen()) {
        m_port.close();
        trace(TraceKind::PortClosed);
    }
    const Parity parity = usesEvenParity(m_ctx.Chip.SeriesByte) ? Parity::Even : Parity::None;
    PortFailure failure;
    if (!m_port.open(rate, parity, failure)) {
        m_portFailure = failure;
        trace(TraceKind::PortClosed, {},
              QStringLiteral("open failed: %1 %2").arg(failure.code).arg(failure.text));
        m_events.Error(events::kErrorPort, events::portText());
        return false;
    }
    trace(TraceKind::PortOpened, {}, portSettings(rate, m_ctx.Chip.SeriesByte));
    return true;
}

bool ZelEngine::sendPacket(const QString& packet) {
    Bytes bytes;
    ParseHex(packet, bytes);
    trace(TraceKind::Sent, bytes);
    const bool written = m_port.write(bytes);
    m_isp.Init();
    if (!written) writeFailed();
    return written;
}

void ZelEngine::writeFailed() {
    if (m_port.deviceGone()) {
        PortLost();
    } else {
        finishJob(EndReason::PortWriteFailed);
    }
}

void ZelEngine::PortLost() {
    if (rules::ActionFor(m_phase, Input::PortLost) != Action::Lost || !m_busy) return;
    trace(TraceKind::PortClosed, {}, QStringLiteral("device lost"));
    if (m_complete) {
        finishJob(EndReason::Completed);
        return;
    }
    const uint64_t generation = m_generation;
    // Nothing may fire or be written while the host hears of it.
    stopEverything();
    m_events.Error(events::kErrorPortLost, events::portLostText());
    // A handler that cancelled or started the next job has ended this one already.
    if (generation != m_generation || m_downType == 0) return;
    finishJob(EndReason::PortLost);
}

bool ZelEngine::identify(const QString& reply) {
    Bytes status;
    ParseHex(reply, status);
    if (status.size() < kStatusMinimum) {
        // Not a status reply (noise that happened to look like a frame): keep waiting.
        trace(TraceKind::Stray, status, QStringLiteral("status reply too short"));
        return false;
    }
    const uint64_t generation = m_generation;
    m_timers.disarm(EngineTimer::Timer1);
    m_phase = Phase::Stepping;
    m_isp.StartUp(reply);
    m_success = true;
    m_ctx.Chip.OptionDescriptors =
        LoadOptionDescriptors(*m_ctx.Db, m_ctx.Chip.ModelId, m_ctx.Chip.SeriesByte);
    m_events.ViewInfo(events::kInfoDetected,
                      events::detectedText(m_ctx.Chip.Model, m_ctx.Chip.ModelId));
    if (!alive(generation)) return false;

    m_steps = LoadStepList(*m_ctx.Db, AsJob(m_downType), m_ctx.Chip.ModelId, m_ctx.Chip.SeriesByte);
    for (QString& code : m_steps) code = code.trimmed();
    const SeriesCheck check = checkSeries();
    if (check == SeriesCheck::Aborted || generation != m_generation) return false;
    if (check == SeriesCheck::Ok && m_steps.size() > 1) {
        // The chip's series may want even parity; a failure here shows at the next write.
        openPort(rules::kBootRate);
        return alive(generation);
    }
    m_complete = m_downType == static_cast<int>(JobType::Check);
    switch (check) {
        case SeriesCheck::UnknownModel:
            finishJob(EndReason::UnknownModel);
            break;
        case SeriesCheck::Refused:
            finishJob(EndReason::SeriesRefused);
            break;
        default:
            finishJob(EndReason::NoSteps);
            break;
    }
    return false;
}

ZelEngine::SeriesCheck ZelEngine::checkSeries() {
    const uint64_t generation = m_generation;
    const JobType job = AsJob(m_downType);
    bool resume = false;
    if (job == JobType::Check) {
        if (m_ctx.Chip.SeriesIndex != m_ctx.Params.SelectedSeries) {
            m_events.Interrupt(events::kInterruptAdoptSeries, events::adoptSeriesText(), resume);
            if (!alive(generation)) return SeriesCheck::Aborted;
        }
        return SeriesCheck::Ok;
    }
    if (m_ctx.Chip.Model.isEmpty()) {
        m_complete = false;
        finishJob(EndReason::UnknownModel);
        if (generation != m_generation) return SeriesCheck::Aborted;
        m_events.Error(events::kErrorUnknownModel, events::unknownModelText());
        return SeriesCheck::UnknownModel;
    }
    if (m_ctx.Chip.SeriesIndex == m_ctx.Params.SelectedSeries) return SeriesCheck::Ok;
    m_events.Interrupt(events::kInterruptSeriesDiffers, events::seriesDiffersText(), resume);
    if (!alive(generation)) return SeriesCheck::Aborted;
    if (job == JobType::Download && resume) return SeriesCheck::Ok;
    m_events.Error(events::kErrorSeries, events::seriesRefusedText(job));
    if (!alive(generation)) return SeriesCheck::Aborted;
    return SeriesCheck::Refused;
}

void ZelEngine::stopEverything() {
    if (m_port.isOpen()) {
        m_port.close();
        trace(TraceKind::PortClosed);
    }
    m_busy = false;
    m_phase = Phase::Idle;
    m_timers.disarm(EngineTimer::Timer1);
    m_timers.disarm(EngineTimer::Timer2);
    m_timers.disarm(EngineTimer::Timer3);
    m_timers.disarm(EngineTimer::Settle);
    m_graceRunning = false;
    m_dataLocked = false;
}

void ZelEngine::finishJob(EndReason reason) {
    stopEverything();
    if (m_complete && AsJob(m_downType) == JobType::Download && !m_imageWritten) {
        // A step list without a write step, or one that reached its end before the chip
        // accepted the last block, has not put the program on the chip.
        m_complete = false;
        reason = EndReason::NoSteps;
    }
    m_endReason = m_complete ? EndReason::Completed : reason;
    const JobType job = AsJob(m_downType);
    if (m_complete) {
        m_events.ViewInfo(events::kInfoComplete, events::completeText(job));
    } else {
        m_events.ViewInfo(events::kInfoFailed, events::failedText(job));
    }
}

void ZelEngine::trace(TraceKind kind, Bytes bytes, QString text) {
    if (m_trace) m_trace(TraceRecord{kind, std::move(bytes), std::move(text)});
}

}  // namespace zel
