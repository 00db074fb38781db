// The reset-sequence parser on arbitrary text: a sequence it accepts keeps within the limits and
// reads back to itself; a refusal names a place inside the text (or just after it).
#include "core/resetsequence.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const korvan::ResetSequenceParse parsed = korvan::ParseResetSequence(text);
    if (!parsed.sequence) {
        if (parsed.position < 1 || parsed.position > text.size() + 1) std::abort();
        return 0;
    }
    int wait = 0;
    for (const korvan::ResetStep& step : *parsed.sequence)
        if (step.kind == korvan::ResetStep::Kind::Wait) wait += step.value;
    if (parsed.sequence->size() > size_t(korvan::kResetMaxSteps) ||
        wait > korvan::kResetMaxTotalWaitMs)
        std::abort();
    const korvan::ResetSequenceParse again =
        korvan::ParseResetSequence(korvan::ResetSequenceText(*parsed.sequence));
    if (again.sequence != parsed.sequence) std::abort();
    return 0;
}
