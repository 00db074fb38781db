#include "core/datatext.h"

#include "core/datetimeformat.h"
#include "core/textcodec.h"
#include "core/valueforms.h"

#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <optional>

namespace korvan {
namespace {

int HexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

bool IsHexNumber(const QString& token) {
    return !token.isEmpty() && token.size() <= 8 &&
           std::all_of(token.begin(), token.end(), [](QChar c) { return HexValue(c) >= 0; });
}

// Hexadecimal digits of a number as the platform writes them: a negative number that fits
// 32 bits as its 32-bit two's complement.
QString HexDigits(qint64 value) {
    if (value >= 0) return QString::number(value, 16).toUpper();
    if (value >= INT32_MIN) return QString::number(static_cast<quint32>(value), 16).toUpper();
    return QString::number(static_cast<quint64>(value), 16).toUpper();
}

qint64 SaturatingAdd(qint64 a, qint64 b) {
    qint64 sum = 0;
    if (!__builtin_add_overflow(a, b, &sum)) return sum;
    return b > 0 ? INT64_MAX : INT64_MIN;
}

// The number formed by the decimal digits at the start of `text`, blanks between them
// ignored; 0 when there are none.
qint64 DigitsIgnoringBlanks(QStringView text) {
    qint64 value = 0;
    for (const QChar c : text) {
        if (c == ' ') continue;
        if (c.unicode() < '0' || c.unicode() > '9') break;
        value = std::min<qint64>(value * 10 + (c.unicode() - '0'), INT32_MAX);
    }
    return value;
}

QString OnlyDigits(const QString& text) {
    QString digits;
    for (const QChar c : text) {
        if (c.unicode() >= '0' && c.unicode() <= '9') digits += c;
    }
    return digits;
}

class Compiler {
  public:
    explicit Compiler(const DataTextContext& context) : context_(context) {}

    Bytes run(const QString& text) {
        QString spaced = text;
        spaced.replace(',', ' ');
        for (const QString& group : spaced.split(';')) compileGroup(group);
        applyCount();
        return std::move(out_);
    }

  private:
    void compileGroup(const QString& group) {
        check_ = 0;
        const qsizetype f = group.indexOf(QStringLiteral("%F"), 0, Qt::CaseInsensitive);
        if (f >= 0) checkType_ = DigitsIgnoringBlanks(QStringView(group).mid(f + 2));
        for (const QString& token : group.split(' ', Qt::SkipEmptyParts)) compileToken(token);
    }

    void compileToken(QString token) {
        int length = 0;
        const qsizetype l = token.indexOf('L', 0, Qt::CaseInsensitive);
        if (l >= 0) {
            length = static_cast<int>(std::clamp<qint64>(
                ParseLeadingNumber(QStringView(token).mid(l + 1)), 0, kMaxItemLength));
            if (!token.startsWith('$')) token.truncate(l);
        }
        if (token.isEmpty()) return;
        const QString rest = token.mid(1);
        switch (token[0].unicode()) {
            case '$':
                for (const char byte : EncodeGbk(rest)) append(static_cast<uint8_t>(byte));
                return;
            case '@':
                emitDigits(BinaryToHex(rest), length, false);
                return;
            case '#':
                emitDigits(HexDigits(ParseLeadingNumber(rest)), length, false);
                return;
            case '%':
                if (rest.isEmpty() || !rest[0].isLetter()) return;
                compileVariable(rest[0].toUpper(), rest.mid(1), length);
                return;
            default:
                if (IsHexNumber(token)) emitDigits(token, length, false);
        }
    }

    void compileVariable(QChar letter, const QString& parameter, int length) {
        const QDateTime& now = context_.Now;
        switch (letter.unicode()) {
            case 'N':
                emitDigits(HexDigits(SaturatingAdd(context_.Serial, ParseLeadingNumber(parameter))),
                           length < 1 ? 4 : length, false);
                return;
            case 'D':
                emitDigits(
                    OnlyDigits(FormatDateTime(now, parameter.isEmpty() ? "yymmdd" : parameter)),
                    length, true);
                return;
            case 'T':
                emitDigits(
                    OnlyDigits(FormatDateTime(now, parameter.isEmpty() ? "hhmmss" : parameter)),
                    length, true);
                return;
            case 'W':
                emitDigits(QString::number(now.date().dayOfWeek()), length, false);
                return;
            case 'F':
                if (append(check_)) checkPos_ = out_.size() - 1;
                return;
            case 'C':
                if (append(0)) countPos_ = out_.size() - 1;
                return;
            default:
                return;
        }
    }

    static QString BinaryToHex(const QString& bits) {
        QString padded(static_cast<qsizetype>((4 - bits.size() % 4) % 4), '0');
        for (const QChar c : bits) padded += c == '1' ? '1' : '0';
        QString hex;
        for (qsizetype i = 0; i < padded.size(); i += 4)
            hex += QString::number(padded.mid(i, 4).toInt(nullptr, 2), 16);
        return hex;
    }

    // A digit string as bytes: padded or cut from the left to `length` bytes, or to an even
    // number of digits without a length; each pair read as hexadecimal or as decimal.
    void emitDigits(QString digits, int length, bool decimalPairs) {
        if (length > 0) {
            const qsizetype want = 2 * qsizetype{length};
            digits = digits.size() < want ? QString(want - digits.size(), '0') + digits
                                          : digits.right(want);
        } else if (digits.size() % 2 != 0) {
            digits.prepend('0');
        }
        for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
            const int high = HexValue(digits[i]), low = HexValue(digits[i + 1]);
            append(static_cast<uint8_t>(decimalPairs ? high * 10 + low : high * 16 + low));
        }
    }

    // False when the byte was dropped because the text already made kMaxDataTextBytes.
    bool append(uint8_t byte) {
        if (out_.size() >= kMaxDataTextBytes) return false;
        out_.push_back(byte);
        if (checkType_ == 0) check_ ^= byte;
        if (checkType_ == 1) check_ = static_cast<uint8_t>(check_ + byte);
        return true;
    }

    // The count byte gets the total; a check byte is corrected for the count byte's value.
    void applyCount() {
        if (!countPos_) return;
        const auto count = static_cast<uint8_t>(out_.size() <= 255 ? out_.size() : 0);
        out_[*countPos_] = count;
        if (!checkPos_) return;
        if (checkType_ == 0) out_[*checkPos_] ^= count;
        if (checkType_ == 1) out_[*checkPos_] = static_cast<uint8_t>(out_[*checkPos_] + count);
    }

    const DataTextContext& context_;
    Bytes out_;
    qint64 checkType_ = 0;
    uint8_t check_ = 0;
    std::optional<size_t> checkPos_;
    std::optional<size_t> countPos_;
};

}  // namespace

Bytes ParseDataText(const QString& text, const DataTextContext& context) {
    if (text.isEmpty()) return {};
    return Compiler(context).run(text);
}

QString BytesToText(const Bytes& bytes, const QString& separator, qsizetype first, qsizetype last,
                    bool hex) {
    const auto size = static_cast<qsizetype>(bytes.size());
    if (last < 0 || last >= size) last = size - 1;
    first = std::max<qsizetype>(first, 0);
    QStringList items;
    for (qsizetype i = first; i <= last; ++i) {
        const uint8_t b = bytes[static_cast<size_t>(i)];
        items.append(hex ? QStringLiteral("%1").arg(b, 2, 16, QChar('0')).toUpper()
                         : QStringLiteral("#%1").arg(b, 3, 10, QChar('0')));
    }
    return items.join(separator);
}

}  // namespace korvan
