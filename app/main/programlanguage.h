// The language the desktop program speaks: KORVAN's and the ZEL control's catalogues, and Qt's
// own dialogs to match (Qt's Chinese for Chinese, Qt's built-in English for English).
#pragma once

#include "translations.h"

#include <QLocale>

namespace korvan {

// Installs `language` for the whole process; the open windows receive QEvent::LanguageChange.
// False when English is asked for and the program was built without its catalogues: it then
// stays Chinese.
bool ApplyProgramLanguage(i18n::Language language, const QLocale& user = QLocale::system());

}  // namespace korvan
