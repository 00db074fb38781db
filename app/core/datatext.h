// The data text: KORVAN's notation for byte strings, used by the soft-start command, the
// terminal's hexadecimal send and the automatic increment.
//
//   46 B9 6A      hexadecimal items of up to 8 digits ("," also separates)
//   $text         the characters' bytes in the GBK code page
//   @101          binary digits      #100   a decimal number
//   %N[+k]        the serial number (plus k), 4 bytes unless a length is given
//   %D[fmt] %T[fmt]  date / time as decimal pairs ("yymmdd", "hhmmss" by default)
//   %W            day of the week, 1 = Monday .. 7 = Sunday
//   %F[t]         check byte over the group: t = 0 XOR, t = 1 sum; %C the byte count
//   item L n      length suffix: the item padded or cut to n bytes ("#100L2" gives 00 64)
//   ;             starts a new group (the check restarts)
#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

namespace korvan {

using Bytes = std::vector<uint8_t>;

// The values the variables take: the serial number N and the clock's reading.
struct DataTextContext {
    qint64 Serial = 0;
    QDateTime Now;
};

// Lengths beyond these are cut to them: no data text is meant to make megabytes of data.
constexpr int kMaxItemLength = 4096;
constexpr size_t kMaxDataTextBytes = 1024 * 1024;

Bytes ParseDataText(const QString& text, const DataTextContext& context);

// Bytes first..last (last -1 or beyond the end: up to the end) joined with `separator`;
// hexadecimal as "0A", else "#" and three decimal digits ("#010").
QString BytesToText(const Bytes& bytes, const QString& separator, qsizetype first, qsizetype last,
                    bool hex);

}  // namespace korvan
