// The record's tables as earlier programs left them: a new file gets the current schema, a
// version-1 file is upgraded in place with every row kept, and a newer one is left alone.
#include "record/recorddatabase.h"
#include "record/recordtexts.h"
#include "record/serialstore.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

namespace korvan::record {
namespace {

// Schema version 1 exactly as the first recording program made it, with a row in every table.
const QStringList kVersionOne = {
    "CREATE TABLE korvan_schema (version INTEGER NOT NULL)",
    "INSERT INTO korvan_schema (version) VALUES (1)",
    "CREATE TABLE IF NOT EXISTS production_record (id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "ended_utc TEXT NOT NULL, utc_offset INTEGER NOT NULL, station TEXT NOT NULL, program TEXT "
    "NOT NULL, version TEXT NOT NULL, port TEXT NOT NULL, job TEXT NOT NULL, chip_model TEXT NOT "
    "NULL, chip_id TEXT NOT NULL, chip_serial TEXT NOT NULL, bootloader TEXT NOT NULL, clock_hz "
    "BIGINT NOT NULL, code_file TEXT NOT NULL, code_size BIGINT NOT NULL, code_sum TEXT NOT "
    "NULL, code_sha256 TEXT NOT NULL, options TEXT NOT NULL, rate BIGINT NOT NULL, serial "
    "BIGINT, task TEXT NOT NULL, result TEXT NOT NULL, cause TEXT NOT NULL, duration_ms BIGINT "
    "NOT NULL)",
    "CREATE INDEX IF NOT EXISTS production_record_ended ON production_record (ended_utc)",
    "CREATE TABLE IF NOT EXISTS serial_pool (pool TEXT PRIMARY KEY, next_new BIGINT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS serial_number (pool TEXT NOT NULL, number BIGINT NOT NULL, "
    "state TEXT NOT NULL, station TEXT NOT NULL, changed_utc TEXT NOT NULL, PRIMARY KEY (pool, "
    "number))",
    "INSERT INTO production_record (ended_utc, utc_offset, station, program, version, port, job, "
    "chip_model, chip_id, chip_serial, bootloader, clock_hz, code_file, code_size, code_sum, "
    "code_sha256, options, rate, serial, task, result, cause, duration_ms) VALUES "
    "('2026-12-01T08:00:00.000Z', 3600, 'line-1', 'korvan-cli', '1.0', '/dev/ttyUSB0', "
    "'download', 'ZELH64AD', 'D103', '', '6.2 C', 11059200, 'board.hex', 3, '00000005', 'ab', '', "
    "115200, 7, 'board.mcp', 'ok', '', 1234)",
    "INSERT INTO serial_pool (pool, next_new) VALUES ('board.mcp', 9)",
    "INSERT INTO serial_number (pool, number, state, station, changed_utc) VALUES "
    "('board.mcp', 7, 'kept', 'line-1', '2026-12-01T08:00:00.000Z'), "
    "('board.mcp', 8, 'free', 'line-1', '2026-12-01T08:00:01.000Z')",
};

struct SchemaCase {
    const char* name;
    QStringList before;  // statements on the file before the program opens it
    bool opens;
    int version;       // the schema's version afterwards
    int records;       // rows of the production record
    qint64 nextTaken;  // the number the pool gives next
};

const SchemaCase kSchemaCases[] = {
    {"a new file", {}, true, kSchemaVersion, 0, 1},
    {"version 1 with rows", kVersionOne, true, kSchemaVersion, 1, 8},
    {"a newer program's tables",
     {"CREATE TABLE korvan_schema (version INTEGER NOT NULL)",
      QStringLiteral("INSERT INTO korvan_schema (version) VALUES (%1)").arg(kSchemaVersion + 1)},
     false,
     kSchemaVersion + 1,
     0,
     0},
};

// Runs `statements` on the file through a connection of its own; the first column of the
// last statement's first row.
QVariant OnTheFile(const QString& path, const QStringList& statements) {
    QVariant first;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "side");
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        for (const QString& s : statements) EXPECT_TRUE(q.exec(s)) << s.toStdString();
        if (q.next()) first = q.value(0);
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase("side");
    return first;
}

TEST(RecordDatabase, OpensWhatEarlierProgramsLeftAndUpgradesItKeepingEveryRow) {
    for (const SchemaCase& c : kSchemaCases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        DatabaseUrl url;
        url.path = dir.path() + QStringLiteral("/record.sqlite");
        if (!c.before.isEmpty()) OnTheFile(url.path, c.before);
        {
            RecordDatabase db(url);
            ASSERT_EQ(db.open(), c.opens) << db.error().toStdString();
            if (!c.opens) {
                EXPECT_EQ(db.error(), text::kSchemaNewer);
            } else {
                const auto rows = db.rows({});
                ASSERT_TRUE(rows.has_value()) << db.error().toStdString();
                EXPECT_EQ(rows->size(), c.records);
                if (c.records > 0) {
                    EXPECT_EQ(rows->first().serial, 7);
                }
                SerialStore store(db, QStringLiteral("board.mcp"), QStringLiteral("line-2"), 1);
                EXPECT_EQ(store.take(), c.nextTaken) << db.error().toStdString();
            }
        }
        EXPECT_EQ(OnTheFile(url.path, {"SELECT MAX(version) FROM korvan_schema"}).toInt(),
                  c.version);
        if (!c.opens) continue;
        // The number taken names its holder; the kept one keeps its station.
        EXPECT_EQ(
            OnTheFile(url.path, {QStringLiteral("SELECT pid FROM serial_number WHERE number = %1")
                                     .arg(c.nextTaken)})
                .toLongLong(),
            QCoreApplication::applicationPid());
        if (c.records == 0) continue;
        EXPECT_EQ(OnTheFile(url.path, {"SELECT station || state || pid FROM serial_number "
                                       "WHERE number = 7"})
                      .toString(),
                  "line-1kept0");
    }
}

}  // namespace
}  // namespace korvan::record
