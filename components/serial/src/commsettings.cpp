#include "commsettings.h"

#include <QList>

namespace kserial {

namespace {

// Decimal digits only: no sign, no exponent, no fraction.
std::optional<uint64_t> parseUnsigned(QStringView field) {
    if (field.isEmpty() || field.size() > 10) return std::nullopt;
    uint64_t value = 0;
    for (QChar c : field) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + uint64_t(c.unicode() - u'0');
    }
    return value;
}

}  // namespace

std::optional<CommSettings> CommSettings::parse(QStringView text) {
    const QList<QStringView> fields = text.split(u',');
    if (fields.size() != 4) return std::nullopt;

    CommSettings s;
    const auto baud = parseUnsigned(fields[0].trimmed());
    if (!baud || *baud < kMinBaud || *baud > kMaxBaud) return std::nullopt;
    s.baud = uint32_t(*baud);

    const QStringView parity = fields[1].trimmed();
    if (parity.size() != 1) return std::nullopt;
    s.parity = char(parity[0].toUpper().unicode());
    if (s.parity != 'N' && s.parity != 'E' && s.parity != 'O') return std::nullopt;

    const auto data = parseUnsigned(fields[2].trimmed());
    if (!data || *data < 5 || *data > 8) return std::nullopt;
    s.dataBits = int(*data);

    const auto stop = parseUnsigned(fields[3].trimmed());
    if (!stop || (*stop != 1 && *stop != 2)) return std::nullopt;
    s.stopBits = int(*stop);
    return s;
}

QString CommSettings::toString() const {
    return QStringLiteral("%1,%2,%3,%4").arg(baud).arg(QChar(parity)).arg(dataBits).arg(stopBits);
}

}  // namespace kserial
