#include "core/inifile.h"

#include "core/apppaths.h"
#include "core/inidocument.h"
#include "privateprofile.h"

namespace korvan {

QString ReadIni(const QString& section, const QString& key, const QString& file,
                const QString& fallback) {
    const auto profile = ktext::PrivateProfile::load(file, ktext::ProfileEncoding::Utf8OrGbk,
                                                     IniDocument::kMaxSettingsFileBytes);
    return profile ? profile->read(section, key, fallback) : fallback;
}

bool WriteIni(const QString& section, const QString& key, const QString& value,
              const QString& file) {
    auto doc = IniDocument::loadForUpdate(file);
    if (!doc) return false;
    doc->write(section, key, value);
    return doc->save(file);
}

QString ReadConfig(const QString& section, const QString& key, const QString& fallback) {
    return ReadIni(section, key, CurrentAppPaths().configFile(), fallback);
}

bool WriteConfig(const QString& section, const QString& key, const QString& value) {
    return WriteIni(section, key, value, CurrentAppPaths().configFile());
}

}  // namespace korvan
