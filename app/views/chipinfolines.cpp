#include "views/chipinfolines.h"

#include "views/viewtexts.h"

#include "dbtext.h"

namespace korvan {

QString KilobyteText(int64_t bytes) {
    // Halves away from zero, so that a negative size (never reported) stays symmetrical.
    const int64_t sign = bytes < 0 ? -1 : 1;
    const int64_t magnitude = bytes < 0 ? -bytes : bytes;
    return QString::number(sign * ((magnitude * 2 + 1024) / 2048));
}

QVector<ChipTreeLine> ChipTreeLines(const jobs::ChipRecord& c) {
    using namespace viewtext;
    QVector<ChipTreeLine> lines;
    const auto child = [&lines](const QString& text) { lines.append({text, kIconLine, true}); };
    lines.append({kCoreHeading, kIconCore, false});
    child(c.model.isEmpty() ? kModel + kUnknownModel + c.id : kModel + c.model);
    child(kVersion + c.version);
    child(kFrequency + QString::number(double(c.cpu) / 1000000.0, 'f', 6) + kMegahertz);
    if (c.model.isEmpty()) return lines;

    child(kFlash + QStringLiteral("%1 B  (%2 KB)").arg(c.flash).arg(KilobyteText(c.flash)));
    child(kMemory + QString::number(c.memory) + kBytes);
    if (c.eeprom >= 1)
        child(kEeprom + QStringLiteral("%1 B  (%2 KB)").arg(c.eeprom).arg(KilobyteText(c.eeprom)));
    if (!c.sn.isEmpty()) child(kSerialNumber + c.sn);

    lines.append({kOptionsHeading, kIconOptions, false});
    if (c.options.isEmpty())
        lines.append({kNoOptions, kIconNoOptions, true});
    else
        for (const QString& option : c.options) child(i18n::DbOptionLine(option));
    return lines;
}

QStringList ChipTreeText(const QVector<ChipTreeLine>& lines, const QString& indent) {
    QStringList text;
    for (const ChipTreeLine& line : lines) text << (line.Child ? indent + line.Text : line.Text);
    return text;
}

ChipTreeLine CheckStartLine(int seconds) {
    return {viewtext::kCheckStarting + QString::number(seconds), kIconCore, false};
}

QString CheckWaitText(int seconds) {
    return viewtext::kCheckWaiting + QString::number(seconds);
}

}  // namespace korvan
