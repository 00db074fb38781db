#include "desktop/fileassociation.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>

#include "core/inidocument.h"
#include "desktop/xdgplaces.h"

namespace korvan::desktop {

namespace {

const QString kDefaults = QStringLiteral("Default Applications");
const QString kAdded = QStringLiteral("Added Associations");

QStringList Entries(const QString& list) {
    QStringList entries = list.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& entry : entries) entry = entry.trimmed();
    entries.removeAll(QString());
    return entries;
}

QString JoinEntries(const QStringList& entries) {
    return entries.isEmpty() ? QString() : entries.join(QLatin1Char(';')) + QLatin1Char(';');
}

// Puts KORVAN first in (or takes it out of) one list of `doc`, leaving the other entries.
void EditList(IniDocument& doc, const QString& group, const QString& mime, bool add) {
    QStringList entries = Entries(doc.read(group, mime, QString()));
    entries.removeAll(kDesktopEntry);
    if (add) entries.prepend(kDesktopEntry);
    if (entries.isEmpty())
        doc.removeKey(group, mime);
    else
        doc.write(group, mime, JoinEntries(entries));
}

QStringList MimeAppsLists() {
    QStringList files{UserMimeAppsList()};
    for (const QString& dir : ConfigDirs()) files << dir + QStringLiteral("/mimeapps.list");
    files << DataHome() + QStringLiteral("/applications/mimeapps.list");
    for (const QString& dir : DataDirs())
        files << dir + QStringLiteral("/applications/mimeapps.list");
    return files;
}

QString FindDesktopFile(const QString& id) {
    QStringList dirs{DataHome()};
    dirs << DataDirs();
    for (const QString& dir : dirs) {
        const QString file = dir + QStringLiteral("/applications/") + id;
        if (QFileInfo::exists(file)) return file;
    }
    return {};
}

// The program of an Exec line: its first word without quotes, found on PATH when not a path.
QString ProgramOfExec(const QString& exec) {
    QString command = exec.trimmed();
    QString word;
    if (command.startsWith(QLatin1Char('"'))) {
        const qsizetype end = command.indexOf(QLatin1Char('"'), 1);
        word = command.mid(1, end < 0 ? -1 : end - 1);
    } else {
        word = command.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    }
    if (word.isEmpty() || word.startsWith(QLatin1Char('/'))) return word;
    return QStandardPaths::findExecutable(word);
}

QString MimeTypeForAnyExtension(const QString& extension) {
    const QString own = MimeTypeOf(extension);
    if (!own.isEmpty()) return own;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QStringLiteral("file.") + extension,
                                                           QMimeDatabase::MatchExtension);
    return type.isDefault() ? QString() : type.name();
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
    QDir().mkpath(ConfigHome());
    auto doc = IniDocument::loadForUpdate(listFile);
    if (!doc) return false;
    EditList(*doc, kDefaults, mime, registerIt);
    EditList(*doc, kAdded, mime, registerIt);
    return doc->save(listFile);
}

bool FileAssociations::IsAssociated(const QString& extension) const {
    const QString mime = MimeTypeOf(extension);
    if (mime.isEmpty()) return false;
    const QStringList entries =
        Entries(IniDocument::load(UserMimeAppsList()).read(kDefaults, mime, QString()));
    return !entries.isEmpty() && entries.first() == kDesktopEntry;
}

QString AssociatedProgram(const QString& extension) {
    const QString mime = MimeTypeForAnyExtension(extension);
    if (mime.isEmpty()) return {};
    for (const QString& list : MimeAppsLists()) {
        if (!QFileInfo::exists(list)) continue;
        for (const QString& id :
             Entries(IniDocument::load(list).read(kDefaults, mime, QString()))) {
            const QString file = FindDesktopFile(id);
            if (file.isEmpty()) continue;
            const QString exec = IniDocument::load(file).read(QStringLiteral("Desktop Entry"),
                                                              QStringLiteral("Exec"), QString());
            const QString program = ProgramOfExec(exec);
            if (!program.isEmpty()) return program;
        }
    }
    return {};
}

}  // namespace korvan::desktop
