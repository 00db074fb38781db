// The transition rules of the job engine, as data: what each input means in each phase, and
// what each step code announces, sends and expects back. zelengine.cpp carries them out.
#pragma once

#include <QStringView>

namespace zel::rules {

// Where a job stands.
enum class Phase {
    Idle,      // no job runs
    Waiting,   // sending the start flag, waiting for the chip's status reply
    Stepping,  // a command is out; waiting for its reply, its time-out or the end grace
    Settling,  // inside the 50 ms pauses around a baud-rate command
};

// What can happen to the engine.
enum class Input { Start, Cancel, Bytes, Timer1, Timer2, Timer3, Settle, PortLost };

// What the engine does about it.
enum class Action {
    Begin,     // start a job
    Refuse,    // caller misuse: answered with a status, nothing changes
    Abort,     // cancel: stop everything and report (when a job type is set)
    Identify,  // feed the bytes; a complete reply is the status reply
    Reply,     // feed the bytes; a complete reply answers the current step
    Stray,     // bytes nobody waits for: traced and dropped
    SendFlag,  // write one start-flag byte and re-arm Timer1
    TimeOut,   // the response time-out: resend, or end at the third
    Grace,     // the end grace ran out: the job is complete
    Continue,  // the next part of the baud-rate change
    Stale,     // a timer that fired after its reason went away: ignored
    Lost,      // the device went away: the job ends at once
};

Action ActionFor(Phase phase, Input input);

// What entering a step announces.
enum class Announcement {
    None,
    Baud,     // ViewInfo 101 with the chosen rate
    Erase,    // ViewInfo 102: the host hands over the data now
    Write,    // ViewInfo 103
    Options,  // commit the option editor, then ViewInfo 105
    Ending,   // the job counts as complete; the end grace starts
};

// The command a step sends.
enum class Command {
    None,
    BaudTest,     // at 1200 baud, then the port reopens at the new rate
    BaudConfirm,  // likewise
    EnterIsp,
    Erase,
    WriteBlock,
    WriteOptions,
    ReadOptions,
    End1,
    End2,
};

// How a step's reply is judged.
enum class ReplyRule {
    Advance,            // any reply moves on
    SucceedAndAdvance,  // any reply moves on and marks the phase finished
    Block,              // "80"/"00" accepted, "81" retry, anything else fails the job
    Options,            // "81" retry, anything else accepted
};

// What a response time-out of a step does.
enum class TimeOutRule {
    Resend,    // send the command again; the job's third time-out ends it
    StepDown,  // with the fast rates allowed and the rate above 115200: the line may not hold
               // the rate, so try the next lower rate the clock makes (no time-out counted);
               // otherwise as Resend
};

struct StepRule {
    Announcement announcement;
    bool clearsSuccess;  // entering the step marks its phase unfinished (after announcing)
    Command command;
    ReplyRule reply;
    TimeOutRule timeOut = TimeOutRule::Resend;
};

// The rule of a step code ("0".."9"); other codes announce and send nothing and move on.
const StepRule& RuleFor(QStringView code);

// The verdict on a reply to a block or option write, from its reply code.
enum class Verdict { Accepted, Retry, Unexpected };
Verdict Judge(ReplyRule rule, QStringView reply);

// Consecutive "81" replies after which the job gives up.
inline constexpr int kRetryLimit = 5;
// Response time-outs one job survives; the next one ends it.
inline constexpr int kTimeOutsSurvived = 2;

// Timer intervals in milliseconds.
inline constexpr int kStartFlagInterval = 10;
inline constexpr int kFirstResponseTimeOut = 2000;
inline constexpr int kResponseTimeOut = 1500;
inline constexpr int kEndGrace = 500;
inline constexpr int kSettlePause = 50;
// Erase time-out: flash bytes / 8 + 800 ms.
inline constexpr int kEraseBytesPerMs = 8;
inline constexpr int kEraseBaseMs = 800;

// A failing line steps down through the fast rates to this one, not below.
inline constexpr long long kFallbackFloor = 115200;

// The rate at which every job starts and every baud-rate command goes out.
inline constexpr int kBootRate = 1200;
// The start flag byte.
inline constexpr unsigned char kStartFlag = 0x7F;

}  // namespace zel::rules
