// The INI reader and writer on arbitrary bytes: the document agrees with the shared reader,
// writes, a round trip through text, and an unchanged document written back as it was read.
#include "core/inidocument.h"
#include "core/usersettings.h"
#include "privateprofile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    korvan::IniDocument doc = korvan::IniDocument::fromBytes(bytes);
    // The editable document finds every key exactly where the shared reader does.
    const ktext::PrivateProfile profile = ktext::PrivateProfile::fromBytes(bytes);
    for (const QString& name : profile.sectionNames()) {
        for (const QString& key : profile.keys(name)) {
            if (doc.value(name, key) != profile.value(name, key)) std::abort();
        }
    }
    // Written back unchanged, every value reads the same, and a line that could not be decoded
    // never comes back as replacement characters.
    const QByteArray unchanged = doc.toBytes();
    if (!bytes.contains("\xEF\xBF\xBD") && unchanged.contains("\xEF\xBF\xBD")) std::abort();
    const ktext::PrivateProfile reread = ktext::PrivateProfile::fromBytes(unchanged);
    for (const QString& name : profile.sectionNames()) {
        for (const QString& key : profile.keys(name)) {
            if (reread.value(name, key) != profile.value(name, key)) std::abort();
        }
    }
    korvan::UserSettings settings;
    korvan::LoadUserSettings(doc, settings, 8);

    const QStringList sections = doc.sectionNames();
    const QString section = sections.isEmpty() ? QStringLiteral("S") : sections.first();
    const QString value = QString::fromUtf8(bytes.left(64));
    doc.write(section, QStringLiteral("Key"), value);
    doc.write(QStringLiteral("New"), value, QStringLiteral("v"));
    // A key written into a section is found there after a round trip through text.
    const korvan::IniDocument again = korvan::IniDocument::fromBytes(doc.toBytes());
    if (!again.value(section, QStringLiteral("Key"))) std::abort();
    korvan::SaveUserSettings(doc, settings, value, QStringLiteral("/x/a.mcu"));
    doc.removeSection(section);
    return 0;
}
