#include "enginerules.h"

#include <array>

namespace zel::rules {

namespace {

using enum Action;

// Rows: Idle, Waiting, Stepping, Settling. Columns: the inputs in declaration order.
constexpr std::array<std::array<Action, 7>, 4> kPhaseTable{{
    //  Start   Cancel Bytes     Timer1    Timer2   Timer3 Settle
    {Begin, Abort, Stray, Stale, Stale, Stale, Stale},         // Idle
    {Refuse, Abort, Identify, SendFlag, Stale, Stale, Stale},  // Waiting
    {Refuse, Abort, Reply, Stale, TimeOut, Grace, Stale},      // Stepping
    {Refuse, Abort, Stray, Stale, Stale, Grace, Continue},     // Settling
}};

constexpr StepRule kUnknownStep{Announcement::None, false, Command::None, ReplyRule::Advance};

// Indexed by step code 0..9.
constexpr std::array<StepRule, 10> kStepTable{{
    {Announcement::None, false, Command::None, ReplyRule::SucceedAndAdvance},  // identify
    {Announcement::Baud, true, Command::BaudTest, ReplyRule::Advance},         // baud test
    {Announcement::None, false, Command::BaudConfirm, ReplyRule::SucceedAndAdvance},
    {Announcement::None, false, Command::EnterIsp, ReplyRule::Advance},
    {Announcement::Erase, true, Command::Erase, ReplyRule::SucceedAndAdvance},
    {Announcement::Write, true, Command::WriteBlock, ReplyRule::Block},
    {Announcement::Options, true, Command::WriteOptions, ReplyRule::Options},
    {Announcement::None, false, Command::ReadOptions, ReplyRule::Advance},
    {Announcement::Ending, false, Command::End1, ReplyRule::Advance},
    {Announcement::None, false, Command::End2, ReplyRule::Advance},
}};

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
