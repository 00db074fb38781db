#include "core/history.h"

#include "core/inidocument.h"

#include <QFileInfo>

namespace korvan {
namespace {

QString SectionOf(HistoryKind kind) {
    return kind == HistoryKind::Files ? QStringLiteral("ListMenu") : QStringLiteral("ListCode");
}

QString KeyOf(int i) {
    return QStringLiteral("List") + QString::number(i);
}

QString CommandPart(const QString& entry) {
    const qsizetype semicolon = entry.lastIndexOf(';');
    return semicolon < 0 ? entry : entry.left(semicolon);
}

bool SameEntry(HistoryKind kind, const QString& a, const QString& b) {
    if (kind == HistoryKind::Files) return a.compare(b, Qt::CaseInsensitive) == 0;
    return CommandPart(a) == CommandPart(b);
}

}  // namespace

History History::load(const QString& configFile) {
    const IniDocument doc = IniDocument::load(configFile);
    History history;
    for (int i = 0; i < kMaxEntries; ++i) {
        const QString file = doc.read(SectionOf(HistoryKind::Files), KeyOf(i), "");
        if (!file.isEmpty() && QFileInfo(file).isFile()) history.files_.append(file);
        const QString command = doc.read(SectionOf(HistoryKind::Commands), KeyOf(i), "").trimmed();
        if (command.size() >= 4) history.commands_.append(command);
    }
    return history;
}

const QStringList& History::list(HistoryKind kind) const {
    return kind == HistoryKind::Files ? files_ : commands_;
}

bool History::add(HistoryKind kind, const QString& entry, const QString& configFile) {
    if (entry.trimmed().isEmpty()) return false;
    QStringList& entries = kind == HistoryKind::Files ? files_ : commands_;
    QStringList updated{entry};
    for (const QString& old : entries) {
        if (old.isEmpty() || SameEntry(kind, old, entry)) continue;
        updated.append(old);
    }
    entries = updated.mid(0, kMaxEntries);

    auto doc = IniDocument::loadForUpdate(configFile);
    if (!doc) return false;
    for (int i = 0; i < kMaxEntries; ++i)
        doc->write(SectionOf(kind), KeyOf(i), i < entries.size() ? entries[i] : QString());
    return doc->save(configFile);
}

QStringList History::menuCaptions(HistoryKind kind) const {
    QStringList captions;
    const QStringList& entries = list(kind);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString text = kind == HistoryKind::Files ? entries[i].section('/', -1) : entries[i];
        captions.append('&' + QString::number(i + 1) + ' ' + text);
    }
    return captions;
}

}  // namespace korvan
