// The command-line splitter on arbitrary arguments (the input split at NUL bytes, as the system
// hands them over). Whatever comes in, the switch is empty or "/" and one character, and the
// file is the arguments' text itself or that text without one enclosing pair of quotes: no
// character is ever added, and none is lost from inside a name.
#include "views/commandline.h"

#include <cstdlib>

namespace {

// Names "exist" by a rule of their own, so both sides of every quote decision are reached.
bool Exists(const QString& name) {
    return !name.isEmpty() && (name.size() % 3) == 0;
}

bool IsPlainOrUnquoted(const QString& file, const QString& text) {
    if (file == text) return true;
    return text.size() >= 2 && text.startsWith(QLatin1Char('"')) &&
           text.endsWith(QLatin1Char('"')) && file == text.mid(1, text.size() - 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList arguments;
    if (!bytes.isEmpty()) {
        for (const QByteArray& piece : bytes.split('\0')) arguments << QString::fromUtf8(piece);
    }
    const korvan::CommandLine line = korvan::ParseStartArguments(arguments, Exists);
    if (!line.Switch.isEmpty() && (line.Switch.size() != 2 || !line.Switch.startsWith('/')))
        std::abort();
    if (!line.Switch.isEmpty() && !arguments.first().startsWith(line.Switch)) std::abort();
    if (line.File.size() > bytes.size() + 1) std::abort();
    // A file named as a separate argument (or several) is taken exactly, quotes aside.
    if (arguments.size() > 1 && !line.Switch.isEmpty() &&
        !IsPlainOrUnquoted(line.File, arguments.mid(1).join(QLatin1Char(' '))))
        std::abort();
    if (line.Switch.isEmpty() && arguments.size() > 1 &&
        !IsPlainOrUnquoted(line.File, arguments.join(QLatin1Char(' '))))
        std::abort();
    // A name that exists is never changed.
    if (arguments.size() == 1 && Exists(arguments.first()) && line.File != arguments.first())
        std::abort();
    // The one-text form stays within the text it was given.
    const korvan::CommandLine whole = korvan::ParseCommandLine(QString::fromUtf8(bytes), Exists);
    if (whole.File.size() > QString::fromUtf8(bytes).size()) std::abort();
    return 0;
}
