#include "catalogcheck.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace korvan::i18n::test {

QStringList placeholders(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("%L?(?:[1-9][0-9]?|n)"));
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();) found += it.next().captured();
    found.sort();
    return found;
}

namespace {

struct Message {
    QString context;
    QString source;
    QStringList translations;  // one, or one per numerus form
    QString type;              // of the <translation> element
    bool numerus = false;
    bool english = false;
};

void check(const Message& m, QStringList& problems) {
    const QString where = m.context + QStringLiteral(": ") + m.source + QStringLiteral(": ");
    if (m.type == QStringLiteral("unfinished")) {
        problems += where + QStringLiteral("unfinished");
        return;
    }
    if (m.type == QStringLiteral("obsolete") || m.type == QStringLiteral("vanished")) {
        problems +=
            where + QStringLiteral("no longer in the program (") + m.type + QStringLiteral(")");
        return;
    }
    if (m.translations.isEmpty()) {
        problems += where + QStringLiteral("no translation");
        return;
    }
    const QStringList wanted = placeholders(m.source);
    for (const QString& t : m.translations) {
        if (t.trimmed().isEmpty() && !m.source.trimmed().isEmpty()) {
            problems += where + QStringLiteral("empty translation");
            continue;
        }
        // Han characters left in an English text are a text nobody translated.
        static const QRegularExpression han(QStringLiteral("\\p{Han}"));
        if (m.english && t.contains(han))
            problems += where + QStringLiteral("Chinese left in \"") + t + QStringLiteral("\"");
        QStringList got = placeholders(t);
        // A plural form may spell the number out instead of %n ("one chip").
        if (m.numerus) got.removeAll(QStringLiteral("%n"));
        QStringList expected = wanted;
        if (m.numerus) expected.removeAll(QStringLiteral("%n"));
        if (got != expected)
            problems += where + QStringLiteral("placeholders ") + wanted.join(QLatin1Char(' ')) +
                        QStringLiteral(" in the source, ") +
                        placeholders(t).join(QLatin1Char(' ')) + QStringLiteral(" in \"") + t +
                        QStringLiteral("\"");
    }
}

}  // namespace

QStringList catalogueProblems(const QByteArray& tsXml) {
    QStringList problems;
    QXmlStreamReader xml(tsXml);
    QString context;
    Message message;
    bool inMessage = false;
    bool sawTs = false;
    bool english = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QStringLiteral("TS")) {
                sawTs = true;
                english = xml.attributes()
                              .value(QStringLiteral("language"))
                              .startsWith(QStringLiteral("en"));
            } else if (name == QStringLiteral("name") && !inMessage) {
                context = xml.readElementText();
            } else if (name == QStringLiteral("message")) {
                inMessage = true;
                message = Message{};
                message.context = context;
                message.english = english;
                message.numerus =
                    xml.attributes().value(QStringLiteral("numerus")) == QStringLiteral("yes");
            } else if (inMessage && name == QStringLiteral("source")) {
                message.source = xml.readElementText();
            } else if (inMessage && name == QStringLiteral("translation")) {
                message.type = xml.attributes().value(QStringLiteral("type")).toString();
                if (!message.numerus) {
                    const QString t = xml.readElementText();
                    if (!t.isEmpty() || message.source.isEmpty()) message.translations += t;
                }
            } else if (inMessage && name == QStringLiteral("numerusform")) {
                message.translations += xml.readElementText();
            }
        } else if (xml.isEndElement() && xml.name() == QStringLiteral("message")) {
            inMessage = false;
            check(message, problems);
        }
    }
    if (xml.hasError())
        problems += QStringLiteral("not a readable .ts file: ") + xml.errorString();
    else if (!sawTs)
        problems += QStringLiteral("not a .ts file");
    return problems;
}

}  // namespace korvan::i18n::test
