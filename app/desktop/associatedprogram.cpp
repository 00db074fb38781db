#include "desktop/associatedprogram.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <vector>

#include "core/inidocument.h"
#include "desktop/fileassociation.h"
#include "desktop/xdgplaces.h"

namespace korvan::desktop {

namespace {

const QString kEntryGroup = QStringLiteral("Desktop Entry");

QStringList MimeAppsLists() {
    QStringList files{UserMimeAppsList()};
    for (const QString& dir : ConfigDirs()) files << dir + QStringLiteral("/mimeapps.list");
    files << DataHome() + QStringLiteral("/applications/mimeapps.list");
    for (const QString& dir : DataDirs())
        files << dir + QStringLiteral("/applications/mimeapps.list");
    return files;
}

QStringList ApplicationFolders() {
    QStringList dirs{DataHome() + QStringLiteral("/applications")};
    for (const QString& dir : DataDirs()) dirs << dir + QStringLiteral("/applications");
    return dirs;
}

QString FindDesktopFile(const QString& id) {
    for (const QString& dir : ApplicationFolders()) {
        const QString file = dir + QLatin1Char('/') + id;
        if (QFileInfo::exists(file)) return file;
    }
    return {};
}

QString UnescapeString(const QString& value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar next = value[++i];
        if (next == u's')
            out += u' ';
        else if (next == u't')
            out += u'\t';
        else if (next == u'n')
            out += u'\n';
        else if (next == u'r')
            out += u'\r';
        else
            out += next;
    }
    return out;
}

QString FindProgram(const QString& word) {
    if (word.isEmpty() || word.startsWith(u'/')) return word;
    return QStandardPaths::findExecutable(word);
}

// The entry's program, unless the entry is hidden or its TryExec program is missing.
QString ProgramOfEntry(const QString& id) {
    const QString file = FindDesktopFile(id);
    if (file.isEmpty()) return {};
    const IniDocument entry = IniDocument::load(file);
    if (entry.read(kEntryGroup, QStringLiteral("Hidden"), QString()) == QLatin1String("true"))
        return {};
    const QString tryExec =
        FindProgram(UnescapeString(entry.read(kEntryGroup, QStringLiteral("TryExec"), QString())));
    if (entry.value(kEntryGroup, QStringLiteral("TryExec")) && !QFileInfo(tryExec).isExecutable())
        return {};
    return ProgramOfExec(entry.read(kEntryGroup, QStringLiteral("Exec"), QString()));
}

QString FirstProgram(const QStringList& ids, const QStringList& removed = {}) {
    for (const QString& id : ids) {
        if (removed.contains(id)) continue;
        const QString program = ProgramOfEntry(id);
        if (!program.isEmpty()) return program;
    }
    return {};
}

// The mimeapps.list files that exist, most important first, each read once per lookup.
std::vector<IniDocument> LoadMimeAppsLists() {
    std::vector<IniDocument> lists;
    for (const QString& list : MimeAppsLists())
        if (QFileInfo::exists(list)) lists.push_back(IniDocument::load(list));
    return lists;
}

QString ProgramForType(const QString& mime, const std::vector<IniDocument>& lists) {
    for (const IniDocument& list : lists) {
        const QString program = FirstProgram(
            SplitDesktopList(list.read(QStringLiteral("Default Applications"), mime, {})));
        if (!program.isEmpty()) return program;
    }
    QStringList associated;
    QStringList removed;
    for (const IniDocument& list : lists) {
        associated << SplitDesktopList(list.read(QStringLiteral("Added Associations"), mime, {}));
        removed << SplitDesktopList(list.read(QStringLiteral("Removed Associations"), mime, {}));
    }
    for (const QString& dir : ApplicationFolders())
        associated << SplitDesktopList(IniDocument::load(dir + QStringLiteral("/mimeinfo.cache"))
                                           .read(QStringLiteral("MIME Cache"), mime, {}));
    return FirstProgram(associated, removed);
}

QStringList MimeTypesOf(const QString& extension) {
    const QString own = MimeTypeOf(extension);
    const QMimeDatabase db;
    const QMimeType type = own.isEmpty() ? db.mimeTypeForFile(QStringLiteral("file.") + extension,
                                                              QMimeDatabase::MatchExtension)
                                         : db.mimeTypeForName(own);
    if (!type.isValid() || type.isDefault())
        return own.isEmpty() ? QStringList() : QStringList{own};
    QStringList types{own.isEmpty() ? type.name() : own};
    types << type.allAncestors();
    return types;
}

}  // namespace

QString ProgramOfExec(const QString& exec) {
    const QString command = UnescapeString(exec).trimmed();
    QString word;
    if (command.startsWith(u'"')) {
        for (qsizetype i = 1; i < command.size() && command[i] != u'"'; ++i) {
            if (command[i] == u'\\' && i + 1 < command.size()) ++i;
            word += command[i];
        }
    } else {
        word = command.section(u' ', 0, 0, QString::SectionSkipEmpty);
    }
    word.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return FindProgram(word);
}

QString AssociatedProgram(const QString& extension) {
    const std::vector<IniDocument> lists = LoadMimeAppsLists();
    for (const QString& mime : MimeTypesOf(extension)) {
        const QString program = ProgramForType(mime, lists);
        if (!program.isEmpty()) return program;
    }
    return {};
}

}  // namespace korvan::desktop
