#include "views/commandline.h"

namespace korvan {

CommandLine ParseCommandLine(const QString& whole) {
    QString text = whole.trimmed();
    text.remove(QLatin1Char('"'));
    CommandLine line;
    // Absolute paths start with "/" here, so a switch is "/" and one character standing alone.
    const bool isSwitch = text.size() >= 2 && text.startsWith(QLatin1Char('/')) &&
                          (text.size() == 2 || text.at(2).isSpace());
    if (!isSwitch) {
        line.File = text;
        return line;
    }
    line.Switch = text.left(2);
    // One separator follows the switch; blanks beyond it would only make a name that no file
    // has, so they go too.
    line.File = text.mid(3).trimmed();
    return line;
}

QString CommandLineText(const QStringList& arguments) {
    return arguments.join(QLatin1Char(' '));
}

QString AppVersionText(int major, int minor, int revision) {
    QString text = QStringLiteral("%1.%2").arg(major).arg(minor);
    if (revision > 0) text += QStringLiteral(".%1").arg(revision);
    return text;
}

}  // namespace korvan
