// Which language the programs speak, and how a command-line program is told. Chinese is the
// default, always: the locale alone never switches, so scripts that read today's output keep
// working.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace korvan::i18n {

enum class Language { Chinese, English };

// "zh" or "en" (any case, surrounding spaces ignored); anything else is no language.
std::optional<Language> parseLanguage(const QString& code);
// "zh" or "en", as stored in settings.
QString languageCode(Language language);

// The command line's choice: "--lang en", "--lang=en", else KORVAN_LANG, else Chinese. The
// option may stand anywhere; the last one wins. A bad value (or "--lang" at the end) is an
// error, with a message in both languages, since no language is chosen yet.
struct CommandLineLanguage {
    Language language = Language::Chinese;
    QString error;  // empty when the choice is sound
};
CommandLineLanguage languageFromCommandLine(const QStringList& arguments,
                                            const QByteArray& environmentValue);
// The same, reading KORVAN_LANG from the environment.
CommandLineLanguage languageFromCommandLine(const QStringList& arguments);

// The arguments without the "--lang" options, for parsers that do not know them.
QStringList withoutLanguageOption(const QStringList& arguments);

}  // namespace korvan::i18n
