#include "core/valueforms.h"

#include <limits>

namespace korvan {
namespace {

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

bool IsDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

}  // namespace

qint64 ParseLeadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    if (i + 1 < text.size() && text[i] == '&' && (text[i + 1] == 'H' || text[i + 1] == 'h')) {
        quint64 value = 0;
        for (i += 2; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
            if (value > static_cast<quint64>(kMax) >> 4) return kMax;
            value = (value << 4) | static_cast<quint64>(HexDigit(text[i]));
        }
        return static_cast<qint64>(value);
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    qint64 value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        const int digit = text[i].unicode() - '0';
        if (value > (kMax - digit) / 10) return negative ? -kMax : kMax;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

qint32 ParseLeadingInt32(QStringView text) {
    const qint64 value = ParseLeadingNumber(text);
    if (value > std::numeric_limits<qint32>::max()) return std::numeric_limits<qint32>::max();
    if (value < std::numeric_limits<qint32>::min()) return std::numeric_limits<qint32>::min();
    return static_cast<qint32>(value);
}

std::optional<bool> ParseBoolText(QStringView text) {
    const QStringView t = text.trimmed();
    if (t.compare(u"True", Qt::CaseInsensitive) == 0) return true;
    if (t.compare(u"False", Qt::CaseInsensitive) == 0) return false;
    if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h')) {
        bool nonZero = false;
        for (qsizetype i = 2; i < t.size(); ++i) {
            if (HexDigit(t[i]) < 0) return std::nullopt;
            nonZero = nonZero || HexDigit(t[i]) > 0;
        }
        return nonZero;
    }
    qsizetype i = (!t.isEmpty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
    bool anyDigit = false, nonZero = false, point = false;
    for (; i < t.size(); ++i) {
        if (t[i] == '.' && !point) {
            point = true;
            continue;
        }
        if (!IsDigit(t[i])) return std::nullopt;
        anyDigit = true;
        nonZero = nonZero || t[i] != '0';
    }
    if (!anyDigit) return std::nullopt;
    return nonZero;
}

QString BoolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString QuoteValue(const QString& text) {
    return '"' + text + '"';
}

QString CollapseAppPath(const QString& path, const QString& folder) {
    if (folder.isEmpty() || !path.startsWith(folder)) return path;
    return kAppPathToken + path.mid(folder.size());
}

QString ExpandAppPath(const QString& text, const QString& folder, Qt::CaseSensitivity tokenCase) {
    QString result = text;
    return result.replace(kAppPathToken, folder, tokenCase);
}

}  // namespace korvan
