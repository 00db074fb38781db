// The ISP control as the job layer drives it. Two adapters exist: one over the control's
// public interface (the desktop program loads libzel.so), one over the engine's Qt job
// (korvan-cli, with its packet trace). Both report a job's end the same way: once, after
// the event that ended it has returned, and only when no new job was started from it.
#pragma once

#include "core/resetsequence.h"
#include "jobs/chiprecord.h"
#include "jobs/jobclock.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace korvan::jobs {

// The control's event indices that the job layer acts on.
namespace info {
inline constexpr int kErrorPort = 1;
inline constexpr int kErrorToLog = 10;
inline constexpr int kErrorUnknownModel = 12;
inline constexpr int kWaiting = 100;
inline constexpr int kBaud = 101;
inline constexpr int kErase = 102;
inline constexpr int kWrite = 103;
inline constexpr int kOptions = 105;
inline constexpr int kWriteDone = 106;
inline constexpr int kDetected = 500;
inline constexpr int kJob = 1000;
inline constexpr int kComplete = 1001;
inline constexpr int kCancelled = 1002;
inline constexpr int kFailed = 1003;
}  // namespace info

// How a job ended. An adapter that cannot tell more says Completed, Cancelled or Failed from
// the final event.
enum class EndReason {
    None,
    Completed,
    Cancelled,
    Failed,
    PortOpenFailed,
    PortWriteFailed,
    PortLost,
    TimedOut,
    RetriesExhausted,
    UnexpectedReply,
    UnknownModel,
    SeriesRefused,
    NoSteps,
    NoData,
};

class DriverListener {
  public:
    virtual ~DriverListener() = default;
    virtual void driverError(int index, const QString& info) = 0;
    virtual void driverViewInfo(int index, const QString& info) = 0;
    virtual void driverInterrupt(int index, const QString& info, bool& resume) = 0;
    virtual void driverProgress(int percent) = 0;
    virtual void driverJobEnded(EndReason reason) = 0;
};

class JobDriver {
  public:
    explicit JobDriver(JobClock& clock);
    virtual ~JobDriver();
    JobDriver(const JobDriver&) = delete;
    JobDriver& operator=(const JobDriver&) = delete;

    void setListener(DriverListener* listener) { m_listener = listener; }

    // Starts a job (1 check, 2 download, 3 configure). False when the control refused it
    // (busy, or a port that cannot be opened, which it reported by an Error event).
    bool start(int type);
    virtual void cancel(bool user) = 0;
    // Inside ViewInfo 102: the code from address 0, and more bytes at an address.
    virtual bool setData(const QByteArray& bytes) = 0;
    virtual bool appendData(const QByteArray& bytes, qint64 address) = 0;

    virtual bool busy() const = 0;
    virtual int downType() const = 0;
    virtual bool success() const = 0;
    virtual ChipRecord chip() const = 0;
    // The highest rate allowed for the next job (McuInfo's baud before a job).
    virtual void setMaxBaud(qint64 baud) = 0;
    virtual void setRts(bool on) = 0;
    // Sets DTR or RTS of the job's port while a job runs (a reset sequence's step).
    virtual void setModemLine(ResetStep::Kind line, bool asserted) = 0;

    // The series list and the selected series (the control's List and ListIndex).
    virtual int seriesCount() const = 0;
    virtual QString seriesName(int index) const = 0;
    virtual int seriesIndex() const = 0;
    virtual void setSeriesIndex(int index) = 0;
    // The option editor's values of the selected series.
    virtual int optionCount() const { return 0; }
    virtual int optionValue(int index) const {
        (void)index;
        return 0;
    }
    virtual void setOptionValue(int index, int value) {
        (void)index;
        (void)value;
    }

  protected:
    virtual bool doStart(int type) = 0;
    // The reason of the job that just ended; by default read from its final event.
    virtual EndReason endReason() const { return m_finalReason; }

    // The adapters raise the control's events through these.
    void raiseError(int index, const QString& info);
    void raiseViewInfo(int index, const QString& info);
    void raiseInterrupt(int index, const QString& info, bool& resume);
    void raiseProgress(int percent);

  private:
    void queueEndCheck();
    void reportEnd();

    JobClock& m_clock;
    DriverListener* m_listener = nullptr;
    bool m_jobOpen = false;  // started and its end not reported yet
    bool m_endQueued = false;
    EndReason m_finalReason = EndReason::None;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace korvan::jobs
