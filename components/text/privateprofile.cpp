#include "privateprofile.h"

#include <QStringDecoder>
#include <algorithm>

#include "gbkcodec.h"
#include "regularfile.h"

namespace ktext {
namespace {

QString Folded(QStringView name) {
    return name.trimmed().toString().toCaseFolded();
}

bool IsAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

QString ReadValue(QStringView raw) {
    raw = raw.trimmed();
    if (raw.size() >= 2 && raw.front() == u'"' && raw.back() == u'"')
        raw = raw.mid(1, raw.size() - 2);
    return raw.left(PrivateProfile::kMaxValueLength).toString();
}

}  // namespace

ProfileLine ParseProfileLine(QStringView line) {
    line = line.trimmed();
    ProfileLine parsed;
    if (line.isEmpty() || line.front() == u';') return parsed;
    if (line.front() == u'[') {
        const qsizetype close = line.lastIndexOf(u']');
        if (close < 1) return parsed;
        parsed.kind = ProfileLine::Section;
        parsed.name = line.mid(1, close - 1).trimmed().toString();
        return parsed;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0) return parsed;
    const QStringView name = line.left(eq).trimmed();
    if (name.isEmpty()) return parsed;
    parsed.kind = ProfileLine::Key;
    parsed.name = name.toString();
    parsed.value = ReadValue(line.mid(eq + 1));
    return parsed;
}

QString DecodeUtf8OrGbkLine(QByteArrayView line) {
    if (IsAscii(line)) return QString::fromLatin1(line);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(line);
    if (!utf8.hasError()) return text;
    return DecodeGbk(line);
}

QString DecodeUtf8OrGbk(QByteArrayView bytes) {
    if (IsAscii(bytes)) return QString::fromLatin1(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
    // Line by line: one stray byte (or a line pasted from an older installation) decodes that
    // line alone as GBK and leaves every UTF-8 line as it is.
    QString text;
    text.reserve(bytes.size());
    while (!bytes.isEmpty()) {
        // A line ends at LF or CR (the reader's line ends), which stay with it.
        qsizetype end = 0;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        text += DecodeUtf8OrGbkLine(bytes.first(end));
        if (end < bytes.size()) text += QLatin1Char(bytes[end++]);
        bytes = bytes.sliced(end);
    }
    return text;
}

PrivateProfile PrivateProfile::fromText(QStringView text) {
    PrivateProfile profile;
    Section* current = nullptr;  // null outside a section and in a repeated one
    // Lines end in LF, CR LF or a lone CR.
    for (QStringView lfLine : text.tokenize(u'\n')) {
        for (QStringView line : lfLine.tokenize(u'\r')) {
            const ProfileLine parsed = ParseProfileLine(line);
            if (parsed.kind == ProfileLine::Section) {
                const QString folded = Folded(parsed.name);
                if (profile.m_index.contains(folded)) {
                    current = nullptr;
                    continue;
                }
                profile.m_index.insert(folded, profile.m_sections.size());
                profile.m_sections.append(Section{parsed.name, {}, {}});
                current = &profile.m_sections.last();
            } else if (parsed.kind == ProfileLine::Key && current) {
                const QString folded = Folded(parsed.name);
                if (current->values.contains(folded)) continue;
                current->keys.append(parsed.name);
                current->values.insert(folded, parsed.value);
            }
        }
    }
    return profile;
}

PrivateProfile PrivateProfile::fromBytes(QByteArrayView bytes, ProfileEncoding encoding) {
    return fromText(encoding == ProfileEncoding::Gbk ? DecodeGbk(bytes) : DecodeUtf8OrGbk(bytes));
}

std::optional<PrivateProfile> PrivateProfile::load(const QString& path, ProfileEncoding encoding,
                                                   qint64 maxBytes) {
    const auto bytes = ReadRegularFile(path, maxBytes);
    if (!bytes) return std::nullopt;
    return fromBytes(*bytes, encoding);
}

const PrivateProfile::Section* PrivateProfile::find(QStringView section) const {
    const auto at = m_index.constFind(Folded(section));
    return at == m_index.cend() ? nullptr : &m_sections.at(*at);
}

std::optional<QString> PrivateProfile::value(QStringView section, QStringView key) const {
    const Section* s = find(section);
    if (!s) return std::nullopt;
    const auto v = s->values.constFind(Folded(key));
    if (v == s->values.cend()) return std::nullopt;
    return *v;
}

QString PrivateProfile::read(QStringView section, QStringView key, const QString& fallback) const {
    return value(section, key).value_or(fallback);
}

bool PrivateProfile::hasSection(QStringView section) const {
    return find(section) != nullptr;
}

QStringList PrivateProfile::sectionNames() const {
    QStringList names;
    for (const Section& s : m_sections) names.append(s.name);
    return names;
}

QStringList PrivateProfile::keys(QStringView section) const {
    const Section* s = find(section);
    return s ? s->keys : QStringList();
}

}  // namespace ktext
