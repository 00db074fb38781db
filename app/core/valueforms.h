// The forms in which settings are stored as INI text: Booleans "True"/"False", integers read
// by their leading number, free text in double quotes, paths with the "%AppPath%" token.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace korvan {

inline const QString kAppPathToken = QStringLiteral("%AppPath%");

// Leading blanks skipped, then an optional sign and decimal digits up to the first other
// character, or "&H" and hexadecimal digits. No digits (or empty text) give 0; a value
// beyond 64 bits saturates.
qint64 ParseLeadingNumber(QStringView text);

// Like ParseLeadingNumber, limited to the 32-bit range.
qint32 ParseLeadingInt32(QStringView text);

// "True", "False" (any letter case) or a whole number (non-zero is true); nothing for any
// other text, so that the caller keeps its previous value.
std::optional<bool> ParseBoolText(QStringView text);

QString BoolText(bool value);

// Encloses free text in double quotes, so that its leading and trailing blanks survive the
// trimming of a read (which strips one pair of quotes).
QString QuoteValue(const QString& text);

// `path` with a leading `folder` (ending in "/") replaced by "%AppPath%". Only a leading
// folder is replaced: the same text deeper in a path is part of another path.
QString CollapseAppPath(const QString& path, const QString& folder);

// Every "%AppPath%" replaced by `folder`. The token is matched with `tokenCase`.
QString ExpandAppPath(const QString& text, const QString& folder, Qt::CaseSensitivity tokenCase);

}  // namespace korvan
