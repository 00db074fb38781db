#include "zeldb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <cstdint>

#include "atomicsave.h"
#include "regularfile.h"
#include "zeldbimage.h"

namespace zel {
namespace {

QString EnvPath(const char* name) {
    return QFile::decodeName(qgetenv(name));
}

bool Writable(const QString& path) {
    return QDir().mkpath(QFileInfo(path).absolutePath());
}

// Value of a hex digit; -1 for any other character.
int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return -1;
}

// The leading hex digits of `text` as a number, 0 when it starts with none (sizes in a
// damaged record read as 0 rather than failing).
int64_t LeadingHex(QStringView text) {
    int64_t value = 0;
    for (QChar c : text) {
        const int d = HexDigit(c);
        if (d < 0) break;
        value = value * 16 + d;
    }
    return value;
}

// The leading decimal number of `text` (after blanks), 0 when there is none.
int64_t LeadingDecimal(QStringView text) {
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    int64_t value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') break;
        value = std::min<int64_t>(value * 10 + (c.unicode() - u'0'), INT32_MAX);
    }
    return negative ? -value : value;
}

QStringList SplitList(const QString& value) {
    if (value.isEmpty()) return {};
    QStringList items = value.split(u',');
    for (QString& item : items) item = item.trimmed();
    return items;
}

QString StepSection(JobType job) {
    switch (job) {
        case JobType::Check:
            return QStringLiteral("CPROC");
        case JobType::Download:
            return QStringLiteral("DPROC");
        case JobType::Configure:
            return QStringLiteral("SPROC");
    }
    return {};
}

}  // namespace

QString ResolveDbPath() {
    const QString named = EnvPath("ZEL_DB");
    if (!named.isEmpty()) return named;
    QString base = EnvPath("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        // Without a home of the user's own there is no per-user place: never fall back to "/"
        // or make up a home folder that does not exist.
        const QString home = EnvPath("HOME");
        if (home.isEmpty() || QDir::isRelativePath(home) || !QFileInfo(home).isDir()) return {};
        base = home + QStringLiteral("/.local/share");
    }
    return base + QStringLiteral("/zel/zel.db");
}

DbSnapshot EmptyDb() {
    static const DbSnapshot empty = std::make_shared<const DbText>();
    return empty;
}

DbSnapshot LoadDbFile(const QString& path) {
    auto db = DbText::load(path, ktext::ProfileEncoding::Gbk);
    return db ? std::make_shared<const DbText>(std::move(*db)) : EmptyDb();
}

QByteArray EmbeddedDbImage() {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(detail::kZelDbImage),
                                   static_cast<qsizetype>(detail::kZelDbImageSize));
}

DbSnapshot EmbeddedDb() {
    static const DbSnapshot db = std::make_shared<const DbText>(
        DbText::fromBytes(EmbeddedDbImage(), ktext::ProfileEncoding::Gbk));
    return db;
}

bool InstallDb(const QString& dbPath) {
    if (dbPath.isEmpty()) return false;
    if (DbVersion(dbPath) >= kEmbeddedDbVersion) return true;
    if (!Writable(dbPath)) return false;
    // Checked write by write: a full disk must leave the old database, not an empty one.
    return ktext::SaveFileAtomically(dbPath, EmbeddedDbImage());
}

InstalledDb OpenInstalledDb(const QString& path) {
    InstalledDb result;
    result.path = path;
    // A database that cannot be refreshed is still used as it is; only when there is none at
    // all does the built-in copy stand in, so a missing or read-only home never stops a job.
    if (InstallDb(path) || !LoadDbFile(path)->isEmpty()) {
        result.database = std::make_unique<FileChipDatabase>(path);
    } else {
        result.database = std::make_unique<MemoryChipDatabase>();
        result.embedded = true;
    }
    return result;
}

QString ReadDb(const DbText& db, const QString& section, const QString& key) {
    return db.read(section, key);
}

QString ReadDb(const QString& dbPath, const QString& section, const QString& key) {
    return LoadDbFile(dbPath)->read(section, key);
}

int DbVersion(const DbText& db) {
    return static_cast<int>(LeadingDecimal(db.read(u"ZEL", u"version")));
}

int DbVersion(const QString& dbPath) {
    return DbVersion(*LoadDbFile(dbPath));
}

QString SeriesKey(uint8_t seriesByte) {
    return QStringLiteral("%1").arg(seriesByte, 2, 16, QLatin1Char('0')).toUpper();
}

QString ReadDbByModel(const DbText& db, const QString& section, const QString& modelId,
                      uint8_t seriesByte) {
    QString value;
    if (!modelId.trimmed().isEmpty()) value = db.read(section, modelId);
    if (value.isEmpty()) value = db.read(section, SeriesKey(seriesByte));
    return value;
}

