#include "zeldbtext.h"

#include <sys/stat.h>

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <ctime>
#include <optional>

#include "gbk.h"

namespace zel {
namespace {

// A real database is a few kilobytes; reading stops here so a stray huge file cannot exhaust
// memory.
constexpr qint64 kMaxReadBytes = 16 * 1024 * 1024;
constexpr int kMaxCachedFiles = 8;
// A file whose time stamp is younger than this is read again on every lookup and compared byte
// for byte: a coarse file-system clock could give an edit of the same size the same stamp.
constexpr time_t kSettledSeconds = 2;

QString Folded(QStringView name) {
    return name.trimmed().toString().toCaseFolded();
}

QString StripQuotes(QStringView value) {
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        return value.mid(1, value.size() - 2).toString();
    return value.toString();
}

// Identifies one version of a file on disk.
struct FileStamp {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{};
    timespec ctime{};

    bool operator==(const FileStamp& o) const {
        return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
               mtime.tv_nsec == o.mtime.tv_nsec && ctime.tv_sec == o.ctime.tv_sec &&
               ctime.tv_nsec == o.ctime.tv_nsec;
    }
    bool settled() const { return ::time(nullptr) - mtime.tv_sec >= kSettledSeconds; }
};

std::optional<FileStamp> StampOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileStamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

struct CacheEntry {
    std::optional<FileStamp> stamp;  // none when the file changed while it was read
    QByteArray bytes;
    std::shared_ptr<const DbText> text;
};

QMutex cacheMutex;
QHash<QString, CacheEntry>& Cache() {
    static QHash<QString, CacheEntry> cache;
    return cache;
}

}  // namespace

DbText DbText::Parse(QStringView text) {
    DbText db;
    QHash<QString, QString>* current = nullptr;  // null outside a section or in a repeated one
    for (QStringView line : text.tokenize(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.front() == u';') continue;
        if (line.front() == u'[') {
            const qsizetype close = line.indexOf(u']');
            const QString name = Folded(line.mid(1, close < 0 ? -1 : close - 1));
            current = db.m_sections.contains(name) ? nullptr : &db.m_sections[name];
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || eq < 0) continue;
        const QString key = Folded(line.left(eq));
        if (!current->contains(key)) current->insert(key, StripQuotes(line.mid(eq + 1).trimmed()));
    }
    return db;
}

QString DbText::value(QStringView section, QStringView key) const {
    const auto s = m_sections.constFind(Folded(section));
    if (s == m_sections.cend()) return {};
    return s->value(Folded(key));
}

bool DbText::hasSection(QStringView section) const {
    return m_sections.contains(Folded(section));
}

std::shared_ptr<const DbText> LoadDbText(const QString& path) {
    static const auto empty = std::make_shared<const DbText>();
    const std::optional<FileStamp> stamp = path.isEmpty() ? std::nullopt : StampOf(path);
    if (!stamp) return empty;

    {
        QMutexLocker lock(&cacheMutex);
        const auto hit = Cache().constFind(path);
        if (hit != Cache().cend() && hit->stamp == stamp && stamp->settled()) return hit->text;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return empty;
    const QByteArray bytes = file.read(std::min<qint64>(file.size(), kMaxReadBytes));
    const std::optional<FileStamp> after = StampOf(path);
    const std::optional<FileStamp> known = after == stamp ? stamp : std::nullopt;

    {
        QMutexLocker lock(&cacheMutex);
        const auto hit = Cache().find(path);
        if (hit != Cache().end() && hit->bytes == bytes) {
            hit->stamp = known;
            return hit->text;
        }
    }
    auto text = std::make_shared<const DbText>(DbText::Parse(DecodeGbk(bytes)));
    QMutexLocker lock(&cacheMutex);
    if (Cache().size() >= kMaxCachedFiles) Cache().clear();
    Cache().insert(path, {known, bytes, text});
    return text;
}

}  // namespace zel
