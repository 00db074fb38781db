#include "main/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace korvan {

QLocale DialogLocale(const QLocale& user) {
    if (user.language() == QLocale::Chinese) return user;
    return QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
}

QTranslator* InstallQtTranslations(QCoreApplication& app, const QLocale& user) {
    auto* translator = new QTranslator(&app);
    // "qt" names the catalogue that pulls in qtbase and the other modules' files.
    if (!translator->load(DialogLocale(user), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

}  // namespace korvan
