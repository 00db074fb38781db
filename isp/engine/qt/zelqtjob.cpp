#include "zelqtjob.h"

#include "enginetexts.h"

namespace zel {

namespace {

// KORVAN_REPLY_SLACK_MS: extra time on every wait for a reply, for lines that are slow to
// answer (a virtual chip on a loaded machine, a serial server across a network). Anything but
// a whole number of milliseconds up to a minute is ignored.
int replySlackFromEnvironment() {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("KORVAN_REPLY_SLACK_MS", &ok);
    return ok && ms >= 0 && ms <= 60'000 ? ms : 0;
}

}  // namespace

ZelQtJob::ZelQtJob(ZelContext& context, const ChipDatabase& database, QObject* parent)
    : QObject(parent),
      m_port(m_comm),
      m_bridge(*this),
      m_timers([this](EngineTimer timer) { m_engine.TimerFired(timer); }),
      m_engine(context, database, m_port, m_timers, m_bridge) {
    m_comm.setInputMode(kserial::MSComm::comInputModeBinary);
    m_engine.setReplySlack(replySlackFromEnvironment());
    // Direct: a reply is handed on the moment it arrives, so the next block follows at once.
    connect(&m_comm, &kserial::MSComm::OnComm, this, &ZelQtJob::onComm, Qt::DirectConnection);
}

ZelQtJob::~ZelQtJob() {
    // Closing the port on the way out may still report; the engine is gone by then.
    disconnect(&m_comm, nullptr, this, nullptr);
    m_engine.setTrace({});
}

CallStatus ZelQtJob::Start(int pType) {
    const CallStatus status = m_engine.Start(pType);
    // A start that failed on the port never ran; report its end like any other.
    if (status == CallStatus::PortFailed) queueEndCheck();
    return status;
}

void ZelQtJob::setTraceEnabled(bool on) {
    if (!on) {
        if (m_trace) m_trace->flush();
        m_engine.setTrace({});
        m_trace.reset();
        return;
    }
    m_trace = std::make_unique<PacketTrace>([this](const QString& line) { emit traced(line); });
    m_engine.setTrace([this](const TraceRecord& record) { m_trace->record(record); });
}

void ZelQtJob::onComm() {
    if (m_comm.CommEvent() == kserial::MSComm::comEventDeviceLost) {
        m_engine.PortLost();
        return;
    }
    if (m_comm.CommEvent() != kserial::MSComm::comEvReceive) return;
    const QByteArray bytes = m_comm.InputBytes();
    if (bytes.isEmpty()) return;
    m_engine.BytesReceived(Bytes(bytes.begin(), bytes.end()));
}

void ZelQtJob::queueEndCheck() {
    if (m_endQueued) return;
    m_endQueued = true;
    QMetaObject::invokeMethod(this, &ZelQtJob::reportEnd, Qt::QueuedConnection);
}

void ZelQtJob::reportEnd() {
    m_endQueued = false;
    if (m_engine.Buzy()) return;  // a handler started the next job
    if (m_trace) m_trace->flush();
    emit jobEnded(m_engine.endReason());
}

void ZelQtJob::Bridge::Error(int index, const QString& pInfo) {
    emit m_job.Error(index, pInfo);
}

void ZelQtJob::Bridge::ViewInfo(int index, const QString& pInfo) {
    emit m_job.ViewInfo(index, pInfo);
    if (index == events::kInfoComplete || index == events::kInfoCancelled ||
        index == events::kInfoFailed) {
        m_job.queueEndCheck();
    }
}

void ZelQtJob::Bridge::Interrupt(int index, const QString& pInfo, bool& bResume) {
    emit m_job.Interrupt(index, pInfo, bResume);
}

void ZelQtJob::Bridge::Progress(int Parent) {
    emit m_job.Progress(Parent);
}

}  // namespace zel
