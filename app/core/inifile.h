// Single-key access to INI files, as the rest of KORVAN reads and writes its settings. Every
// call reads the file afresh; a write replaces the file atomically. Errors are silent: a
// missing file or key gives the default, a failed write changes nothing.
#pragma once

#include <QString>

namespace korvan {

QString ReadIni(const QString& section, const QString& key, const QString& file,
                const QString& fallback);
bool WriteIni(const QString& section, const QString& key, const QString& value,
              const QString& file);

// The same on Config.ini in the application folder of this process.
QString ReadConfig(const QString& section, const QString& key, const QString& fallback);
bool WriteConfig(const QString& section, const QString& key, const QString& value);

}  // namespace korvan
