#include "language.h"

#include <QtGlobal>

namespace korvan::i18n {

namespace {

const QString kOption = QStringLiteral("--lang");

// Said before any language is chosen, so in both.
QString badLanguage(const QString& value) {
    return QStringLiteral(
               "--lang：未知的语言 \"%1\"（可用 zh 或 en）\n"
               "--lang: unknown language \"%1\" (use zh or en)")
        .arg(value);
}
QString missingLanguage() {
    return QStringLiteral(
        "--lang 后面缺少语言（zh 或 en）\n"
        "--lang needs a language (zh or en)");
}
QString badEnvironment(const QString& value) {
    return QStringLiteral(
               "KORVAN_LANG：未知的语言 \"%1\"（可用 zh 或 en）\n"
               "KORVAN_LANG: unknown language \"%1\" (use zh or en)")
        .arg(value);
}

}  // namespace

std::optional<Language> parseLanguage(const QString& code) {
    const QString c = code.trimmed().toLower();
    if (c == QStringLiteral("zh")) return Language::Chinese;
    if (c == QStringLiteral("en")) return Language::English;
    return std::nullopt;
}

QString languageCode(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("zh");
}

CommandLineLanguage languageFromCommandLine(const QStringList& arguments,
                                            const QByteArray& environmentValue) {
    CommandLineLanguage result;
    std::optional<QString> chosen;
    // The program's name is not an option.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QStringLiteral("--")) break;
        if (a == kOption) {
            if (i + 1 >= arguments.size()) {
                result.error = missingLanguage();
                return result;
            }
            chosen = arguments[++i];
        } else if (a.startsWith(kOption + QLatin1Char('='))) {
            chosen = a.mid(kOption.size() + 1);
        }
    }
    if (chosen) {
        const auto language = parseLanguage(*chosen);
        if (!language) {
            result.error = badLanguage(*chosen);
            return result;
        }
        result.language = *language;
        return result;
    }
    // An empty KORVAN_LANG is as good as none.
    const QString fromEnvironment = QString::fromLocal8Bit(environmentValue).trimmed();
    if (fromEnvironment.isEmpty()) return result;
    const auto language = parseLanguage(fromEnvironment);
    if (!language) {
        result.error = badEnvironment(fromEnvironment);
        return result;
    }
    result.language = *language;
    return result;
}

CommandLineLanguage languageFromCommandLine(const QStringList& arguments) {
    return languageFromCommandLine(arguments, qgetenv("KORVAN_LANG"));
}

QStringList withoutLanguageOption(const QStringList& arguments) {
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QStringLiteral("--")) {
            kept += arguments.mid(i);
            break;
        }
        if (i > 0 && a == kOption) {
            ++i;  // and its value
            continue;
        }
        if (i > 0 && a.startsWith(kOption + QLatin1Char('='))) continue;
        kept += a;
    }
    return kept;
}

}  // namespace korvan::i18n
