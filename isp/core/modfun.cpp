#include "modfun.h"

#include "seriestable.h"
#include "zelcontext.h"

#include <algorithm>
#include <optional>

namespace zel {

namespace {

int clampWidth(int width) {
    return std::clamp(width, 1, 4);
}

// Splits a run of 2*width digits into items of two.
QString splitIntoItems(const QString& digits) {
    QString out;
    out.reserve(digits.size() + digits.size() / 2);
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        if (i > 0) out += QLatin1Char(',');
        out += digits.mid(i, 2);
    }
    return out;
}

// An item's value modulo 256, or nothing when the item is not a hexadecimal number.
std::optional<uint8_t> parseItem(QStringView item) {
    if (item.isEmpty()) return std::nullopt;
    unsigned value = 0;
    for (QChar c : item) {
        const char16_t u = c.unicode();
        unsigned digit = 0;
        if (u >= u'0' && u <= u'9') {
            digit = u - u'0';
        } else if (u >= u'A' && u <= u'F') {
            digit = u - u'A' + 10;
        } else if (u >= u'a' && u <= u'f') {
            digit = u - u'a' + 10;
        } else {
            return std::nullopt;
        }
        value = ((value << 4) | digit) & 0xFFU;
    }
    return static_cast<uint8_t>(value);
}

}  // namespace

QString HexBytes(int64_t value, int width) {
    width = clampWidth(width);
    const uint64_t modulus = uint64_t{1} << (8 * width);
    const uint64_t digits = static_cast<uint64_t>(value) & (modulus - 1);
    return splitIntoItems(
        QStringLiteral("%1").arg(digits, 2 * width, 16, QLatin1Char('0')).toUpper());
}

QString HexBytes(const QString& text, int width) {
    width = clampWidth(width);
    const qsizetype size = 2 * width;
    QString digits = text.toUpper();
    if (digits.size() < size) digits = QString(size - digits.size(), QLatin1Char('0')) + digits;
    return splitIntoItems(digits.right(size));
}

int64_t ParseHex(const QString& text, Bytes& out) {
    const QString source = text.isEmpty() ? QStringLiteral("0") : text;
    out.clear();
    out.reserve(static_cast<size_t>(source.count(QLatin1Char(',')) + 1));
    int64_t sum = 0;
    uint8_t previous = 0;
    for (QStringView item : QStringView(source).split(QLatin1Char(','))) {
        previous = parseItem(item).value_or(previous);
        out.push_back(previous);
        sum += previous;
    }
    return sum;
}

QString JoinHex(const Bytes& bytes, int64_t first, int64_t last, const QString& separator) {
    const int64_t upper = ArrayBound(bytes);
    if (last == 0 || last > upper) last = upper;
    first = std::max<int64_t>(first, 0);
    QString out;
    for (int64_t i = first; i <= last; ++i) {
        if (i > first) out += separator;
        out += QStringLiteral("%1")
                   .arg(bytes[static_cast<size_t>(i)], 2, 16, QLatin1Char('0'))
                   .toUpper();
    }
    return out;
}

int64_t AppendBytes(Bytes& buffer, const Bytes& bytes) {
    // A lone 0x00 is what an emptied buffer looks like; the new bytes take its place.
    if (buffer.empty() || (buffer.size() == 1 && buffer[0] == 0x00)) {
        if (!bytes.empty()) buffer = bytes;
        return 0;
    }
    const int64_t start = ArrayBound(buffer);
    buffer.insert(buffer.end(), bytes.begin(), bytes.end());
    return start;
}

Bytes SliceBytes(const Bytes& bytes, int64_t first, int64_t count) {
    const int64_t size = static_cast<int64_t>(bytes.size());
    if (first < 0 || first >= size) return {};
    const int64_t available = size - first;
    const int64_t take = (count <= 0 || count > available) ? available : count;
    return Bytes(bytes.begin() + first, bytes.begin() + first + take);
}

QString MakePacket(const QString& payload, uint8_t seriesByte) {
    const int width = checksumWidth(seriesByte);
    Bytes scratch;
    ParseHex(payload, scratch);
    const auto items = static_cast<int64_t>(scratch.size());
    const QString body =
        QStringLiteral("6A,00,") + HexBytes(items + 4 + width, 1) + QLatin1Char(',') + payload;
    const int64_t sum = ParseHex(body, scratch);
    return QStringLiteral("46,B9,") + body + QLatin1Char(',') + HexBytes(sum, width) +
           QStringLiteral(",16");
}

QString MakePacket(const QString& payload, const ZelContext& context) {
    return MakePacket(payload, context.Chip.SeriesByte);
}

bool GetBit(int64_t value, int bit) {
    if (bit < 0 || bit > 63) return false;
    return ((static_cast<uint64_t>(value) >> bit) & 1U) != 0;
}

int64_t GetBits(int64_t value, int hi, int lo) {
    if (hi < lo) return 0;
    lo = std::max(lo, 0);
    hi = std::min(hi, 63);
    if (lo > 63 || hi < lo) return 0;
    const int count = hi - lo + 1;
    const uint64_t shifted = static_cast<uint64_t>(value) >> lo;
    const uint64_t mask = count >= 64 ? ~uint64_t{0} : ((uint64_t{1} << count) - 1);
    return static_cast<int64_t>(shifted & mask);
}

}  // namespace zel
