#include "dbtext.h"

#include <QCoreApplication>

namespace korvan::i18n {

QString DbText(const QString& text) {
    const QString key = text.trimmed();
    if (key.isEmpty()) return text;
    const QByteArray source = key.toUtf8();
    const QString translated = QCoreApplication::translate("zel.db", source.constData());
    return translated == key ? text : translated;
}

QString DbCaption(const QString& caption) {
    const QString direct = DbText(caption);
    if (direct != caption) return direct;
    const QString withColon = caption.trimmed() + QStringLiteral("：");
    QString translated = DbText(withColon);
    if (translated == withColon) return caption;
    while (translated.endsWith(QLatin1Char(':'))) translated.chop(1);
    return translated.trimmed();
}

QString DbOptionLine(const QString& line) {
    const qsizetype colon = line.indexOf(QStringLiteral("："));
    if (colon < 0) return DbText(line);
    const QString caption = line.left(colon + 1);
    const QString choice = line.mid(colon + 1).trimmed();
    const QString shownCaption = DbText(caption);
    const QString shownChoice = DbText(choice);
    if (shownCaption == caption && shownChoice == choice) return line;
    return shownCaption.trimmed() + QLatin1Char(' ') + shownChoice;
}

}  // namespace korvan::i18n
