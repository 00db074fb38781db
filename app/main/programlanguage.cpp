#include "main/programlanguage.h"

#include <QCoreApplication>
#include <QTranslator>

#include "main/qttranslations.h"

namespace korvan {

namespace {

const QString kQtTranslatorName = QStringLiteral("korvan.qt");

QTranslator* installedQtTranslator() {
    return QCoreApplication::instance()->findChild<QTranslator*>(kQtTranslatorName,
                                                                 Qt::FindDirectChildrenOnly);
}

}  // namespace

bool ApplyProgramLanguage(i18n::Language language, const QLocale& user) {
    if (!QCoreApplication::instance()) return false;
    const bool installed = i18n::installTranslations(language);
    const i18n::Language now = installed ? language : i18n::Language::Chinese;
    QTranslator* qt = installedQtTranslator();
    if (now == i18n::Language::English && qt) {
        QCoreApplication::removeTranslator(qt);
        delete qt;
    } else if (now == i18n::Language::Chinese && !qt) {
        if (QTranslator* loaded = InstallQtTranslations(*QCoreApplication::instance(), user))
            loaded->setObjectName(kQtTranslatorName);
    }
    return installed;
}

}  // namespace korvan
