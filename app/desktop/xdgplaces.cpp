#include "desktop/xdgplaces.h"

#include <QDir>

namespace korvan::desktop {

namespace {

QString FromEnvironment(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    // XDG base directories must be absolute; a relative one is ignored, as desktops do.
    return value.startsWith(QLatin1Char('/')) ? value : fallback;
}

QStringList ListFromEnvironment(const char* name, const QStringList& fallback) {
    QStringList dirs;
    for (const QString& dir :
         qEnvironmentVariable(name).split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (dir.startsWith(QLatin1Char('/'))) dirs << dir;
    return dirs.isEmpty() ? fallback : dirs;
}

}  // namespace

QString DataHome() {
    return FromEnvironment("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"));
}

QString ConfigHome() {
    return FromEnvironment("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config"));
}

QStringList DataDirs() {
    return ListFromEnvironment("XDG_DATA_DIRS",
                               {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
}

QStringList ConfigDirs() {
    return ListFromEnvironment("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
}

QString UserMimeAppsList() {
    return ConfigHome() + QStringLiteral("/mimeapps.list");
}

QStringList SplitDesktopList(const QString& list) {
    QStringList entries = list.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& entry : entries) entry = entry.trimmed();
    entries.removeAll(QString());
    return entries;
}

}  // namespace korvan::desktop
