#include "core/datetimeformat.h"

namespace korvan {
namespace {

// The run of the same letter (ignoring case) starting at `i`.
qsizetype RunLength(const QString& format, qsizetype i) {
    const QChar letter = format[i].toLower();
    qsizetype n = 1;
    while (i + n < format.size() && format[i + n].toLower() == letter) ++n;
    return n;
}

QString Number(int value, qsizetype run) {
    return run >= 2 ? QStringLiteral("%1").arg(value, 2, 10, QChar('0')) : QString::number(value);
}

// Whether the next code after position `i` (skipping non-letters) is a seconds code.
bool SecondsFollow(const QString& format, qsizetype i) {
    while (i < format.size() && !format[i].isLetter()) ++i;
    return i < format.size() && format[i].toLower() == 's';
}

}  // namespace

QString FormatDateTime(const QDateTime& when, const QString& format) {
    const QDate date = when.date();
    const QTime time = when.time();
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i].toLower();
        const qsizetype run = RunLength(format, i);
        bool hour = false;
        if (c == 'y') {
            out += run >= 3   ? QString::number(date.year())
                   : run == 2 ? Number(date.year() % 100, 2)
                              : QString::number(date.dayOfYear());
        } else if (c == 'm') {
            if (run <= 2 && (afterHour || SecondsFollow(format, i + run)))
                out += Number(time.minute(), run);
            else if (run <= 2)
                out += Number(date.month(), run);
        } else if (c == 'd') {
            if (run <= 2) out += Number(date.day(), run);
        } else if (c == 'h') {
            out += Number(time.hour(), run);
            hour = true;
        } else if (c == 'n') {
            out += Number(time.minute(), run);
        } else if (c == 's') {
            out += Number(time.second(), run);
        } else if (c == 'w' && run == 1) {
            out += QString::number(date.dayOfWeek() % 7 + 1);  // Sunday is 1
        } else if (c == 'q') {
            out += QString::number((date.month() - 1) / 3 + 1);
        } else {
            out += format.mid(i, run);
        }
        if (c.isLetter()) afterHour = hour;
        i += run;
    }
    return out;
}

}  // namespace korvan
