// The stepping half of ZelEngine: judging replies, announcing and sending steps, the block
// walk of the write phase, time-outs and the baud-rate change.
#include "enginetexts.h"
#include "halfeven.h"
#include "zelengine.h"

namespace zel {

using rules::Announcement;
using rules::Command;
using rules::Phase;
using rules::ReplyRule;
using rules::Verdict;

namespace {

// The block walk goes through the segments in order and through each segment's blocks.
bool IsBefore(const segments::BlockCursor& a, const segments::BlockCursor& b) {
    return a.segment < b.segment || (a.segment == b.segment && a.block < b.block);
}

}  // namespace

void ZelEngine::handleReply(const QString& reply) {
    switch (onReply(reply)) {
        case ReplyOutcome::Aborted:
            return;
        case ReplyOutcome::Done:
            // A write phase that gave up never counts as complete, even when the step it
            // moved to on the way was the first end command.
            m_complete = false;
            finishJob(m_failure);
            return;
        case ReplyOutcome::Continue:
            break;
    }
    m_responseTimeOut = rules::kResponseTimeOut;
    sendStep(AfterSend::Reply);
}

ZelEngine::ReplyOutcome ZelEngine::onReply(const QString& reply) {
    const uint64_t generation = m_generation;
    const rules::StepRule& rule = rules::RuleFor(stepCode(m_step));
    bool done = false;
    switch (rule.reply) {
        case ReplyRule::SucceedAndAdvance:
            m_success = true;
            break;
        case ReplyRule::Advance:
            break;
        case ReplyRule::Block:
            switch (rules::Judge(rule.reply, reply)) {
                case Verdict::Accepted: {
                    m_blockRetries = 0;
                    if (!m_refusedBlock || !IsBefore(m_block, *m_refusedBlock)) {
                        m_refusals = 0;
                        m_refusedBlock.reset();
                    }
                    m_events.Progress(segments::ProgressPercent(m_ctx.Segments, m_block));
                    if (!alive(generation)) return ReplyOutcome::Aborted;
                    const auto next = segments::NextBlock(m_ctx.Segments, m_block);
                    if (next) m_block = *next;
                    m_repeat = next.has_value();
                    if (!next) {
                        m_success = true;
                        m_imageWritten = true;
                        if (m_ctx.Chip.OptionDescriptors.isEmpty() &&
                            stepCode(m_step + 1) != u"8") {
                            m_step += 2;
                        }
                    }
                    break;
                }
                case Verdict::Retry:
                    if (!m_refusedBlock || IsBefore(*m_refusedBlock, m_block))
                        m_refusedBlock = m_block;
                    m_block = segments::PreviousBlock(m_ctx.Segments, m_block);
                    m_repeat = true;
                    ++m_blockRetries;
                    if (++m_refusals >= rules::kRetryLimit) {
                        done = true;
                        m_failure = EndReason::RetriesExhausted;
                    }
                    break;
                case Verdict::Unexpected:
                    trace(TraceKind::Stray, {}, QStringLiteral("unexpected reply: ") + reply);
                    done = true;
                    m_failure = EndReason::UnexpectedReply;
                    break;
            }
            break;
        case ReplyRule::Options:
            if (rules::Judge(rule.reply, reply) == Verdict::Retry) {
                m_repeat = true;
                if (++m_blockRetries >= rules::kRetryLimit) {
                    done = true;
                    m_failure = EndReason::RetriesExhausted;
                }
            } else {
                m_success = true;
                m_repeat = false;
            }
            break;
    }
    if (!m_repeat) {
        ++m_step;
        m_blockRetries = 0;
        m_refusals = 0;
        m_refusedBlock.reset();
        showStep();
        if (!alive(generation)) return ReplyOutcome::Aborted;
    }
    return done ? ReplyOutcome::Done : ReplyOutcome::Continue;
}

void ZelEngine::showStep() {
    const uint64_t generation = m_generation;
    const rules::StepRule& rule = rules::RuleFor(stepCode(m_step));
    switch (rule.announcement) {
        case Announcement::None:
            break;
        case Announcement::Baud:
            if (m_isp.fastRatesAllowed() && m_ctx.Chip.Baud < m_isp.fastestListedRate()) {
                // A user who asked for more should learn that the clock, not the tool, set
                // the limit.
                m_events.ViewInfo(events::kInfoRateLimited,
                                  events::rateLimitedText(m_ctx.Chip.Cpu, m_isp.fastestListedRate(),
                                                          m_ctx.Chip.Baud));
                if (!alive(generation)) return;
            }
            m_events.ViewInfo(events::kInfoBaud, events::baudText(m_ctx.Chip.Baud));
            break;
        case Announcement::Erase:
            // The host hands over the data from inside this event.
            m_events.ViewInfo(events::kInfoErase, events::eraseText());
            break;
        case Announcement::Write:
            m_events.ViewInfo(events::kInfoWrite, events::writeText());
            break;
        case Announcement::Options:
            if (m_commitOptions) m_commitOptions();
            m_events.ViewInfo(events::kInfoOptions, events::optionsText());
            break;
        case Announcement::Ending:
            // From here the job has done its work, whether or not the chip answers the end.
            m_complete = true;
            m_graceRunning = true;
            m_timers.arm(EngineTimer::Timer3, rules::kEndGrace);
            break;
    }
    if (alive(generation) && rule.clearsSuccess) m_success = false;
}

void ZelEngine::sendStep(AfterSend after) {
    const rules::StepRule& rule = rules::RuleFor(stepCode(m_step));
    bool sent = true;
    switch (rule.command) {
        case Command::None:
            break;
        case Command::BaudTest:
        case Command::BaudConfirm: {
            // At the boot rate: pause, the command, pause, then the new rate, at which the
            // chip answers.
            const uint64_t generation = m_generation;
            if (!openPort(rules::kBootRate)) {
                if (alive(generation)) finishJob(EndReason::PortOpenFailed);
                return;
            }
            m_settleCommand = rule.command;
            m_settleStage = 0;
            m_settleAfter = after;
            m_phase = Phase::Settling;
            m_timers.arm(EngineTimer::Settle, rules::kSettlePause);
            return;
        }
        case Command::EnterIsp:
            sent = sendPacket(m_isp.ISP());
            break;
        case Command::Erase: {
            if (!lockData()) return;
            int64_t flash = 0;
            const QString packet = m_isp.Erase_Flash(flash);
            m_responseTimeOut = static_cast<int>(RoundHalfEven(
                std::max<int64_t>(flash, 0) + rules::kEraseBaseMs * rules::kEraseBytesPerMs,
                rules::kEraseBytesPerMs));
            sent = sendPacket(packet);
            break;
        }
        case Command::WriteBlock:
            if (!lockData()) return;
            sent = sendBlock();
            break;
        case Command::WriteOptions:
            sent = sendPacket(m_isp.GetOption());
            break;
        case Command::ReadOptions:
            sent = sendPacket(m_isp.READOPTION());
            break;
        case Command::End1:
            sent = sendPacket(m_isp.END1());
            break;
        case Command::End2:
            sent = sendPacket(m_isp.END2());
            break;
    }
    if (sent) afterSend(after);
}

void ZelEngine::afterSend(AfterSend after) {
    if (!m_busy) return;
    if (after == AfterSend::TimeOut) {
        if (!m_graceRunning) m_timers.arm(EngineTimer::Timer2, m_responseTimeOut + m_replySlackMs);
        return;
    }
    // A write is judged by its reply even when it is the last step of the list.
    const rules::ReplyRule judged = rules::RuleFor(stepCode(m_step)).reply;
    const bool awaitsWriteReply = judged == ReplyRule::Block || judged == ReplyRule::Options;
    if (m_step < m_steps.size() - 1 || awaitsWriteReply) {
        if (!m_graceRunning) m_timers.arm(EngineTimer::Timer2, m_responseTimeOut + m_replySlackMs);
        return;
    }
    // The last step's command is out: nothing is waited for.
    m_complete = true;
    finishJob(EndReason::Completed);
}

bool ZelEngine::sendBlock() {
    const Bytes data = segments::BlockBytes(m_ctx.Segments, m_block);
    const QString payload = (m_blockRetries == 0 ? QStringLiteral("00,") : QStringLiteral("30,")) +
                            HexBytes(m_block.block * segments::kBlockSize, 4) +
                            QStringLiteral(",00,80,") +
                            JoinHex(data, 0, static_cast<int64_t>(data.size()) - 1);
    return sendPacket(MakePacket(payload, m_ctx));
}

bool ZelEngine::lockData() {
    if (m_dataLocked) return true;
    const auto first = segments::FirstBlock(m_ctx.Segments);
    if (!first) {
        finishJob(EndReason::NoData);
        return false;
    }
    m_block = *first;
    m_dataLocked = true;
    return true;
}

void ZelEngine::onTimeOut() {
    if (rules::RuleFor(stepCode(m_step)).timeOut == rules::TimeOutRule::StepDown && stepDownRate())
        return;
    if (m_timeOuts == 0) m_timeOuts = rules::kTimeOutsSurvived + 1;
    if (m_timeOuts == 1) {
        finishJob(EndReason::TimedOut);
        return;
    }
    --m_timeOuts;
    trace(TraceKind::Stray, {}, QStringLiteral("response time-out: sending again"));
    sendStep(AfterSend::TimeOut);
}

bool ZelEngine::stepDownRate() {
    const int64_t failed = m_ctx.Chip.Baud;
    if (failed <= rules::kFallbackFloor || !m_isp.stepDownBaud()) return false;
    const uint64_t generation = m_generation;
    trace(TraceKind::Stray, {}, QStringLiteral("no answer at %1 baud: stepping down").arg(failed));
    m_events.ViewInfo(events::kInfoRateFallback, events::rateFallbackText(failed, m_ctx.Chip.Baud));
    if (!alive(generation)) return true;
    m_events.ViewInfo(events::kInfoBaud, events::baudText(m_ctx.Chip.Baud));
    if (!alive(generation)) return true;
    sendStep(AfterSend::TimeOut);
    return true;
}

void ZelEngine::continueSettle() {
    const uint64_t generation = m_generation;
    if (m_settleStage == 0) {
        const QString packet = m_settleCommand == Command::BaudTest ? m_isp.BAUDT() : m_isp.BAUDR();
        if (!sendPacket(packet)) return;
        m_settleStage = 1;
        m_timers.arm(EngineTimer::Settle, rules::kSettlePause);
        return;
    }
    m_phase = Phase::Stepping;
    if (!openPort(m_ctx.Chip.Baud)) {
        if (alive(generation)) finishJob(EndReason::PortOpenFailed);
        return;
    }
    afterSend(m_settleAfter);
}

QString ZelEngine::stepCode(int index) const {
    if (index < 0 || index >= m_steps.size()) return {};
    return m_steps[index];
}

}  // namespace zel
