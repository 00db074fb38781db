// The option rows as shown, in the language installed now. zel.db is Chinese data that other
// tools read too, so it stays as it is: its captions and choices translate where they are
// shown, keyed by the trimmed Chinese text in the context "zel.db". A text without a
// translation stays as written, padding included, so the Chinese rows are shown exactly as the
// database lays them out.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "optionmodel.h"

namespace zel::options {

// A caption or choice of zel.db translated, or `text` itself when there is no translation.
QString DbText(const QString& text);

// A caption shown without its colon (korvan-cli's option list) translated the same way; the
// translation then has no colon either.
QString DbCaption(const QString& caption);

// A line of the chip record's option list ("<caption>：   <choice>", as OptList gives it) with
// its caption and choice translated; the line as it is when neither has a translation.
QString DbOptionLine(const QString& line);

struct ShownRow {
    OptionRow row;
    bool translated = false;  // the caption has a translation: its padding no longer fits
};

// Row `index` of the model with its texts translated. The state (kind, selection, enabled)
// is the model's, unchanged.
ShownRow ShowRow(const OptionRow& row, int index);

// Translated captions have lost the database's padding, which put the choices in columns. Pads
// them with spaces so that the choices of every translated row start in one column after the
// widest caption, and pads a translated first choice so the second one clears it by a gap.
// Untranslated rows are left as they are.
void PadTranslatedRows(std::vector<ShownRow>& rows,
                       const std::function<int(const QString&)>& textWidth);

}  // namespace zel::options
