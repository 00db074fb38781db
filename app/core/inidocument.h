// One INI text in memory, for editing. Lines are classified and values read by the shared
// private-profile reader's rules (ktext::ParseProfileLine), so an edit finds exactly the key a
// read finds; a write changes one line in place and keeps the rest of the text as it was.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "privateprofile.h"

namespace korvan {

class IniDocument {
  public:
    // The longest value a read returns (the platform reads into 2048 characters, NUL included).
    static constexpr qsizetype kMaxValueLength = ktext::PrivateProfile::kMaxValueLength;

    IniDocument() = default;
    // Decodes UTF-8, or GBK when the bytes are not valid UTF-8.
    static IniDocument fromBytes(const QByteArray& bytes);
    // A missing or unreadable file gives an empty document.
    static IniDocument load(const QString& path);
    // For a read-modify-write: an absent file gives an empty document, a file that exists
    // but cannot be read gives nothing (so that a write cannot wipe it).
    static std::optional<IniDocument> loadForUpdate(const QString& path);

    // UTF-8 text; line ends as in the text that was loaded (LF for a new text).
    QByteArray toBytes() const;
    // Replaces the file atomically (a crash leaves the old file or the new one, never half of
    // one); creates the folder when missing.
    bool save(const QString& path) const;

    // The value, or nothing when the section or the key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;
    QString read(const QString& section, const QString& key, const QString& fallback) const;
    // Line breaks in names and values become blanks, so a value can never turn into lines.
    void write(const QString& section, const QString& key, const QString& value);
    void removeKey(const QString& section, const QString& key);
    // Appends an empty section unless one of this name exists.
    void addSection(const QString& section);
    // Removes every section of this name.
    void removeSection(const QString& section);

    bool hasSection(const QString& section) const;
    QStringList sectionNames() const;
    QStringList keys(const QString& section) const;
    bool isEmpty() const { return lines_.isEmpty(); }

  private:
    struct Range {
        qsizetype header = -1;  // the "[name]" line
        qsizetype end = -1;     // first line after the section's body
    };
    std::optional<Range> findSection(const QString& section) const;
    std::optional<qsizetype> findKey(const Range& range, const QString& key) const;

    QStringList lines_;
    bool crlf_ = false;
};

}  // namespace korvan
