// The program's command line, "korvan [switch] [file]", and the start-up choices it makes.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace korvan {

struct CommandLine {
    QString Switch;  // "", "/u", "/d" or any other "/" and one character
    QString File;    // "" when none

    bool unattended() const { return Switch == QStringLiteral("/u"); }
    // "/u" and "/d" start a download as soon as the program is up.
    bool downloadsAtStart() const { return unattended() || Switch == QStringLiteral("/d"); }
    // "/u" shows the mini window instead of the start-up screen and keeps the main window hidden.
    bool showsStartupScreen() const { return !unattended(); }
    // Any switch, known or not, keeps the user settings from being written at exit.
    bool savesSettingsAtExit() const { return Switch.isEmpty(); }
    bool operator==(const CommandLine&) const = default;
};

// Whether a file of that name is there; tests hand in their own.
using FileExists = std::function<bool(const QString&)>;
bool FileExistsOnDisk(const QString& name);

// A file name as the command line gave it. Quotes and blanks are part of a name on this system,
// so the name stays as given when such a file exists. Otherwise one pair of double quotes that
// encloses the whole name goes: a launcher that quoted a name with blanks.
QString FileArgument(const QString& given, const FileExists& exists = FileExistsOnDisk);

// The arguments after the program name, already split by the system. A first argument of "/"
// and one more character is the switch; the rest, joined by blanks, is the file. A single
// argument that names no file and starts with a switch and a blank holds a whole command line
// from a launcher that did not split it, and is read by ParseCommandLine.
CommandLine ParseStartArguments(const QStringList& arguments,
                                const FileExists& exists = FileExistsOnDisk);

// A whole command line in one text. Text starting with "/" and one more character, alone or
// followed by a blank, gives that switch and the file from the fourth character on; any other
// text (an absolute path too) is the file. Blanks before the switch and around the file part
// go (a name with a trailing blank arrives split, through ParseStartArguments).
CommandLine ParseCommandLine(const QString& whole, const FileExists& exists = FileExistsOnDisk);

// "major.minor", with ".revision" appended when the revision is above 0.
QString AppVersionText(int major, int minor, int revision);

}  // namespace korvan
