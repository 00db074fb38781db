// The lines of the chip information tree: what the ISP control learned about the chip it
// identified, in words, with the icon and the level of each line. korvan-cli prints the
// same lines.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

#include "jobs/chiprecord.h"

namespace korvan {

// Icon numbers of the main window's image list.
enum ChipTreeIcon : int {
    kIconLine = 1,       // an ordinary line
    kIconCore = 4,       // "MCU 内核" and a check's wait line
    kIconOptions = 5,    // "MCU 选项"
    kIconNoOptions = 11  // the model has no options
};

struct ChipTreeLine {
    QString Text;
    int Icon = kIconLine;
    bool Child = false;  // false: a top line; true: under the top line before it
    bool operator==(const ChipTreeLine&) const = default;
};

// The whole tree, top lines and children in display order. An unknown model ends after the
// frequency line.
QVector<ChipTreeLine> ChipTreeLines(const jobs::ChipRecord& chip);

// The same lines as plain text, a top line as it is and a child indented by `indent`.
QStringList ChipTreeText(const QVector<ChipTreeLine>& lines, const QString& indent);

// The single top line of a check that waits for the chip, and the text the countdown puts in
// its place.
ChipTreeLine CheckStartLine(int seconds);
QString CheckWaitText(int seconds);

// Whole kilobytes, halves rounded up ("1536" gives "2").
QString KilobyteText(int64_t bytes);

}  // namespace korvan