QStringList LoadTypeList(const DbText& db) {
    return SplitList(db.read(u"TYPE", u"type"));
}

QString LoadSeriesNames(const DbText& db, const QStringList& typeList) {
    QStringList names;
    for (const QString& code : typeList) names << db.read(u"TYPE", code).section(u':', 0, 0);
    return names.join(QStringLiteral("\r\n"));
}

QStringList LoadSeriesParameters(const DbText& db, const QStringList& typeList, int index) {
    if (index < 0 || index >= typeList.size()) return {};
    const QString row = db.read(u"TYPE", typeList.at(index));
    const qsizetype colon = row.indexOf(u':');
    return colon < 0 ? QStringList() : SplitList(row.mid(colon + 1));
}

SeriesCatalog SeriesCatalog::of(const DbText& db) {
    SeriesCatalog catalog;
    catalog.TypeList = LoadTypeList(db);
    catalog.SeriesNames = LoadSeriesNames(db, catalog.TypeList);
    return catalog;
}

ModelRecord DecodeModelRecord(const QString& record, const QStringList& typeList) {
    ModelRecord rec;
    if (record.isEmpty()) return rec;
    rec.TypeCode = HexDigit(record.front());
    if (rec.TypeCode >= 0) {
        for (qsizetype i = 0; i < typeList.size(); ++i) {
            if (LeadingDecimal(typeList.at(i)) == rec.TypeCode && !typeList.at(i).isEmpty()) {
                rec.SeriesIndex = static_cast<int>(i);
                break;
            }
        }
    }
    if (record.size() < 6) return rec;
    rec.Model = record.mid(1, record.size() - 6);
    const QStringView sizes = QStringView(record).right(5);
    rec.Flash = LeadingHex(sizes.mid(0, 2)) * 256;
    if (rec.Flash == 0) rec.Flash = 65536;
    rec.Memory = LeadingHex(sizes.mid(2, 1)) * 256;
    rec.Eeprom = LeadingHex(sizes.mid(3, 2)) * 256;
    return rec;
}

QString LookupModelRecord(const DbText& db, const QString& modelId) {
    if (modelId.trimmed().isEmpty()) return {};
    return db.read(u"ID", modelId);
}

QStringList LoadStepList(const DbText& db, JobType job, const QString& modelId,
                         uint8_t seriesByte) {
    const QString section = StepSection(job);
    if (section.isEmpty()) return {};
    return SplitList(ReadDbByModel(db, section, modelId, seriesByte));
}

QStringList LoadOptionDescriptors(const DbText& db, const QString& modelId, uint8_t seriesByte) {
    const QString value = ReadDbByModel(db, QStringLiteral("OPTION"), modelId, seriesByte);
    return value == u"0" ? QStringList() : SplitList(value);
}

QString LoadOptionFormat(const DbText& db, const QString& modelId, uint8_t seriesByte) {
    return ReadDbByModel(db, QStringLiteral("FORMAT"), modelId, seriesByte);
}

DbSnapshot LoadDbFileReusing(const QString& path) {
    // Only a regular file, and never more than a database can be (a FIFO would hang here).
    const auto read = ktext::ReadRegularFile(path, DbText::kMaxFileBytes);
    if (!read) return EmptyDb();
    const QByteArray& bytes = *read;
    static QMutex mutex;
    static QString lastPath;
    static QByteArray lastBytes;
    static DbSnapshot last;
    QMutexLocker lock(&mutex);
    if (last && path == lastPath && bytes == lastBytes) return last;
    lastPath = path;
    lastBytes = bytes;
    last = std::make_shared<const DbText>(DbText::fromBytes(bytes, ktext::ProfileEncoding::Gbk));
    return last;
}

QStringList LoadTypeList(const QString& dbPath) {
    return LoadTypeList(*LoadDbFileReusing(dbPath));
}

QString LookupModelRecord(const QString& dbPath, const QString& modelId) {
    return LookupModelRecord(*LoadDbFileReusing(dbPath), modelId);
}

QStringList LoadStepList(const QString& dbPath, JobType job, const QString& modelId,
                         uint8_t seriesByte) {
    return LoadStepList(*LoadDbFileReusing(dbPath), job, modelId, seriesByte);
}

QStringList LoadOptionDescriptors(const QString& dbPath, const QString& modelId,
                                  uint8_t seriesByte) {
    return LoadOptionDescriptors(*LoadDbFileReusing(dbPath), modelId, seriesByte);
}

QString LoadOptionFormat(const QString& dbPath, const QString& modelId, uint8_t seriesByte) {
    return LoadOptionFormat(*LoadDbFileReusing(dbPath), modelId, seriesByte);
}

}  // namespace zel
