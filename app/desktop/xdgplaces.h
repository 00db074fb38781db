// The freedesktop base directories of this user, read from the environment each time so that
// a changed XDG_DATA_HOME or XDG_CONFIG_HOME takes effect at once.
#pragma once

#include <QString>
#include <QStringList>

namespace korvan::desktop {

QString DataHome();        // $XDG_DATA_HOME, else ~/.local/share
QString ConfigHome();      // $XDG_CONFIG_HOME, else ~/.config
QStringList DataDirs();    // $XDG_DATA_DIRS, else /usr/local/share and /usr/share
QStringList ConfigDirs();  // $XDG_CONFIG_DIRS, else /etc/xdg
// The user's list of default applications, where KORVAN writes its own associations.
QString UserMimeAppsList();  // ConfigHome()/mimeapps.list

// The desktop entries of a ";"-separated list value, as mimeapps.list and mimeinfo.cache hold.
QStringList SplitDesktopList(const QString& list);

}  // namespace korvan::desktop
