// The text of a zel.db file: sections of key = value rows, looked up the way the Windows
// private-profile reader does (names compare without regard to case, keys and values trimmed,
// one pair of enclosing double quotes removed, ';' starts a comment line).
#pragma once

#include <QString>
#include <QStringView>
#include <memory>
#include <utility>

namespace zel {

class DbText {
  public:
    DbText() = default;
    explicit DbText(QString text) : m_text(std::move(text)) {}
    static DbText Parse(QStringView text) { return DbText(text.toString()); }

    // The value, or "" when the section or key is missing. Only the first section of a name and
    // the first row of a key count. Each lookup scans the text: a database is a few hundred
    // lines asked a handful of questions per job, so no index is kept.
    QString value(QStringView section, QStringView key) const;
    bool hasSection(QStringView section) const;

  private:
    QString m_text;
};

// The contents of the file at `path`, decoded from GBK; empty when the file cannot be read.
// The decoded text is reused while the file is unchanged on disk, so repeated lookups are cheap
// and an edit is seen by the next lookup.
std::shared_ptr<const DbText> LoadDbText(const QString& path);

}  // namespace zel
