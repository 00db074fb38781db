#include "record/recorddatabase.h"

#include "record/recordtexts.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace korvan::record {
namespace {

QString NewConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("korvan-record-%1").arg(++counter);
}

const QString kIso = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ");
// The advisory lock that creating or upgrading the tables holds in PostgreSQL.
constexpr qint64 kSchemaLock = 0x4B4F5256;

// What each schema version adds. A new database runs every step, an older one the steps after
// its own version, all in the transaction that records the new version.
QStringList SchemaSteps(int version, bool postgres) {
    if (version == 2) {
        // Who holds a taken number besides the station: the machine and the process, so that a
        // station can give back what its crashed processes held (changed_utc says since when).
        return {
            QStringLiteral("ALTER TABLE serial_number ADD COLUMN host TEXT NOT NULL DEFAULT ''"),
            QStringLiteral("ALTER TABLE serial_number ADD COLUMN pid BIGINT NOT NULL DEFAULT 0"),
        };
    }
    if (version != 1) return {};
    // The two dialects differ in the row key only.
    const QString key = postgres ? QStringLiteral("id BIGSERIAL PRIMARY KEY")
                                 : QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT");
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS production_record (%1, ended_utc TEXT NOT "
                       "NULL, utc_offset INTEGER NOT NULL, station TEXT NOT NULL, program "
                       "TEXT NOT NULL, version TEXT NOT NULL, port TEXT NOT NULL, job TEXT NOT "
                       "NULL, chip_model TEXT NOT NULL, chip_id TEXT NOT NULL, chip_serial TEXT "
                       "NOT NULL, bootloader TEXT NOT NULL, clock_hz BIGINT NOT NULL, code_file "
                       "TEXT NOT NULL, code_size BIGINT NOT NULL, code_sum TEXT NOT NULL, "
                       "code_sha256 TEXT NOT NULL, options TEXT NOT NULL, rate BIGINT NOT NULL, "
                       "serial BIGINT, task TEXT NOT NULL, result TEXT NOT NULL, cause TEXT NOT "
                       "NULL, duration_ms BIGINT NOT NULL)")
            .arg(key),
        QStringLiteral("CREATE INDEX IF NOT EXISTS production_record_ended ON "
                       "production_record (ended_utc)"),
        // A pool's next new number; its row is the lock every taker of the pool queues on.
        QStringLiteral("CREATE TABLE IF NOT EXISTS serial_pool (pool TEXT PRIMARY KEY, next_new "
                       "BIGINT NOT NULL)"),
        // Every number handed out: taken (a job runs), kept (a chip has it) or free (given
        // back, the next job takes the lowest).
        QStringLiteral("CREATE TABLE IF NOT EXISTS serial_number (pool TEXT NOT NULL, number "
                       "BIGINT NOT NULL, state TEXT NOT NULL, station TEXT NOT NULL, changed_utc "
                       "TEXT NOT NULL, PRIMARY KEY (pool, number))"),
    };
}

}  // namespace

RecordDatabase::RecordDatabase(DatabaseUrl url)
    : m_url(std::move(url)), m_name(NewConnectionName()) {}

RecordDatabase::~RecordDatabase() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isValid()) db.close();
    }
    if (QSqlDatabase::contains(m_name)) QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase RecordDatabase::connection() const {
    return QSqlDatabase::database(m_name, false);
}

bool RecordDatabase::fail(const QString& why) {
    // Driver texts come in several lines; the user reads them in one.
    m_error = why.simplified();
    return false;
}

bool RecordDatabase::open() {
    if (m_ready) return true;
    const QString driver = postgres() ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
    if (!QSqlDatabase::isDriverAvailable(driver)) return fail(text::kNoSqlDriver + ' ' + driver);
    QSqlDatabase db = QSqlDatabase::contains(m_name) ? QSqlDatabase::database(m_name, false)
                                                     : QSqlDatabase::addDatabase(driver, m_name);
    if (postgres()) {
        db.setHostName(m_url.host);
        db.setPort(m_url.port);
        db.setDatabaseName(m_url.database);
        db.setUserName(m_url.user);
        // libpq reads the password from ~/.pgpass or PGPASSFILE by itself.
        QString options = m_url.options;
        if (!options.contains(QLatin1String("connect_timeout")))
            options += QStringLiteral("%1connect_timeout=5").arg(options.isEmpty() ? "" : ";");
        db.setConnectOptions(options);
    } else {
        const QFileInfo file(m_url.path);
        if (!QDir().mkpath(file.absolutePath()))
            return fail(QStringLiteral("%1: %2").arg(file.absolutePath(), "mkdir"));
        db.setDatabaseName(m_url.path);
        // Another process writing at the same moment is waited for, not an error.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    if (!db.open()) return fail(db.lastError().text());
    // "already exists, skipping" and the like are not for the user's terminal.
    if (postgres()) QSqlQuery(db).exec(QStringLiteral("SET client_min_messages TO WARNING"));
    // A write-ahead log commits a row with one flush instead of several (still flushed: a row
    // is on disk when its job is reported), and readers (the record window, korvan-cli
    // record) never hold up a station's writes.
    if (!postgres()) {
        QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous=FULL"));
    }
    if (!createSchema()) {
        db.close();
        return false;
    }
    m_ready = true;
    return true;
}

bool RecordDatabase::createSchema() {
    QSqlDatabase db = connection();
    QSqlQuery q(db);
    auto undo = [this, &q] {
        const QString why = q.lastError().text();
        QSqlQuery(connection()).exec(QStringLiteral("ROLLBACK"));
        return fail(why);
    };
    // Stations that start together would otherwise race to create the same tables; the first
    // one creates them, the others wait and find them.
    if (!q.exec(postgres() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")))
        return fail(q.lastError().text());
    if (postgres() && !q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kSchemaLock)))
        return undo();
    if (!q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS korvan_schema (version INTEGER NOT "
                               "NULL)")) ||
        !q.exec(QStringLiteral("SELECT MAX(version) FROM korvan_schema")))
        return undo();
    const int version = q.next() && !q.value(0).isNull() ? q.value(0).toInt() : 0;
    if (version > kSchemaVersion) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return fail(text::kSchemaNewer);
    }
    if (version < kSchemaVersion) {
        for (int step = version + 1; step <= kSchemaVersion; ++step)
            for (const QString& statement : SchemaSteps(step, postgres()))
                if (!q.exec(statement)) return undo();
        if (!q.exec(QStringLiteral("DELETE FROM korvan_schema")) ||
            !q.exec(QStringLiteral("INSERT INTO korvan_schema (version) VALUES (%1)")
                        .arg(kSchemaVersion)))
            return undo();
    }
    if (!q.exec(QStringLiteral("COMMIT"))) return undo();
    return true;
}

