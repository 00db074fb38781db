#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>
#include <QVariant>

namespace korvan::i18n {

namespace {

const char kLanguageProperty[] = "korvan.i18n.language";
// Every translator installed here carries this prefix and its catalogue's name, so that any
// copy of this library finds them again.
const QString kTranslatorPrefix = QStringLiteral("korvan.i18n:");
const QString kFolder = QStringLiteral(":/i18n");

QList<QTranslator*> installedTranslators() {
    QList<QTranslator*> found;
    if (!QCoreApplication::instance()) return found;
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>(
             QString(), Qt::FindDirectChildrenOnly)) {
        if (t->objectName().startsWith(kTranslatorPrefix)) found += t;
    }
    return found;
}

}  // namespace

QStringList embeddedCatalogues() {
    QStringList names = QDir(kFolder).entryList({QStringLiteral("*_en.qm")}, QDir::Files);
    names.sort();
    return names;
}

Language currentLanguage() {
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app) return Language::Chinese;
    return app->property(kLanguageProperty).toString() == QStringLiteral("en") ? Language::English
                                                                               : Language::Chinese;
}

bool installTranslations(Language language) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return language == Language::Chinese;
    if (language == Language::Chinese) {
        for (QTranslator* t : installedTranslators()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        app->setProperty(kLanguageProperty, languageCode(language));
        return true;
    }
    const QStringList catalogues = embeddedCatalogues();
    if (catalogues.isEmpty()) return false;
    QStringList installed;
    for (const QTranslator* t : installedTranslators())
        installed += t->objectName().mid(kTranslatorPrefix.size());
    for (const QString& name : catalogues) {
        if (installed.contains(name)) continue;
        auto* translator = new QTranslator(app);
        if (!translator->load(name, kFolder)) {
            delete translator;
            continue;
        }
        translator->setObjectName(kTranslatorPrefix + name);
        QCoreApplication::installTranslator(translator);
    }
    app->setProperty(kLanguageProperty, languageCode(language));
    return true;
}

bool installCurrentLanguage() {
    return installTranslations(currentLanguage());
}

}  // namespace korvan::i18n
