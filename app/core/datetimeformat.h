// Date and time formatting with the codes users of the data text write: yyyy, yy, m, mm, d,
// dd, h, hh, n, nn, s, ss, w, q (letter case ignored). "m" and "mm" mean minutes right after
// an hour code or right before a seconds code, else the month. Other characters are copied.
#pragma once

#include <QDateTime>
#include <QString>

namespace korvan {

QString FormatDateTime(const QDateTime& when, const QString& format);

}  // namespace korvan
