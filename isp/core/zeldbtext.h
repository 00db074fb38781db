// The text of a zel.db file: sections of key = value rows, looked up the way the Windows
// private-profile reader does (names compare without regard to case, keys and values trimmed,
// one pair of enclosing double quotes removed, ';' starts a comment line).
#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <memory>

namespace zel {

class DbText {
  public:
    // Indexes decoded text. Only the first section of a name and the first row of a key count.
    static DbText Parse(QStringView text);

    // The value, or "" when the section or key is missing.
    QString value(QStringView section, QStringView key) const;
    bool hasSection(QStringView section) const;

  private:
    QHash<QString, QHash<QString, QString>> m_sections;  // case-folded names
};

// The contents of the file at `path`, decoded from GBK; empty when the file cannot be read.
// The result is reused while the file's bytes are unchanged, so repeated lookups are cheap and
// an edit is seen by the next lookup.
std::shared_ptr<const DbText> LoadDbText(const QString& path);

}  // namespace zel
