#include "desktop/fileassociation.h"

#include <QFileInfo>

#include "core/inidocument.h"
#include "desktop/xdgplaces.h"

namespace korvan::desktop {

namespace {

const QString kDefaults = QStringLiteral("Default Applications");
const QString kAdded = QStringLiteral("Added Associations");

QString JoinEntries(const QStringList& entries) {
    return entries.isEmpty() ? QString() : entries.join(QLatin1Char(';')) + QLatin1Char(';');
}

// Puts KORVAN first in (or takes it out of) one list of `doc`, leaving the other entries.
void EditList(IniDocument& doc, const QString& group, const QString& mime, bool add) {
    QStringList entries = SplitDesktopList(doc.read(group, mime, QString()));
    entries.removeAll(kDesktopEntry);
    if (add) entries.prepend(kDesktopEntry);
    if (entries.isEmpty())
        doc.removeKey(group, mime);
    else
        doc.write(group, mime, JoinEntries(entries));
}

}  // namespace

QString MimeTypeOf(const QString& extension) {
    const QString e = extension.toLower();
    if (e == QLatin1String("hex")) return QStringLiteral("text/x-ihex");
    if (e == QLatin1String("bin")) return QStringLiteral("application/x-korvan-binary");
    if (e == QLatin1String("mcu")) return QStringLiteral("application/x-korvan-settings");
    if (e == QLatin1String("mcp")) return QStringLiteral("application/x-korvan-task");
    return {};
}

FileAssociations::FileAssociations(RegistryStore registry, QString program)
    : m_registry(std::move(registry)), m_program(std::move(program)) {}

bool FileAssociations::RegisterFileType(const QString& extension, const QString& description,
                                        bool registerIt, int icon) {
    const QString e = extension.toLower();
    const QString fileClass = e + QStringLiteral(".file");
    const auto root = RegistryRoot::ClassesRoot;
    if (registerIt) {
        const bool written =
            m_registry.setString(root, "." + e, {}, fileClass) &&
            m_registry.setString(root, fileClass, {}, description) &&
            m_registry.setString(root, fileClass + "\\DefaultIcon", {},
                                 m_program + "," + QString::number(icon)) &&
            m_registry.setString(root, fileClass + "\\Shell", {}, {}) &&
            m_registry.setString(root, fileClass + "\\Shell\\Open", {}, {}) &&
            m_registry.setString(root, fileClass + "\\Shell\\Open\\command", {}, m_program + " %1");
        if (!written) return false;
    } else {
        for (const QString& key :
             {"." + e, fileClass + "\\Shell\\Open\\command", fileClass + "\\Shell\\Open",
              fileClass + "\\Shell", fileClass + "\\DefaultIcon", fileClass}) {
            if (m_registry.keyExists(root, key) && !m_registry.deleteKey(root, key)) return false;
        }
    }

    const QString mime = MimeTypeOf(e);
    if (mime.isEmpty()) return true;
    const QString listFile = UserMimeAppsList();
    auto doc = IniDocument::loadForUpdate(listFile);
    if (!doc) return false;
    const QByteArray before = doc->toBytes();
    EditList(*doc, kDefaults, mime, registerIt);
    EditList(*doc, kAdded, mime, registerIt);
    // KORVAN's own types are registered at every start; an unchanged list stays untouched.
    if (doc->toBytes() == before && (QFileInfo::exists(listFile) || doc->isEmpty())) return true;
    return doc->save(listFile);
}

bool FileAssociations::IsAssociated(const QString& extension) const {
    const QString mime = MimeTypeOf(extension);
    if (mime.isEmpty()) return false;
    const QStringList entries =
        SplitDesktopList(IniDocument::load(UserMimeAppsList()).read(kDefaults, mime, QString()));
    return !entries.isEmpty() && entries.first() == kDesktopEntry;
}

}  // namespace korvan::desktop
