// One INI text in memory, for editing. Lines are classified and values read by the shared
// private-profile reader's rules (ktext::ParseProfileLine), so an edit finds exactly the key a
// read finds; a write changes one line in place and keeps the rest of the text as it was.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

#include "fileerror.h"
#include "privateprofile.h"

namespace korvan {

class IniDocument {
  public:
    // The longest value a read returns (the platform reads into 2048 characters, NUL included).
    static constexpr qsizetype kMaxValueLength = ktext::PrivateProfile::kMaxValueLength;

    // Settings files are a few kilobytes; a larger file is refused, neither read nor written.
    static constexpr qint64 kMaxSettingsFileBytes = 4 * 1024 * 1024;

    IniDocument() = default;
    // Line by line: UTF-8 where a line is valid UTF-8, GBK where it is not.
    static IniDocument fromBytes(const QByteArray& bytes);
    // A missing or unreadable file, one that is not a regular file, or one larger than
    // kMaxSettingsFileBytes gives an empty document; `error` says which.
    static IniDocument load(const QString& path, ktext::FileError* error = nullptr);
    // For a read-modify-write: an absent file gives an empty document; a file that exists but
    // cannot be read, is too large or is not a regular file gives nothing (so that a write
    // can never wipe it).
    static std::optional<IniDocument> loadForUpdate(const QString& path,
                                                    ktext::FileError* error = nullptr);

    // UTF-8 text; line ends as in the text that was loaded (LF for a new text). A line that
    // was neither UTF-8 nor GBK and is unchanged goes back as its original bytes.
    QByteArray toBytes() const;
    // Replaces the file atomically: every write and fsync is checked, and on any failure
    // (a full disk) the old file stays as it was and `error` says why. Creates the folder.
    bool save(const QString& path, ktext::FileError* error = nullptr) const;

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
    // Lines that held bytes neither UTF-8 nor GBK: their text as read -> the original bytes.
    QHash<QString, QByteArray> undecodable_;
};

}  // namespace korvan
