// A reset sequence: levels of the port's DTR and RTS lines and waits between them, played while
// the start flag is being sent so that the chip restarts into its bootloader without a hand on
// its power switch. Written as steps joined by ",": D0/D1 (DTR inactive/active), R0/R1 (RTS),
// Wn (wait n ms), any letter case; or the name of a preset for a common wiring.
#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace korvan {

struct ResetStep {
    enum class Kind { Dtr, Rts, Wait };
    Kind kind = Kind::Wait;
    int value = 0;  // the level (0 or 1) of a line, or milliseconds

    bool operator==(const ResetStep&) const = default;
};
using ResetSequence = std::vector<ResetStep>;

// Bounds that keep a sequence inside the shortest start countdown (5 s), so the chip always
// gets sync bytes after its restart.
inline constexpr int kResetMaxSteps = 32;
inline constexpr int kResetMaxTotalWaitMs = 5000;

struct ResetPreset {
    QString name;
    QString steps;
};
// dtr-power: DTR switches the chip's supply (inactive = off); rts-p10: RTS pulls P1.0/P1.1 low
// while the chip starts, as the RTS setting of the downloads does.
const std::vector<ResetPreset>& ResetPresets();

struct ResetSequenceParse {
    std::optional<ResetSequence> sequence;
    int position = 0;  // 1-based character where the text went wrong
    QString reason;
    // "复位序列第 N 个字符：reason", for messages.
    QString errorText() const;
};

// An empty (or blank) text is the empty sequence: no lines are driven.
ResetSequenceParse ParseResetSequence(const QString& text);

// The steps in their canonical form ("D0,W300,D1").
QString ResetSequenceText(const ResetSequence& sequence);

}  // namespace korvan
