#include "zeldbtext.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include "gbk.h"

namespace zel {
namespace {

// A real database is a few kilobytes; reading stops here so a stray huge file cannot exhaust
// memory.
constexpr qint64 kMaxReadBytes = 16 * 1024 * 1024;
constexpr int kMaxCachedFiles = 8;
// A file changed within this many seconds is read afresh on every lookup: a coarse file-system
// clock could give an in-place edit of the same size the same time stamp.
constexpr time_t kSettledSeconds = 2;

bool SameName(QStringView a, QStringView b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

QString StripQuotes(QStringView value) {
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        return value.mid(1, value.size() - 2).toString();
    return value.toString();
}

// The name of a section line "[name]" (the rest of the line when "]" is missing).
QStringView SectionName(QStringView line) {
    const qsizetype close = line.indexOf(u']');
    return line.mid(1, close < 0 ? -1 : close - 1);
}

enum class Found { No, Section, Key };

// Walks the rows of the first section called `section`; stops at the first row whose key is
// `key` (when given), storing its value.
Found Scan(QStringView text, QStringView section, const QStringView* key, QString* value) {
    bool inside = false;
    for (QStringView line : text.tokenize(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.front() == u';') continue;
        if (line.front() == u'[') {
            if (inside) return Found::Section;  // the first section of the name has ended
            inside = SameName(SectionName(line), section);
            if (inside && !key) return Found::Section;
            continue;
        }
        if (!inside) continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && SameName(line.left(eq), *key)) {
            *value = StripQuotes(line.mid(eq + 1).trimmed());
            return Found::Key;
        }
    }
    return inside ? Found::Section : Found::No;
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
};

bool StampOf(const QString& path, FileStamp& stamp) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    stamp = {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
    return true;
}

struct CacheEntry {
    FileStamp stamp;
    std::shared_ptr<const DbText> text;
};

QMutex cacheMutex;
QHash<QString, CacheEntry>& Cache() {
    static QHash<QString, CacheEntry> cache;
    return cache;
}

}  // namespace

QString DbText::value(QStringView section, QStringView key) const {
    QString value;
    Scan(m_text, section, &key, &value);
    return value;
}

bool DbText::hasSection(QStringView section) const {
    return Scan(m_text, section, nullptr, nullptr) != Found::No;
}

std::shared_ptr<const DbText> LoadDbText(const QString& path) {
    static const auto empty = std::make_shared<const DbText>();
    FileStamp stamp;
    if (path.isEmpty() || !StampOf(path, stamp)) return empty;

    {
        QMutexLocker lock(&cacheMutex);
        const auto hit = Cache().constFind(path);
        if (hit != Cache().cend() && hit->stamp == stamp) return hit->text;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return empty;
    const QByteArray bytes = file.read(std::min<qint64>(file.size(), kMaxReadBytes));
    auto text = std::make_shared<const DbText>(DecodeGbk(bytes));

    // Remember the text only for a settled file that did not change while it was read.
    FileStamp after;
    const time_t now = ::time(nullptr);
    const bool settled = now - stamp.mtime.tv_sec >= kSettledSeconds;
    if (settled && StampOf(path, after) && after == stamp) {
        QMutexLocker lock(&cacheMutex);
        if (Cache().size() >= kMaxCachedFiles) Cache().clear();
        Cache().insert(path, {stamp, text});
    }
    return text;
}

}  // namespace zel
