#include "core/increment.h"

#include <algorithm>

namespace korvan {

IncrementData IncrementBytes(const UserSettings& settings, bool hexPreview, const QDateTime& now) {
    IncrementData result;
    result.Data = ParseDataText(settings.IncFormat, DataTextContext{settings.IncNext, now});
    result.Address = settings.IncAddress;
    result.Preview = BytesToText(result.Data, QStringLiteral(" "), 0, -1, hexPreview);
    result.CountLabel = QString::number(result.Data.size()) + QStringLiteral(" Bytes");
    return result;
}

QString IncrementAddressText(quint16 address) {
    return QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper();
}

quint16 ParseIncrementAddress(const QString& text) {
    quint16 value = 0;
    for (const QChar c : text.trimmed()) {
        const int digit = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        if (digit < 0) break;
        value = static_cast<quint16>((value << 4) | digit);
    }
    return value;
}

qint64 ParseSerialNumber(const QString& text) {
    qint64 value = 0;
    for (const QChar c : text.trimmed()) {
        if (!c.isDigit() || c.unicode() > '9') break;
        value = std::min(value * 10 + (c.unicode() - '0'), kMaxSerialNumber);
    }
    return value;
}

qint64 NextSerialNumber(qint64 current) {
    if (current < 0 || current >= kMaxSerialNumber) return 1;
    return current + 1;
}

}  // namespace korvan
