#include "core/resetsequence.h"

#include "core/messages.h"

#include <QStringList>

namespace korvan {
namespace {

ResetSequenceParse Failed(int position, const QString& reason) {
    ResetSequenceParse r;
    r.position = position;
    r.reason = reason;
    return r;
}

// The first non-blank character of text[from, to), or `to` when there is none.
qsizetype SkipBlanks(const QString& text, qsizetype from, qsizetype to) {
    while (from < to && text.at(from).isSpace()) ++from;
    return from;
}

}  // namespace

const std::vector<ResetPreset>& ResetPresets() {
    // 300 ms without power empties a board's supply capacitors; the chip's boot window then
    // opens while the sync bytes are already on the line.
    static const std::vector<ResetPreset> presets{
        {QStringLiteral("dtr-power"), QStringLiteral("D0,W300,D1")},
        {QStringLiteral("rts-p10"), QStringLiteral("R1")},
    };
    return presets;
}

QString ResetSequenceParse::errorText() const {
    return sequence ? QString() : msg::ResetSequenceError(position, reason);
}

ResetSequenceParse ParseResetSequence(const QString& text) {
    const QString name = text.trimmed();
    for (const ResetPreset& preset : ResetPresets())
        if (name.compare(preset.name, Qt::CaseInsensitive) == 0)
            return ParseResetSequence(preset.steps);

    ResetSequence steps;
    if (name.isEmpty()) return ResetSequenceParse{steps, 0, {}};
    int totalWait = 0;
    bool drivesALine = false;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char(','), start);
        if (end < 0) end = text.size();
        const qsizetype first = SkipBlanks(text, start, end);
        const int position = static_cast<int>(first) + 1;
        const QString step = text.mid(first, end - first).trimmed();
        if (step.isEmpty()) return Failed(position, msg::kResetEmptyStep);
        if (static_cast<int>(steps.size()) == kResetMaxSteps)
            return Failed(position, msg::ResetTooManySteps(kResetMaxSteps));

        const QChar letter = step.at(0).toUpper();
        const QString rest = step.mid(1);
        if (letter == QLatin1Char('D') || letter == QLatin1Char('R')) {
            const bool dtr = letter == QLatin1Char('D');
            if (rest != QLatin1String("0") && rest != QLatin1String("1")) {
                // A word that merely starts with D or R is not a line step at all.
                if (rest.isEmpty() || !rest.at(0).isDigit())
                    return Failed(position, msg::ResetUnknownStep(step));
                return Failed(position + 1, msg::ResetBadLevel(dtr ? QStringLiteral("DTR")
                                                                   : QStringLiteral("RTS")));
            }
            steps.push_back({dtr ? ResetStep::Kind::Dtr : ResetStep::Kind::Rts, rest.toInt()});
            drivesALine = true;
        } else if (letter == QLatin1Char('W')) {
            bool digits = !rest.isEmpty() && rest.size() <= 5;
            for (const QChar c : rest)
                digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
            const int ms = digits ? rest.toInt() : 0;
            if (ms < 1 || ms > kResetMaxTotalWaitMs)
                return Failed(position + 1, msg::ResetBadWait(kResetMaxTotalWaitMs));
            totalWait += ms;
            if (totalWait > kResetMaxTotalWaitMs)
                return Failed(position, msg::ResetTooLong(kResetMaxTotalWaitMs));
            steps.push_back({ResetStep::Kind::Wait, ms});
        } else {
            return Failed(position, msg::ResetUnknownStep(step));
        }
        start = end + 1;
    }
    if (!drivesALine) return Failed(1, msg::kResetNoLine);
    return ResetSequenceParse{steps, 0, {}};
}

QString ResetSequenceText(const ResetSequence& sequence) {
    QStringList parts;
    for (const ResetStep& step : sequence) {
        switch (step.kind) {
            case ResetStep::Kind::Dtr:
                parts << QStringLiteral("D%1").arg(step.value);
                break;
            case ResetStep::Kind::Rts:
                parts << QStringLiteral("R%1").arg(step.value);
                break;
            case ResetStep::Kind::Wait:
                parts << QStringLiteral("W%1").arg(step.value);
                break;
        }
    }
    return parts.join(QLatin1Char(','));
}

}  // namespace korvan
