// The option rows as shown, in the language installed now: zel.db's captions and choices
// translated where they are shown, the database itself left as it is.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "dbtext.h"
#include "optionmodel.h"

namespace zel::options {

// zel.db's captions and choices in the language installed now (components/i18n/dbtext.h).
using korvan::i18n::DbCaption;
using korvan::i18n::DbOptionLine;
using korvan::i18n::DbText;

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
