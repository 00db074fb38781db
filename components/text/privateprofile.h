// The one reader of private-profile (INI) text, shared by the chip database, the settings and
// the port table. It reads the way the platform's private-profile calls do: section and key
// names compare without regard to case, names and values are trimmed, one pair of enclosing
// double quotes is stripped from a value, the first section and the first key of a name win,
// lines starting with ';' are comments, and a value is at most 2047 characters long.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace ktext {

// How the bytes of a profile are decoded.
enum class ProfileEncoding {
    Utf8OrGbk,  // UTF-8, or GBK when the bytes are not valid UTF-8 (settings files)
    Gbk,        // always GBK (the chip database)
};

// One line of profile text as the reader classifies it. Writers use it too, so that what they
// edit is exactly what the reader finds.
struct ProfileLine {
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    QString name;   // trimmed section or key name
    QString value;  // Key only: the value as a read returns it
};
ProfileLine ParseProfileLine(QStringView line);

// Line by line: UTF-8 where a line is valid UTF-8, GBK where it is not (a leading byte-order
// mark dropped). Lines end at LF or CR; line ends are kept.
QString DecodeUtf8OrGbk(QByteArrayView bytes);
// One line (or any text without line ends) by the same rule.
QString DecodeUtf8OrGbkLine(QByteArrayView line);

class PrivateProfile {
  public:
    // The longest value a read returns (the platform reads into 2048 characters, NUL included).
    static constexpr qsizetype kMaxValueLength = 2047;
    // A profile is a few kilobytes (the chip database a few hundred); a larger file is not
    // read at all, so that a stray huge file can neither exhaust memory nor be half read.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    PrivateProfile() = default;
    static PrivateProfile fromText(QStringView text);
    static PrivateProfile fromBytes(QByteArrayView bytes,
                                    ProfileEncoding encoding = ProfileEncoding::Utf8OrGbk);
    // A missing or unreadable file, one larger than kMaxFileBytes, or anything but a regular
    // file (a folder, a FIFO, a device) gives nothing.
    static std::optional<PrivateProfile> load(const QString& path,
                                              ProfileEncoding encoding = ProfileEncoding::Utf8OrGbk,
                                              qint64 maxBytes = kMaxFileBytes);

    // The value, or nothing when the section or the key is missing.
    std::optional<QString> value(QStringView section, QStringView key) const;
    // The value, or `fallback` when the section or the key is missing.
    QString read(QStringView section, QStringView key, const QString& fallback = {}) const;
    bool hasSection(QStringView section) const;
    // Section names and the keys of a section, in the order of the text, first spellings.
    QStringList sectionNames() const;
    QStringList keys(QStringView section) const;
    bool isEmpty() const { return m_sections.isEmpty(); }

  private:
    struct Section {
        QString name;
        QStringList keys;                // first spellings, in order
        QHash<QString, QString> values;  // case-folded key -> value
    };
    const Section* find(QStringView section) const;

    QList<Section> m_sections;
    QHash<QString, qsizetype> m_index;  // case-folded section name -> position
};

}  // namespace ktext
