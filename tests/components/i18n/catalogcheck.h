// Checks a Qt Linguist .ts file for what would leave a user with a Chinese or broken text in
// the English program: an entry without its translation, an obsolete entry, a translation
// whose placeholders differ from its source's.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace korvan::i18n::test {

// One line per problem ("context: source: what is wrong"); empty when the file is sound.
QStringList catalogueProblems(const QByteArray& tsXml);

// The placeholders of a text, sorted: "%1", "%L2", "%n"... ("3%" is no placeholder).
QStringList placeholders(const QString& text);

}  // namespace korvan::i18n::test
