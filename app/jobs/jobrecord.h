// What a job that reached a chip leaves behind for the production record, and the listener
// that keeps it. The controller reports every such job once, when it has ended; a job that
// never saw a chip reports nothing.
#pragma once

#include "jobs/jobdriver.h"
#include "jobs/jobview.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace korvan::jobs {

struct JobFacts {
    JobResult result;
    QString cause;  // why it failed, in words ("" after a success)
    ChipRecord chip;
    QString port;  // as the user named it
    QDateTime startedAt;
    QDateTime endedAt;
    QString codeFile;
    QByteArray code;               // the bytes handed to the chip (empty for a check)
    QString codeSum;               // the running sum as the window shows it
    qint64 rate = 0;               // the rate the job moved to; 0 when it stayed at the start rate
    std::optional<qint64> serial;  // the number the increment wrote
    QString task;                  // the task the job belongs to (the pool name)
};

class JobRecorder {
  public:
    virtual ~JobRecorder() = default;
    virtual void jobRecorded(const JobFacts& facts) = 0;
};

}  // namespace korvan::jobs
