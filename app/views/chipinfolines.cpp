#include "views/chipinfolines.h"

#include "views/viewtexts.h"
#include "zelisp_interface.h"

namespace korvan {

ChipFacts FactsOf(const zelisp::IZelInfo& info) {
    ChipFacts facts;
    facts.Model = info.model();
    facts.Id = info.id();
    facts.Version = info.version();
    facts.Cpu = info.cpu();
    facts.Flash = info.flash();
    facts.Memory = info.memory();
    facts.Eeprom = info.eeprom();
    facts.SerialNumber = info.sn();
    for (int16_t i = 0; i < info.OptCount(); ++i) facts.Options << info.OptList(i);
    return facts;
}

QString KilobyteText(int64_t bytes) {
    // Halves away from zero, so that a negative size (never reported) stays symmetrical.
    const int64_t sign = bytes < 0 ? -1 : 1;
    const int64_t magnitude = bytes < 0 ? -bytes : bytes;
    return QString::number(sign * ((magnitude * 2 + 1024) / 2048));
}

QVector<ChipTreeLine> ChipTreeLines(const ChipFacts& c) {
    using namespace viewtext;
    QVector<ChipTreeLine> lines;
    const auto child = [&lines](const QString& text) { lines.append({text, kIconLine, true}); };
    lines.append({kCoreHeading, kIconCore, false});
    child(c.Model.isEmpty() ? kModel + kUnknownModel + c.Id : kModel + c.Model);
    child(kVersion + c.Version);
    child(kFrequency + QString::number(double(c.Cpu) / 1000000.0, 'f', 6) + kMegahertz);
    if (c.Model.isEmpty()) return lines;

    child(kFlash + QStringLiteral("%1 B  (%2 KB)").arg(c.Flash).arg(KilobyteText(c.Flash)));
    child(kMemory + QString::number(c.Memory) + kBytes);
    if (c.Eeprom >= 1)
        child(kEeprom + QStringLiteral("%1 B  (%2 KB)").arg(c.Eeprom).arg(KilobyteText(c.Eeprom)));
    if (!c.SerialNumber.isEmpty()) child(kSerialNumber + c.SerialNumber);

    lines.append({kOptionsHeading, kIconOptions, false});
    if (c.Options.isEmpty())
        lines.append({kNoOptions, kIconNoOptions, true});
    else
        for (const QString& option : c.Options) child(option);
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
