// What a freedesktop desktop needs in the user's data folder to know KORVAN's file types and
// to start this very program with them: the MIME package and the desktop entry, the same
// files that install with KORVAN, the entry naming the running executable. Files that are up
// to date are not written again, and the MIME cache is rebuilt only when it is older than the
// package, so that doing this at every start costs a few reads.
#pragma once

#include <QByteArray>
#include <QString>

namespace korvan::desktop {

// The MIME package that installs with KORVAN.
QByteArray MimePackage();
// The installed desktop entry, made to start `program` (an absolute path).
QByteArray DesktopEntryFor(const QString& program);
// `program` as the first word of a desktop entry's Exec line, quoted and escaped as needed.
QString ExecWord(const QString& program);

// $XDG_DATA_HOME/mime/packages/korvan.xml and .../applications/korvan.desktop.
QString UserMimePackageFile();
QString UserDesktopEntryFile();

// Writes `bytes` to `path` (atomically) unless the file holds exactly them already. False when
// the file could not be written.
bool WriteIfChanged(const QString& path, const QByteArray& bytes);

// Rebuilds the MIME cache of $XDG_DATA_HOME/mime with update-mime-database when the cache is
// missing or older than a package file; true when the cache is up to date afterwards.
bool UpdateUserMimeCache();

}  // namespace korvan::desktop
