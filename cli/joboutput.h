// What korvan-cli shows of a job: log lines with the time, the start countdown, progress, the
// chip's data, warnings, the packet trace and the final summary. TextOutput renders it for a
// person, JsonOutput as one JSON object per line.
#pragma once

#include "chipinfotext.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace korvan::cli {

enum class LineRole {
    Step,     // a step of the job (shown unless -q)
    Result,   // how the job ended (always shown)
    Problem,  // an error on the way (always shown)
};

struct LogEntry {
    QString text;
    // Closes the open "..." line before this one: " OK" when true, " ERR" when false.
    bool ok = true;
    int index = 0;  // the engine event's index; 0 for the tool's own lines
    LineRole role = LineRole::Step;
};

// One option of the chip, as configure --option names it.
struct OptionLine {
    int number = 0;  // the option editor's row number
    QString caption;
    QStringList choices;
    int current = -1;  // the chip's choice, -1 when unknown
};

// One port of a gang download, for the final table.
struct PortSummary {
    QString port;
    QString model;  // the chip that answered last; "" when none did
    QString id;
    QString result;   // "success", "failed", "cancelled", "timeout", "port-error"
    QString message;  // why it failed, in words ("" after a success)
    int completed = 0;
    int wanted = 1;
    QList<qint64> serials;  // the serial numbers its chips got, in order
    qint64 timeMs = 0;      // its start to its end
};

struct JobSummary {
    QString job;     // "check", "download", "configure"
    QString result;  // "success", "failed", "cancelled", "timeout", "port-error", "input-error"
    int exitCode = 0;
    QString message;  // the last result line
    QString reason;   // how the engine ended the last job ("" when it never started)
    QString model, id;
    qint64 baud = 0;
    qint64 bytes = 0;   // bytes handed to the chip per download
    int completed = 0;  // downloads or jobs that succeeded
    int attempted = 0;
    std::optional<qint64> nextSerial;  // --inc: the serial number of the next chip
    qint64 waitMs = 0;                 // last job: start to identification
    qint64 jobMs = 0;                  // last job: identification to the end
    qint64 totalMs = 0;                // the whole run
    std::vector<PortSummary> ports;    // a gang download: one entry per port
    QList<qint64> unusedSerials;       // a gang download: numbers given back and not taken
};

class JobOutput {
  public:
    virtual ~JobOutput() = default;
    virtual void logLine(const LogEntry& entry) = 0;
    // Seconds left to wait for the chip; shown on the open waiting line.
    virtual void countdown(int seconds) = 0;
    virtual void progress(int percent) = 0;
    virtual void chipInfo(const jobs::ChipRecord& chip) = 0;
    // A check: every option with its number, its choices and the chip's choice.
    virtual void options(const std::vector<OptionLine>& lines) = 0;
    virtual void warning(const QString& text) = 0;
    // Why nothing could be started (bad input, a port that cannot be used).
    virtual void error(const QString& text) = 0;
    virtual void trace(const QString& line) = 0;
    virtual void summary(const JobSummary& summary) = 0;
    // Whether output that a program reads could not be written (a full disk, a closed pipe).
    virtual bool failed() const { return false; }
};

}  // namespace korvan::cli
