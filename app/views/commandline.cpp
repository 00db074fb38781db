#include "views/commandline.h"

#include <QFileInfo>

namespace korvan {

namespace {

// "/" and one character standing alone; absolute paths start with "/" here too.
bool IsSwitch(const QString& text) {
    return text.size() == 2 && text.at(0) == QLatin1Char('/') && !text.at(1).isSpace();
}

}  // namespace

bool FileExistsOnDisk(const QString& name) {
    return !name.isEmpty() && QFileInfo::exists(name);
}

QString FileArgument(const QString& given, const FileExists& exists) {
    const QChar quote = QLatin1Char('"');
    if (given.size() < 2 || !given.startsWith(quote) || !given.endsWith(quote) || exists(given))
        return given;
    return given.mid(1, given.size() - 2);
}

CommandLine ParseStartArguments(const QStringList& arguments, const FileExists& exists) {
    CommandLine line;
    if (arguments.isEmpty()) return line;
    if (IsSwitch(arguments.first())) {
        line.Switch = arguments.first();
        line.File = FileArgument(arguments.mid(1).join(QLatin1Char(' ')), exists);
        return line;
    }
    const QString& first = arguments.first();
    if (arguments.size() == 1 && IsSwitch(first.left(2)) && first.size() > 2 &&
        first.at(2).isSpace() && !exists(first))
        return ParseCommandLine(first, exists);
    // A caller that did not quote a name with blanks hands it over in pieces.
    line.File = FileArgument(arguments.join(QLatin1Char(' ')), exists);
    return line;
}

CommandLine ParseCommandLine(const QString& whole, const FileExists& exists) {
    const QString text = whole.trimmed();
    CommandLine line;
    const bool isSwitch = IsSwitch(text.left(2)) && (text.size() == 2 || text.at(2).isSpace());
    if (!isSwitch) {
        line.File = FileArgument(text, exists);
        return line;
    }
    line.Switch = text.left(2);
    // One separator follows the switch; blanks beyond it would only make a name that no file
    // has, so they go too.
    line.File = FileArgument(text.mid(3).trimmed(), exists);
    return line;
}

QString AppVersionText(int major, int minor, int revision) {
    QString text = QStringLiteral("%1.%2").arg(major).arg(minor);
    if (revision > 0) text += QStringLiteral(".%1").arg(revision);
    return text;
}

}  // namespace korvan
