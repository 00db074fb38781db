#include "zelinfo.h"

#include <QStringList>
#include <algorithm>
#include <limits>

#include "zeldb.h"

namespace zel {
namespace {

int32_t ToLong(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// A whole number in 0..limit, or -1.
int Number(const QString& text, int limit) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 0 && value <= limit ? value : -1;
}

// The leading decimal number of a field ("0" for none), as the row's polarity or first index.
int LeadingNumber(const QString& text) {
    int value = 0;
    bool negative = false;
    const QString t = text.trimmed();
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (i == 0 && (c == u'-' || c == u'+')) {
            negative = c == u'-';
            continue;
        }
        if (c < u'0' || c > u'9') break;
        value = std::min(value * 10 + (c.unicode() - u'0'), 1 << 20);
    }
    return negative ? -value : value;
}

// Bits high..low of `value` (high most significant); 0 when high < low.
int Bits(uint8_t value, int high, int low) {
    if (high < low) return 0;
    return (value >> low) & ((1 << (high - low + 1)) - 1);
}

QString Choice(const QStringList& fields, int caption, qsizetype choice) {
    if (choice < 3 || choice >= fields.size()) return {};
    QString text = fields.at(choice);
    while (!text.isEmpty() && text.back().isSpace()) text.chop(1);
    return fields.at(caption) + text;
}

}  // namespace

QString DecodeOptionText(const QString& descriptor, const QString& parRow,
                         const std::vector<uint8_t>& statusBytes) {
    const QStringList fields = parRow.split(u',');
    const QStringList parts = descriptor.split(u'-');
    if (fields.size() < 3 || parts.size() < 3) return {};
    const int byteIndex = Number(parts.at(1), std::numeric_limits<int>::max());
    if (byteIndex < 0 || static_cast<size_t>(byteIndex) >= statusBytes.size()) return {};
    const uint8_t byte = statusBytes[static_cast<size_t>(byteIndex)];
    const QString kind = fields.at(0).trimmed();
    const int first = LeadingNumber(fields.at(1));

    if (kind == u"1") {
        const int bit = Number(parts.at(2), 7);
        if (bit < 0) return {};
        const bool set = (byte >> bit) & 1;
        return Choice(fields, 2, set ? 3 + first : 4 - first);
    }
    if (kind == u"2") {
        if (parts.size() < 4) return {};
        const int high = Number(parts.at(2), 7);
        const int low = Number(parts.at(3), 7);
        if (high < 0 || low < 0) return {};
        return Choice(fields, 2, 3 + Bits(byte, high, low));
    }
    return {};
}

QString cZelInfo::model() const {
    return m_ctx->Chip.Model;
}
int32_t cZelInfo::cpu() const {
    return ToLong(m_ctx->Chip.Cpu);
}
QString cZelInfo::version() const {
    return m_ctx->Chip.Version;
}
int32_t cZelInfo::flash() const {
    return ToLong(m_ctx->Chip.Flash);
}
int32_t cZelInfo::memory() const {
    return ToLong(m_ctx->Chip.Memory);
}
int32_t cZelInfo::eeprom() const {
    return ToLong(m_ctx->Chip.Eeprom);
}
int32_t cZelInfo::baud() const {
    return ToLong(m_ctx->Chip.Baud);
}
QString cZelInfo::id() const {
    return m_ctx->Chip.ModelId;
}
QString cZelInfo::sn() const {
    return m_ctx->Chip.Sn;
}
int16_t cZelInfo::index() const {
    return static_cast<int16_t>(std::clamp(m_ctx->Chip.SeriesIndex, -32768, 32767));
}

int16_t cZelInfo::OptCount() const {
    return static_cast<int16_t>(std::min<qsizetype>(m_ctx->Chip.OptionDescriptors.size(), 32767));
}

QString cZelInfo::OptList(int16_t index) const {
    if (index < 0 || index >= m_ctx->Chip.OptionDescriptors.size()) return {};
    const QString& descriptor = m_ctx->Chip.OptionDescriptors.at(index);
    const QString par = descriptor.section(u'-', 0, 0).trimmed();
    return DecodeOptionText(descriptor, ReadDb(*m_ctx->Db, QStringLiteral("PAR"), par),
                            m_ctx->Chip.StatusBytes);
}

}  // namespace zel
