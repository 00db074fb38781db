// Installing the embedded catalogues. Every module embeds its own as ":/i18n/<module>_en.qm"
// (CMake's korvan_add_translations), so the catalogues present are those of the modules
// loaded. State lives on the application object, not in this library, because the library is
// linked into both the programs and libzel.so: each copy sees the same catalogues.
#pragma once

#include "language.h"

#include <QString>
#include <QStringList>

namespace korvan::i18n {

// Installs every embedded catalogue for `language` that is not installed yet, or removes them
// all for Chinese, and remembers the choice. Call again after loading a library that brings
// its own catalogue (installCurrentLanguage). Returns false when English is asked for and no
// English catalogue is embedded (a build without Qt's translation tools); Chinese then stays.
// Needs a QCoreApplication.
bool installTranslations(Language language);

// The language last installed; Chinese before any choice.
Language currentLanguage();
// Installs the catalogues that arrived since the last choice (a library loaded later).
bool installCurrentLanguage();

// What a command-line program says when English is asked for and not built in (%1: the
// program), in both languages since none could be chosen.
inline const QString kEnglishNotBuiltIn = QStringLiteral(
    "%1: English is not built into this program (it was built without Qt's translation tools)\n"
    "%1：程序构建时没有英文翻译\n");

// The embedded English catalogues, by name ("zel_en.qm"...), sorted.
QStringList embeddedCatalogues();

}  // namespace korvan::i18n
