// ZelQtJob: a job engine wired to a real serial port and Qt timers on the thread that owns it.
// The control and the command-line tool drive jobs through it: configure port(), call Start,
// listen to the four events (signals, connected directly so handlers run before the engine
// goes on), and wait for jobEnded in a QEventLoop of their own:
//
//     zel::ZelContext context;                 // one per job object
//     zel::FileChipDatabase database(path);    // read at every Start
//     zel::ZelQtJob job(context, database);
//     job.port().setPortName("/dev/ttyUSB0");
//     connect(&job, &zel::ZelQtJob::ViewInfo, ...);
//     QEventLoop loop;
//     connect(&job, &zel::ZelQtJob::jobEnded, &loop, &QEventLoop::quit);
//     if (job.Start(2) == zel::CallStatus::Ok) loop.exec();
#pragma once

#include "engineio.h"
#include "mscomm.h"
#include "mscommport.h"
#include "packettrace.h"
#include "qtenginetimers.h"
#include "zelengine.h"

#include <QObject>
#include <memory>

namespace zel {

class ZelQtJob : public QObject {
    Q_OBJECT
  public:
    // `context` and `database` must outlive the job; the context belongs to this job alone
    // (the control passes its process-wide one).
    ZelQtJob(ZelContext& context, const ChipDatabase& database, QObject* parent = nullptr);
    ~ZelQtJob() override;

    // The serial port of the jobs: set CommPort or PortName and RTSEnable before Start.
    kserial::MSComm& port() { return m_comm; }
    ZelEngine& engine() { return m_engine; }

    CallStatus Start(int pType);
    CallStatus CancelDown(bool user) { return m_engine.CancelDown(user); }
    CallStatus SetData(const Bytes& dat) { return m_engine.SetData(dat); }
    CallStatus AppendData(const Bytes& dat, int64_t Add) { return m_engine.AppendData(dat, Add); }
    bool Buzy() const { return m_engine.Buzy(); }
    int DownType() const { return m_engine.DownType(); }
    bool success() const { return m_engine.success(); }

    // Emits `traced` for every packet, reply and stray byte, with the time since the last one.
    void setTraceEnabled(bool on);

  signals:
    void Error(int index, const QString& pInfo);
    void ViewInfo(int index, const QString& pInfo);
    void Interrupt(int index, const QString& pInfo, bool& bResume);
    void Progress(int Parent);
    // The job is over (complete, failed or cancelled) and no new one was started from the
    // final event; emitted once, from the event loop, after the final event.
    void jobEnded(zel::EndReason reason);
    void traced(const QString& line);

  private:
    // Raises the engine's events as this object's signals.
    class Bridge : public IspEvents {
      public:
        explicit Bridge(ZelQtJob& job) : m_job(job) {}
        void Error(int index, const QString& pInfo) override;
        void ViewInfo(int index, const QString& pInfo) override;
        void Interrupt(int index, const QString& pInfo, bool& bResume) override;
        void Progress(int Parent) override;

      private:
        ZelQtJob& m_job;
    };

    void onComm();
    void queueEndCheck();
    void reportEnd();

    kserial::MSComm m_comm;
    MSCommPort m_port;
    Bridge m_bridge;
    QtEngineTimers m_timers;
    ZelEngine m_engine;
    std::unique_ptr<PacketTrace> m_trace;
    bool m_endQueued = false;
};

}  // namespace zel
