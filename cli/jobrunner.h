// Runs one job of the engine on its port and turns the engine's events into output, as the
// main window does: the start countdown and its time-out hints, the chip's data on
// identification, the code (and the increment bytes) at the erase announcement, progress,
// and a result that is a success only when the engine reported the job complete and
// successful.
#pragma once

#include "cliargs.h"
#include "core/codeimage.h"
#include "joboutput.h"
#include "zelqtjob.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <optional>

class QEventLoop;

namespace korvan::cli {

struct JobRequest {
    int jobType = 1;                   // 1 check, 2 download, 3 configure
    const CodeBuffer* code = nullptr;  // download: the bytes from address 0
    std::optional<IncSpec> inc;        // download: increment bytes, with this chip's number
    int waitSeconds = 30;
    std::optional<int> series;  // unset: the selection follows the chip
    bool autoSeries = false;
    int maxBaud = 115200;
};

enum class Outcome { Success, Failed, Cancelled, TimedOut, PortError };

struct JobOutcome {
    Outcome outcome = Outcome::Failed;
    QString message;  // the last result line
    zel::EndReason reason = zel::EndReason::None;
    qint64 waitMs = 0;  // start to identification (or to the end when never identified)
    qint64 jobMs = 0;   // identification to the end
    qint64 bytes = 0;   // bytes handed to the engine
};

// The time-out texts of the start countdown.
inline const QString kTimeOutText = QStringLiteral("通讯超时退出");
inline const QStringList kTimeOutHints = {QStringLiteral("请确认单片机是否正确启动"),
                                          QStringLiteral("请确认下载时P1.0与P1.1是否需要接地"),
                                          QStringLiteral("请确认串行通信口选择是否正确")};

class JobRunner : public QObject {
    Q_OBJECT
  public:
    JobRunner(zel::ZelQtJob& job, JobOutput& out, QObject* parent = nullptr);

    // Starts the job and returns when it is over.
    JobOutcome run(const JobRequest& request);
    // Cancels the running job as the cancel button does (Ctrl-C).
    void cancelByUser();

  private:
    struct RunState {
        bool ended = false;
        bool timedOut = false;
        bool userCancelled = false;
        bool portError = false;
        bool completeSeen = false;
        bool successAtComplete = false;
        int lastProgress = -1;
        qint64 identifiedAt = -1;
        qint64 endedAt = 0;
        qint64 bytes = 0;
        QString message;
        zel::EndReason reason = zel::EndReason::None;
    };

    void onError(int index, const QString& pInfo);
    void onViewInfo(int index, const QString& pInfo);
    void onInterrupt(int index, const QString& pInfo, bool& bResume);
    void onProgress(int percent);
    void onJobEnded(zel::EndReason reason);
    void onCountdownTick();
    void supplyData();
    void refuseWhatDoesNotFit(const zel::ZelContext& ctx);
    void log(const QString& text, bool ok, int index, LineRole role = LineRole::Step);
    QString seriesName(int index) const;
    JobOutcome outcome() const;

    zel::ZelQtJob& m_job;
    JobOutput& m_out;
    const JobRequest* m_request = nullptr;
    RunState m_state;
    QTimer m_countdown;
    int m_secondsLeft = 0;
    QElapsedTimer m_clock;
    QEventLoop* m_loop = nullptr;
};

}  // namespace korvan::cli
