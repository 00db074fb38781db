// Where KORVAN's settings live (Config.ini, Lang.ini). The ZEL control runs inside KORVAN's
// process and reads the port table from the same Config.ini, so both ask this one function.
#pragma once

#include <QString>

namespace ktext {

// The settings folder, ending in "/": $KORVAN_HOME when set; else the executable's folder
// when it is a portable folder (below); else $XDG_CONFIG_HOME/KORVAN/ (default
// ~/.config/KORVAN/). The folder is not created here.
QString SettingsFolder();

// $XDG_CONFIG_HOME (default ~/.config), ending in "/".
QString ConfigHome();

// Whether a program's folder may hold the settings (portable use): it is writable and no
// system folder (/usr, /bin, /sbin or below), which even root must not fill with one user's
// files.
bool IsPortableFolder(const QString& folder);

// The folder of the running executable; "" when it cannot be told.
QString ExecutableFolder();

// `folder` with exactly one trailing "/".
QString WithTrailingSlash(const QString& folder);

}  // namespace ktext
