#include "porttable.h"

#include "clitexts.h"
#include "text.h"

#include <algorithm>

namespace korvan::cli {

namespace {

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

QString Pad(const QString& text, int columns) {
    return text + QString(std::max(0, columns - DisplayWidth(text)), QLatin1Char(' '));
}

QString SerialList(const QList<qint64>& numbers) {
    QStringList parts;
    for (const qint64 n : numbers) parts << QString::number(n);
    return parts.join(QLatin1Char(','));
}

}  // namespace

int DisplayWidth(const QString& text) {
    int width = 0;
    for (const char32_t c : text.toUcs4()) width += IsWide(c) ? 2 : 1;
    return width;
}

QString FitWidth(const QString& text, int columns) {
    QString fitted;
    int width = 0;
    for (const char32_t c : text.toUcs4()) {
        const int w = IsWide(c) ? 2 : 1;
        if (width + w > columns) break;
        width += w;
        fitted += QString::fromUcs4(&c, 1);
    }
    return fitted;
}

QStringList PortTableLines(const JobSummary& summary) {
    const bool withSerials = std::any_of(summary.ports.begin(), summary.ports.end(),
                                         [](const PortSummary& p) { return !p.serials.isEmpty(); });
    const bool withNotes = std::any_of(summary.ports.begin(), summary.ports.end(),
                                       [](const PortSummary& p) { return !p.message.isEmpty(); });
    QList<QStringList> rows;
    QStringList heading{text::kTablePort, text::kTableModel, text::kTableResult, text::kTableTime};
    if (withSerials) heading << text::kTableSerials;
    if (withNotes) heading << text::kTableNote;
    rows << heading;
    int succeeded = 0;
    for (const PortSummary& p : summary.ports) {
        const bool ok = p.result == QStringLiteral("success");
        if (ok) ++succeeded;
        QString result = text::ResultWord(p.result);
        if (p.wanted > 1) result += QStringLiteral(" %1/%2").arg(p.completed).arg(p.wanted);
        QStringList row{p.port, p.model.isEmpty() ? QStringLiteral("-") : p.model, result,
                        text::Seconds(p.timeMs)};
        if (withSerials) row << (p.serials.isEmpty() ? QStringLiteral("-") : SerialList(p.serials));
        if (withNotes) row << QString(p.message).replace('\n', KORVAN_TR("korvan-cli", "，"));
        rows << row;
    }
    std::vector<int> widths(static_cast<size_t>(heading.size()), 0);
    for (const QStringList& row : rows)
        for (qsizetype i = 0; i < row.size(); ++i)
            widths[static_cast<size_t>(i)] =
                std::max(widths[static_cast<size_t>(i)], DisplayWidth(row.at(i)));
    QStringList lines;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype i = 0; i < row.size(); ++i) {
            const bool last = i + 1 == row.size();
            line += last ? row.at(i) : Pad(row.at(i), widths[static_cast<size_t>(i)] + 2);
        }
        lines << line.trimmed();
    }
    if (!summary.unusedSerials.isEmpty())
        lines << text::UnusedSerials(SerialList(summary.unusedSerials));
    lines << text::GangTotal(static_cast<int>(summary.ports.size()), succeeded);
    return lines;
}

}  // namespace korvan::cli
