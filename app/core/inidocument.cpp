#include "core/inidocument.h"

#include "core/textcodec.h"
#include "privateprofile.h"

#include "atomicsave.h"
#include "regularfile.h"

#include <algorithm>

namespace korvan {
namespace {

using ktext::ParseProfileLine;
using ktext::ProfileLine;

// The name of a "[name]" line, or nothing for any other line.
std::optional<QString> SectionName(const QString& line) {
    ProfileLine parsed = ParseProfileLine(line);
    if (parsed.kind != ProfileLine::Section) return std::nullopt;
    return std::move(parsed.name);
}

// The line as the reader sees it when it is a key line.
std::optional<ProfileLine> KeyLine(const QString& line) {
    ProfileLine parsed = ParseProfileLine(line);
    if (parsed.kind != ProfileLine::Key) return std::nullopt;
    return parsed;
}

QString OneLine(QString text) {
    text.replace('\r', ' ');
    text.replace('\n', ' ');
    return text;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

IniDocument IniDocument::fromBytes(const QByteArray& bytes) {
    IniDocument doc;
    const qsizetype firstLf = bytes.indexOf('\n');
    doc.crlf_ = firstLf > 0 && bytes[firstLf - 1] == '\r';
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF")) rest = rest.sliced(3);
    // Lines end in LF, CR LF or a lone CR, as for the reader.
    while (!rest.isEmpty()) {
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r') ++end;
        const QByteArrayView raw = rest.first(end);
        QString line = DecodeUtf8OrGbkLine(raw);
        if (line.contains(QChar::ReplacementCharacter))
            doc.undecodable_.insert(line, raw.toByteArray());
        doc.lines_.append(std::move(line));
        if (end < rest.size() && rest[end] == '\r' && end + 1 < rest.size() &&
            rest[end + 1] == '\n')
            ++end;
        rest = rest.sliced(std::min(end + 1, rest.size()));
    }
    return doc;
}

IniDocument IniDocument::load(const QString& path, ktext::FileError* error) {
    const auto bytes = ktext::ReadRegularFile(path, kMaxSettingsFileBytes, error);
    return bytes ? fromBytes(*bytes) : IniDocument();
}

std::optional<IniDocument> IniDocument::loadForUpdate(const QString& path,
                                                      ktext::FileError* error) {
    ktext::FileError why;
    const auto bytes = ktext::ReadRegularFile(path, kMaxSettingsFileBytes, &why);
    if (error) *error = why;
    if (bytes) return fromBytes(*bytes);
    // Only an absent file may be created; one that cannot be read must never be written over.
    if (why.kind == ktext::FileError::Missing && !path.isEmpty()) {
        if (error) *error = {};
        return IniDocument();
    }
    return std::nullopt;
}

QByteArray IniDocument::toBytes() const {
    const QByteArray eol = crlf_ ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    QByteArray bytes;
    for (const QString& line : lines_) {
        // A line that could not be decoded goes back as the bytes it was, so the replacement
        // characters of its reading never reach the file.
        const auto raw = undecodable_.constFind(line);
        bytes += raw != undecodable_.cend() ? *raw : line.toUtf8();
        bytes += eol;
    }
    return bytes;
}

bool IniDocument::save(const QString& path, ktext::FileError* error) const {
    return ktext::SaveFileAtomically(path, toBytes(), error);
}

std::optional<IniDocument::Range> IniDocument::findSection(const QString& section) const {
    const QString wanted = section.trimmed();
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i]);
        if (!name || !SameName(*name, wanted)) continue;
        qsizetype end = i + 1;
        while (end < lines_.size() && !SectionName(lines_[end])) ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<qsizetype> IniDocument::findKey(const Range& range, const QString& key) const {
    const QString wanted = key.trimmed();
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const auto kv = KeyLine(lines_[i]);
        if (kv && SameName(kv->name, wanted)) return i;
    }
    return std::nullopt;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    const auto range = findSection(section);
    if (!range) return std::nullopt;
    const auto line = findKey(*range, key);
    if (!line) return std::nullopt;
    return KeyLine(lines_[*line])->value;
}

QString IniDocument::read(const QString& section, const QString& key,
                          const QString& fallback) const {
    return value(section, key).value_or(fallback);
}

void IniDocument::write(const QString& section, const QString& key, const QString& value) {
    const QString name = OneLine(key).trimmed();
    if (name.isEmpty()) return;
    const QString line = name + '=' + OneLine(value);
    const auto range = findSection(OneLine(section));
    if (!range) {
        addSection(section);
        lines_.append(line);
        return;
    }
    if (const auto at = findKey(*range, name)) {
        // The key keeps the spelling it had in the file.
        lines_[*at] = KeyLine(lines_[*at])->name + '=' + OneLine(value);
        return;
    }
    qsizetype insertAt = range->end;
    while (insertAt > range->header + 1 && lines_[insertAt - 1].trimmed().isEmpty()) --insertAt;
    lines_.insert(insertAt, line);
}

void IniDocument::addSection(const QString& section) {
    if (findSection(OneLine(section))) return;
    if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty()) lines_.append(QString());
    lines_.append('[' + OneLine(section).trimmed() + ']');
}

void IniDocument::removeKey(const QString& section, const QString& key) {
    const auto range = findSection(section);
    if (!range) return;
    if (const auto at = findKey(*range, key)) lines_.removeAt(*at);
}

void IniDocument::removeSection(const QString& section) {
    while (const auto range = findSection(section)) {
        lines_.remove(range->header, range->end - range->header);
    }
}

bool IniDocument::hasSection(const QString& section) const {
    return findSection(section).has_value();
}

QStringList IniDocument::sectionNames() const {
    QStringList names;
    for (const QString& line : lines_) {
        if (const auto name = SectionName(line)) names.append(*name);
    }
    return names;
}

QStringList IniDocument::keys(const QString& section) const {
    QStringList names;
    const auto range = findSection(section);
    if (!range) return names;
    for (qsizetype i = range->header + 1; i < range->end; ++i) {
        if (const auto kv = KeyLine(lines_[i])) names.append(kv->name);
    }
    return names;
}

}  // namespace korvan
