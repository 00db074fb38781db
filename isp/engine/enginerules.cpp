#include "enginerules.h"

#include <array>

namespace zel::rules {

namespace {

using enum Action;

// clang-format off
// What each input means in each phase.
constexpr std::array<std::array<Action, 8>, 4> kPhaseTable{{
    //          Start   Cancel Bytes     Timer1    Timer2   Timer3 Settle    PortLost
    /* Idle */     {Begin,  Abort, Stray,    Stale,    Stale,   Stale, Stale,    Stale},
    /* Waiting */  {Refuse, Abort, Identify, SendFlag, Stale,   Stale, Stale,    Lost},
    /* Stepping */ {Refuse, Abort, Reply,    Stale,    TimeOut, Grace, Stale,    Lost},
    /* Settling */ {Refuse, Abort, Stray,    Stale,    Stale,   Grace, Continue, Lost},
}};

constexpr StepRule kUnknownStep{Announcement::None, false, Command::None, ReplyRule::Advance};

// Each step code: what entering it announces, whether that marks the phase unfinished, the
// command it sends and how its reply is judged.
constexpr std::array<StepRule, 10> kStepTable{{
    /* 0 identify */      {Announcement::None,    false, Command::None,         ReplyRule::SucceedAndAdvance},
    /* 1 baud test */     {Announcement::Baud,    true,  Command::BaudTest,     ReplyRule::Advance, TimeOutRule::StepDown},
    /* 2 baud confirm */  {Announcement::None,    false, Command::BaudConfirm,  ReplyRule::SucceedAndAdvance},
    /* 3 programming */   {Announcement::None,    false, Command::EnterIsp,     ReplyRule::Advance},
    /* 4 erase */         {Announcement::Erase,   true,  Command::Erase,        ReplyRule::SucceedAndAdvance},
    /* 5 write data */    {Announcement::Write,   true,  Command::WriteBlock,   ReplyRule::Block},
    /* 6 write options */ {Announcement::Options, true,  Command::WriteOptions, ReplyRule::Options},
    /* 7 read options */  {Announcement::None,    false, Command::ReadOptions,  ReplyRule::Advance},
    /* 8 first end */     {Announcement::Ending,  false, Command::End1,         ReplyRule::Advance},
    /* 9 second end */    {Announcement::None,    false, Command::End2,         ReplyRule::Advance},
}};
// clang-format on

}  // namespace

Action ActionFor(Phase phase, Input input) {
    return kPhaseTable[static_cast<size_t>(phase)][static_cast<size_t>(input)];
}

const StepRule& RuleFor(QStringView code) {
    if (code.size() != 1 || code[0] < u'0' || code[0] > u'9') return kUnknownStep;
    return kStepTable[static_cast<size_t>(code[0].unicode() - u'0')];
}

Verdict Judge(ReplyRule rule, QStringView reply) {
    const QStringView code = reply.left(2);
    const bool retry = code == u"81";
    switch (rule) {
        case ReplyRule::Block:
            if (code == u"80" || code == u"00") return Verdict::Accepted;
            return retry ? Verdict::Retry : Verdict::Unexpected;
        case ReplyRule::Options:
            return retry ? Verdict::Retry : Verdict::Accepted;
        case ReplyRule::Advance:
        case ReplyRule::SucceedAndAdvance:
            break;
    }
    return Verdict::Accepted;
}

}  // namespace zel::rules
