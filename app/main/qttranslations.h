// Qt's own dialogs (file dialogs, the find box, standard buttons) in the language of KORVAN's
// windows: the user's Chinese where the locale is Chinese, simplified Chinese otherwise, since
// KORVAN's own texts are Chinese.
#pragma once

#include <QLocale>

class QCoreApplication;
class QTranslator;

namespace korvan {

QLocale DialogLocale(const QLocale& user);
// Installs Qt's translations for DialogLocale(user) on `app`, which owns the translator
// returned; nullptr when Qt's translations are not installed (the dialogs stay English).
QTranslator* InstallQtTranslations(QCoreApplication& app, const QLocale& user = QLocale::system());

}  // namespace korvan
