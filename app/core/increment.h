// The automatic increment: data written into every downloaded copy at a fixed address, most
// often a serial number that advances after each successful download.
#pragma once

#include "core/datatext.h"
#include "core/usersettings.h"

#include <QDateTime>
#include <QString>

namespace korvan {

constexpr qint64 kMaxSerialNumber = 999999999;

struct IncrementData {
    Bytes Data;           // the format's bytes now
    quint16 Address = 0;  // where they go
    QString Preview;      // the bytes, blank-separated, hexadecimal or "#ddd"
    QString CountLabel;   // "4 Bytes"
};

// The format of `settings` compiled with its serial number and the clock reading `now`.
IncrementData IncrementBytes(const UserSettings& settings, bool hexPreview, const QDateTime& now);

// Whether `number` is a serial number the increment can take: 0 to 999999999. A number beyond
// it would not fit the bytes the formats write, and is refused wherever it comes from.
inline bool SerialNumberInRange(qint64 number) {
    return number >= 0 && number <= kMaxSerialNumber;
}
// The start address as the box shows it: exactly four upper-case hexadecimal digits.
QString IncrementAddressText(quint16 address);
// The hexadecimal digits at the start of `text`, read as a number; its last four digits make
// the address ("12345" gives 2345, "" gives 0).
quint16 ParseIncrementAddress(const QString& text);
// The decimal digits at the start of `text` as a serial number ("" gives 0), held within
// 0..kMaxSerialNumber.
qint64 ParseSerialNumber(const QString& text);

// The serial number after a successful download: 999999999 (or anything out of range) is
// followed by 1.
qint64 NextSerialNumber(qint64 current);

}  // namespace korvan
