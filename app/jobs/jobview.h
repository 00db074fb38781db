// What the job controller asks of the program around it: the main window answers with its
// widgets, korvan-cli with its output. Every call has a default that does nothing, so a view
// implements only what it shows.
#pragma once

#include "core/messages.h"
#include "jobs/jobdriver.h"

#include <QString>
#include <functional>

namespace korvan::jobs {

// SetBusy: what runs now; a view enables its controls from it.
enum class BusyState { Idle = 0, Check = 1, Download = 2, Configure = 3 };

// How one job ended, judged by the controller.
enum class Outcome { Success, Failed, Cancelled, TimedOut, PortError, PortLost, Refused };

struct JobResult {
    int jobType = 0;
    Outcome outcome = Outcome::Failed;
    EndReason reason = EndReason::None;
    QString message;    // the job's result line
    qint64 bytes = 0;   // bytes the chip accepted (all of them after a success)
    qint64 waitMs = 0;  // start to identification (or to the end when never identified)
    qint64 jobMs = 0;   // identification to the end
    bool identified = false;
    bool rateSwitched = false;  // the job moved the line to the chip's rate
};

// The end of what a button started: one job, or a whole series of downloads.
struct RunResult {
    JobResult last;
    int attempted = 0;
    int completed = 0;
    bool cancelled = false;  // the user stopped it before everything was done
};

// What a logged line is to a view that prints only some of them.
enum class LineKind {
    Step,     // a step of the job
    Result,   // how a job or a series ended
    Problem,  // what went wrong on the way
};

// A line as the controller logged it, for views that print rather than bind the model.
struct LoggedLine {
    QString text;  // without the time prefix
    int icon = 0;
    bool ok = true;  // closes the open "..." line with OK (true) or ERR
    int index = 0;   // the control's event index; 0 for the controller's own lines
    LineKind kind = LineKind::Step;
};

class JobView {
  public:
    virtual ~JobView() = default;

    // ShowMessage, delivered after the control's event has returned. `answer` receives the
    // result (1 OK, 2 Cancel, 0 closed) when the view has one.
    // `logged`: the same text went to the log already (a view that prints the log may skip it).
    virtual void showMessage(const UserMessage& message, bool logged,
                             std::function<void(int)> answer) {
        (void)message;
        (void)logged;
        if (answer) answer(1);
    }
    virtual void busyChanged(BusyState state) { (void)state; }
    virtual void lineLogged(const LoggedLine& line) { (void)line; }
    // The start countdown: seconds left, shown on the waiting line.
    virtual void countdown(int seconds) { (void)seconds; }
    virtual void progress(int percent) { (void)percent; }
    // The progress bar appears while blocks are written; hidden, it goes back to 0.
    virtual void progressBarShown(bool shown) { (void)shown; }
    virtual void playPrompt(int number) { (void)number; }
    virtual void counterChanged(const QString& panelText) { (void)panelText; }

    // The chip tree: cleared, a single wait line, or the identified chip (ShowChipInfo).
    virtual void chipTreeCleared() {}
    virtual void chipWaitLine(const QString& text) { (void)text; }
    virtual void chipIdentified(const ChipRecord& chip) { (void)chip; }
    // A download hands the code to the control now (the erase announcement); the increment
    // bytes are made from the settings right after this returns, so a view that assigns
    // serial numbers sets the next one here.
    virtual void dataRequested() {}
    // The detected series became the selected one (both series lists follow it).
    virtual void seriesAdopted(int index, const QString& info) {
        (void)index;
        (void)info;
    }
    // A check of the series refused it; the control stops the job.
    virtual void seriesRefused(const QString& info) { (void)info; }

    virtual void selectLogTab() {}
    virtual void selectTerminalTab() {}
    // OpenTerminal(false, false) before a job; OpenTerminal(true, true); the send button.
    virtual void terminalClose() {}
    virtual void terminalOpen() {}
    virtual void terminalSend() {}
    virtual bool terminalIsOpen() const { return false; }

    // The mini window's lifetime and text in the unattended and file-watcher modes.
    virtual void miniShow() {}
    virtual void miniText(const QString& text) { (void)text; }
    virtual void miniClose() {}
    // The unattended end: close the program (the controller waited 500 ms already).
    virtual void closeRequested() {}
    // A finished download: draw the user's eye to the window.
    virtual void flashWindow() {}

    // The start countdown ran out (after the controller logged the time-out line and, for a
    // check, its three hints).
    virtual void startTimedOut(int jobType) { (void)jobType; }
    virtual void jobEnded(const JobResult& result) { (void)result; }
    // What a button started is over: the controller is idle and nothing follows.
    virtual void runFinished(const RunResult& result) { (void)result; }
};

}  // namespace korvan::jobs
