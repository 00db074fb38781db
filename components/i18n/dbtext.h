// The captions and choices of zel.db in the language installed now. zel.db is Chinese data that
// other tools read too, so it stays as it is: its texts translate where they are shown, keyed by
// the trimmed Chinese text in the context "zel.db". A text without a translation stays as
// written, padding included, so the Chinese rows are shown exactly as the database lays them
// out. The option editor, korvan-cli and the desktop program's lists and chip tree all show
// them through these.
#pragma once

#include <QString>

namespace korvan::i18n {

// A caption or choice of zel.db translated, or `text` itself when there is no translation.
QString DbText(const QString& text);

// A caption shown without its colon (korvan-cli's option list) translated the same way; the
// translation then has no colon either.
QString DbCaption(const QString& caption);

// A line of the chip record's option list ("<caption>：   <choice>", as OptList gives it) with
// its caption and choice translated; the line as it is when neither has a translation.
QString DbOptionLine(const QString& line);

}  // namespace korvan::i18n
