#include "core/programconfig.h"

#include "core/inidocument.h"
#include "core/resetsequence.h"
#include "core/valueforms.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>
#include <limits>

namespace korvan {
namespace {

qint32 Absolute(qint32 value) {
    if (value == std::numeric_limits<qint32>::min()) return std::numeric_limits<qint32>::max();
    return std::abs(value);
}

void ReadBool(const IniDocument& doc, const QString& section, const QString& key,
              const QString& fallback, bool& into) {
    if (const auto value = ParseBoolText(doc.read(section, key, fallback))) into = *value;
}

qint32 ReadInt(const IniDocument& doc, const QString& section, const QString& key,
               const QString& fallback) {
    return ParseLeadingInt32(doc.read(section, key, fallback));
}

int ReadComPort(const IniDocument& doc) {
    const qint64 port = std::llabs(ParseLeadingNumber(doc.read("Config", "ComPort", "1")));
    return (port == 0 || port > std::numeric_limits<qint16>::max()) ? 1 : static_cast<int>(port);
}

// The shipped sound for Msg0 (a download succeeded), Msg1 (repeated downloads finished) and
// Msg2 (an error).
const char* const kShippedSounds[] = {"ok.wav", "done.wav", "error.wav"};

}  // namespace

QString ShippedSoundFolder() {
    const QString executable = ktext::ExecutableFolder();
    if (executable.isEmpty()) return {};
    return WithTrailingSlash(
        QDir::cleanPath(executable + QStringLiteral("/../share/korvan/sounds")));
}

ProgramConfig LoadConfig(const AppPaths& paths, const ProgramConfig& previous) {
    return LoadConfig(paths, previous, ShippedSoundFolder());
}

ProgramConfig LoadConfig(const AppPaths& paths, const ProgramConfig& previous,
                         const QString& soundFolder) {
    const IniDocument doc = IniDocument::load(paths.configFile());
    ProgramConfig c = previous;
    ReadBool(doc, "Config", "SetTop", "False", c.SetTop);
    c.ComPort = ReadComPort(doc);
    c.DownCount = Absolute(ReadInt(doc, "Config", "DownCount", ""));
    // No rate above the fastest one offered: a hand-edited value would otherwise show in the
    // settings as a rate nobody can choose.
    c.MaxBaud = std::min(Absolute(ReadInt(doc, "Config", "MaxBaud", "0")), kFastestMaxBaud);
    c.ErrTim = std::max(Absolute(ReadInt(doc, "Config", "ErrTim", "30")), 5);
    ReadBool(doc, "Config", "OpenRts", "True", c.OpenRts);
    c.ResetSeq = doc.read("Config", "ResetSeq", "").trimmed();
    // A sequence edited by hand into something unusable must not drive the lines at random.
    if (!ParseResetSequence(c.ResetSeq).sequence) c.ResetSeq.clear();
    c.Language =
        i18n::parseLanguage(doc.read("Config", "Language", "zh")).value_or(i18n::Language::Chinese);
    ReadBool(doc, "Config", "OpenLast", "True", c.OpenLast);
    ReadBool(doc, "Config", "Count", "True", c.Count);
    ReadBool(doc, "Config", "AutoClose", "False", c.AutoClose);
    c.ReCount = ReadInt(doc, "Config", "ReCount", "10");
    if (c.ReCount <= 0) c.ReCount = 1;

    ReadBool(doc, "Sound", "Open", "False", c.SoundOpen);
    for (int i = 0; i < 3; ++i) {
        const auto file = doc.value("Sound", "Msg" + QString::number(i));
        if (file) {
            c.Sounds[i] = ExpandAppPath(*file, paths.AppPath, Qt::CaseInsensitive);
            continue;
        }
        const QString shipped =
            soundFolder.isEmpty() ? QString() : WithTrailingSlash(soundFolder) + kShippedSounds[i];
        c.Sounds[i] = QFileInfo::exists(shipped) ? shipped : QString();
    }

    ReadBool(doc, "Color", "Open", "False", c.ColorOpen);
    c.Red = ReadInt(doc, "Color", "Red", "");
    c.Green = ReadInt(doc, "Color", "Green", "");
    c.Blue = ReadInt(doc, "Color", "Blue", "");

    ReadBool(doc, "Production", "Record", "True", c.Record);
    c.Database = doc.read("Production", "Database", "").trimmed();
    c.Station = doc.read("Production", "Station", "").trimmed();
    return c;
}

bool SaveConfig(const AppPaths& paths, const ProgramConfig& c) {
    auto doc = IniDocument::loadForUpdate(paths.configFile());
    if (!doc) return false;
    doc->write("Config", "OpenRts", BoolText(c.OpenRts));
    doc->write("Config", "OpenLast", BoolText(c.OpenLast));
    doc->write("Config", "ErrTim", QString::number(c.ErrTim));
    doc->write("Config", "MaxBaud", QString::number(c.MaxBaud));
    doc->write("Config", "AutoClose", BoolText(c.AutoClose));
    doc->write("Config", "Count", BoolText(c.Count));
    doc->write("Config", "ReCount", QString::number(c.ReCount));
    doc->write("Sound", "Open", BoolText(c.SoundOpen));
    for (int i = 0; i < 3; ++i) {
        doc->write("Sound", "Msg" + QString::number(i),
                   CollapseAppPath(c.Sounds[i], paths.AppPath));
    }
    doc->write("Color", "Open", BoolText(c.ColorOpen));
    doc->write("Color", "Red", QString::number(c.Red));
    doc->write("Color", "Green", QString::number(c.Green));
    doc->write("Color", "Blue", QString::number(c.Blue));
    // Written only once a database was named, so that other files stay as they were.
    if (!c.Database.isEmpty() || doc->value("Production", "Database"))
        doc->write("Production", "Database", QuoteValue(c.Database));
    return doc->save(paths.configFile());
}

bool SaveResetSequence(const AppPaths& paths, const QString& text) {
    auto doc = IniDocument::loadForUpdate(paths.configFile());
    if (!doc) return false;
    doc->write("Config", "ResetSeq", QuoteValue(text.trimmed()));
    return doc->save(paths.configFile());
}

bool SaveLanguage(const AppPaths& paths, i18n::Language language) {
    auto doc = IniDocument::loadForUpdate(paths.configFile());
    if (!doc) return false;
    doc->write("Config", "Language", i18n::languageCode(language));
    return doc->save(paths.configFile());
}

}  // namespace korvan
