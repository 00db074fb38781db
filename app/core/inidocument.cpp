#include "core/inidocument.h"

#include "core/textcodec.h"
#include "privateprofile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    QString text = DecodeUtf8OrGbk(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace('\r', '\n');
    doc.lines_ = text.split('\n');
    if (!doc.lines_.isEmpty() && doc.lines_.last().isEmpty()) doc.lines_.removeLast();
    return doc;
}

IniDocument IniDocument::load(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
    return fromBytes(file.readAll());
}

std::optional<IniDocument> IniDocument::loadForUpdate(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    QFile file(path);
    if (!file.exists()) return IniDocument();
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return fromBytes(file.readAll());
}

QByteArray IniDocument::toBytes() const {
    const QString eol = crlf_ ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    for (const QString& line : lines_) text += line + eol;
    return text.toUtf8();
}

bool IniDocument::save(const QString& path) const {
    if (path.isEmpty()) return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = toBytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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