bool RecordDatabase::insert(const QList<ProductionRow>& rows) {
    if (!m_ready && !open()) return false;
    QSqlDatabase db = connection();
    if (!db.transaction()) return fail(db.lastError().text());
    QSqlQuery q(db);
    const QStringList& columns = RowColumns();
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i) marks << QStringLiteral("?");
    const QString sql = QStringLiteral("INSERT INTO production_record (%1) VALUES (%2)")
                            .arg(columns.join(','), marks.join(','));
    for (const ProductionRow& r : rows) {
        if (!q.prepare(sql)) break;
        const QStringList values = RowValues(r);
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const QString& column = columns[i];
            if (column == QLatin1String("serial"))
                q.addBindValue(r.serial ? QVariant(*r.serial)
                                        : QVariant(QMetaType::fromType<qint64>()));
            else if (column == "utc_offset" || column == "clock_hz" || column == "code_size" ||
                     column == "rate" || column == "duration_ms")
                q.addBindValue(values[i].toLongLong());
            else  // a text that is not there is stored as "", never as NULL
                q.addBindValue(values[i].isNull() ? QStringLiteral("") : values[i]);
        }
        if (!q.exec()) {
            const QString why = q.lastError().text();
            db.rollback();
            return fail(why);
        }
    }
    if (!db.commit()) {
        const QString why = db.lastError().text();
        db.rollback();
        return fail(why);
    }
    return true;
}

std::optional<QList<ProductionRow>> RecordDatabase::rows(const RowFilter& filter) {
    if (!m_ready && !open()) return {};
    QStringList where;
    QVariantList binds;
    if (filter.since) {
        where << QStringLiteral("ended_utc >= ?");
        binds << filter.since->toUTC().toString(kIso);
    }
    if (!filter.task.isEmpty()) {
        where << QStringLiteral("task = ?");
        binds << filter.task;
    }
    if (!filter.result.isEmpty()) {
        where << QStringLiteral("result = ?");
        binds << filter.result;
    }
    QString sql = QStringLiteral("SELECT %1 FROM production_record").arg(RowColumns().join(','));
    if (!where.isEmpty()) sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += filter.limit > 0 ? QStringLiteral(" ORDER BY id DESC LIMIT %1").arg(filter.limit)
                            : QStringLiteral(" ORDER BY id");
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        fail(q.lastError().text());
        return {};
    }
    for (const QVariant& v : binds) q.addBindValue(v);
    if (!q.exec()) {
        fail(q.lastError().text());
        return {};
    }
    QList<ProductionRow> out;
    while (q.next()) {
        QJsonObject o;
        const QStringList& columns = RowColumns();
        for (int i = 0; i < columns.size(); ++i) {
            const QVariant v = q.value(i);
            if (columns[i] == QLatin1String("serial")) {
                if (!v.isNull()) o.insert(columns[i], v.toLongLong());
            } else if (v.typeId() == QMetaType::QString) {
                o.insert(columns[i], v.toString());
            } else {
                o.insert(columns[i], v.toLongLong());
            }
        }
        // The numeric columns come back as text from some drivers.
        for (const char* n : {"utc_offset", "clock_hz", "code_size", "rate", "duration_ms"})
            o.insert(n, o.value(n).isString() ? o.value(n).toString().toLongLong()
                                              : o.value(n).toInteger());
        if (auto row = RowFromJson(o)) out << *row;
    }
    if (filter.limit > 0) std::reverse(out.begin(), out.end());
    return out;
}

}  // namespace korvan::record
