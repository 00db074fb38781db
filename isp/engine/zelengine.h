// ZelEngine: the ISP job engine of the ZEL control. It runs one job at a time (check, download
// or configure) on one serial link: sends the start flag until the chip answers, identifies
// the chip, walks the database's step list with time-outs and retries, and reports through
// the control's events. It is a state machine without I/O: the port, the timers and the event
// sink are handed to it, and its inputs are plain calls. The transition rules are in
// enginerules.h.
#pragma once

#include "datasegments.h"
#include "engineio.h"
#include "enginerules.h"
#include "enginetypes.h"
#include "zelcontext.h"
#include "zelisp.h"

#include <QStringList>
#include <functional>
#include <optional>

namespace zel {

class ZelEngine {
  public:
    // All five must outlive the engine. The context holds the job parameters, the chip record
    // and the data segments; no other engine may use it (the control passes its process-wide
    // one). Each Start loads the database from `database` once.
    ZelEngine(ZelContext& context, const ChipDatabase& database, IspPort& port, IspTimers& timers,
              IspEvents& events);
    ZelEngine(const ZelEngine&) = delete;
    ZelEngine& operator=(const ZelEngine&) = delete;

    // --- Calls of the host ------------------------------------------------------------------

    // Starts a job of type 1 (check), 2 (download) or 3 (configure). Refused while a job runs
    // or for another type; PortFailed when the port cannot be opened (Error 1 was raised).
    CallStatus Start(int pType);
    // Ends the running job: ViewInfo 1002 when `user`, else 1003. NothingToStop when no job
    // type is set (never started, or cancelled before).
    CallStatus CancelDown(bool user);
    // Replaces the data by `dat` at address 0. Refused once the job has composed its erase
    // command (the data present then is what gets written).
    CallStatus SetData(const Bytes& dat);
    // Adds `dat` at address `Add` (see segments::AppendData). Refused like SetData, and for
    // empty data or addresses outside 0..0xFFFFFFFF.
    CallStatus AppendData(const Bytes& dat, int64_t Add);

    // Milliseconds added to every wait for a reply. A chip answers within the rule's time;
    // a virtual chip on a starved machine, or a line with a long delay of its own, may not.
    void setReplySlack(int ms) { m_replySlackMs = ms > 0 ? ms : 0; }

    // --- Calls of the adapter ---------------------------------------------------------------

    // Bytes the port received, in order, as soon as they arrive.
    void BytesReceived(const Bytes& bytes);
    // An armed timer ran out.
    void TimerFired(EngineTimer timer);
    // The device went away (read error, hang-up): a running job ends at once with Error
    // kErrorPortLost and the failure message. Once the end commands are out the program is on
    // the chip, and the job ends complete. Ignored while idle.
    void PortLost();

    // --- State ------------------------------------------------------------------------------

    bool Buzy() const { return m_busy; }
    int DownType() const { return m_downType; }
    bool success() const { return m_success; }
    // What the host gives the jobs: the highest baud rate (read at identification) and the
    // series it selected (compared with the chip's; the control's ListIndex).
    const JobParameters& parameters() const { return m_ctx.Params; }
    void setParameters(const JobParameters& params) { m_ctx.Params = params; }
    int selectedSeries() const { return m_ctx.Params.SelectedSeries; }
    void setSelectedSeries(int index) { m_ctx.Params.SelectedSeries = index; }
    void setMaxBaud(int64_t rate) { m_ctx.Params.MaxBaud = rate; }
    // What identification found out, and the database the current job reads.
    const ChipRecord& chip() const { return m_ctx.Chip; }

    rules::Phase phase() const { return m_phase; }
    EndReason endReason() const { return m_endReason; }
    // What the port said the last time it could not be opened.
    const PortFailure& lastPortFailure() const { return m_portFailure; }
    const QStringList& stepList() const { return m_steps; }
    int step() const { return m_step; }
    // Address of the block being written.
    int64_t blockAddress() const { return m_block.block * segments::kBlockSize; }
    const ZelContext& context() const { return m_ctx; }
    cZelIsp& isp() { return m_isp; }

    // --- Hooks ------------------------------------------------------------------------------

    // Called on entering the option-write step, before ViewInfo 105: writes the option
    // editor's choices into the status bytes.
    void setOptionCommitter(std::function<void()> commit) { m_commitOptions = std::move(commit); }
    // Receives every packet, reply and stray byte (for a -v trace).
    void setTrace(std::function<void(const TraceRecord&)> trace) { m_trace = std::move(trace); }

  private:
    enum class AfterSend { Reply, TimeOut };
    enum class ReplyOutcome { Continue, Done, Aborted };
    enum class SeriesCheck { Ok, UnknownModel, Refused, Aborted };

    // zelengine.cpp: calls, identification, ending.
    bool alive(uint64_t generation) const { return generation == m_generation && m_busy; }
    bool openPort(int64_t rate);
    bool sendPacket(const QString& packet);
    void writeFailed();
    bool identify(const QString& reply);
    SeriesCheck checkSeries();
    void finishJob(EndReason reason);
    void stopEverything();
    void trace(TraceKind kind, Bytes bytes = {}, QString text = {});

    // enginesteps.cpp: stepping through the list.
    void handleReply(const QString& reply);
    ReplyOutcome onReply(const QString& reply);
    void showStep();
    void sendStep(AfterSend after);
    void afterSend(AfterSend after);
    bool sendBlock();
    bool lockData();
    void onTimeOut();
    bool stepDownRate();
    void continueSettle();
    QString stepCode(int index) const;

    ZelContext& m_ctx;
    const ChipDatabase& m_database;
    IspPort& m_port;
    IspTimers& m_timers;
    IspEvents& m_events;
    cZelIsp m_isp;

    int m_downType = 0;
    bool m_busy = false;
    int m_step = 0;
    QStringList m_steps;
    bool m_repeat = false;
    bool m_success = false;
    bool m_complete = false;
    segments::BlockCursor m_block;
    int m_blockRetries = 0;  // since the last accepted block: a write after a refusal is "30"
    // Refusals in a row, and the furthest block refused among them. A refused block steps back
    // to the one before it; that one going through again is no progress past the refusal, so
    // it does not clear the count, or a block refused for ever would be written for ever.
    int m_refusals = 0;
    std::optional<segments::BlockCursor> m_refusedBlock;
    int m_timeOuts = 0;

    rules::Phase m_phase = rules::Phase::Idle;
    uint64_t m_generation = 0;    // counts Start calls; a handler that restarts moves it on
    bool m_dataLocked = false;    // the erase command has been composed
    bool m_imageWritten = false;  // the chip accepted the last block of the data
    uint64_t m_judging = 0;       // the generation whose reply is being handled, 0 when none
    bool m_graceRunning = false;
    int m_responseTimeOut = rules::kFirstResponseTimeOut;
    int m_replySlackMs = 0;
    rules::Command m_settleCommand = rules::Command::None;
    int m_settleStage = 0;
    AfterSend m_settleAfter = AfterSend::Reply;
    EndReason m_endReason = EndReason::None;
    EndReason m_failure = EndReason::None;  // why a write phase gave up
    PortFailure m_portFailure;

    std::function<void()> m_commitOptions;
    std::function<void(const TraceRecord&)> m_trace;
};

}  // namespace zel
