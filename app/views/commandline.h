// The program's command line, "korvan [switch] [file]", and the start-up choices it makes.
#pragma once

#include <QString>
#include <QStringList>

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

// The whole command line: trimmed, every double quote removed. Text starting with "/" and one
// more character, alone or followed by a blank, gives that switch and the file from the fourth
// character on; any other text (an absolute path too) is the file.
CommandLine ParseCommandLine(const QString& whole);

// The arguments after the program name as one command line, as the platform hands it over.
QString CommandLineText(const QStringList& arguments);

// "major.minor", with ".revision" appended when the revision is above 0.
QString AppVersionText(int major, int minor, int revision);

}  // namespace korvan
