// The program the desktop opens a kind of file with, found as freedesktop desktops find it:
// for the file's MIME type and then its parent types, the default application of the user's
// and the system's mimeapps.list files, else the first application associated with the type
// (added associations and the desktop entries' own MIME types, less removed associations).
#pragma once

#include <QString>

namespace korvan::desktop {

// The first word of that application's Exec line as a full path ("hex", "txt", any letter
// case); empty when no installed application opens such files.
QString AssociatedProgram(const QString& extension);

// The program named by a desktop entry's Exec line: its first word, unquoted and unescaped,
// found on PATH when it is no path; empty when there is none.
QString ProgramOfExec(const QString& exec);

}  // namespace korvan::desktop
