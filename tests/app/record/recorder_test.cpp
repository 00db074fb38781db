// The production record on SQLite: one row per job with its facts, a row the database could
// not take kept in the spool and written at the next start, nothing at all when recording is
// off, and the CSV that the record exports.
#include "record/recorder.h"
#include "record/recordcsv.h"
#include "record/recordtexts.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace korvan::record {
namespace {

jobs::JobFacts SampleFacts(jobs::Outcome outcome, std::optional<qint64> serial) {
    jobs::JobFacts f;
    f.result.jobType = 2;
    f.result.outcome = outcome;
    f.result.identified = true;
    f.cause = outcome == jobs::Outcome::Success ? QString() : QStringLiteral("单片机没有应答");
    f.chip.model = QStringLiteral("ZELH64AD");
    f.chip.id = QStringLiteral("D103");
    f.chip.version = QStringLiteral("6.2 C");
    f.chip.cpu = 11059200;
    f.chip.sn = QStringLiteral("00-1A-2B");
    f.chip.options = {QStringLiteral("振荡器增益：高增益"), QStringLiteral("RESET：复位脚")};
    f.port = QStringLiteral("/dev/ttyUSB0");
    f.startedAt = QDateTime(QDate(2026, 12, 9), QTime(8, 0, 0), Qt::UTC);
    f.endedAt = f.startedAt.addMSecs(1234);
    f.codeFile = QStringLiteral("/work/fw/board.hex");
    f.code = QByteArray("\x02\x00\x03", 3);
    f.codeSum = QStringLiteral("00000005");
    f.rate = 115200;
    f.serial = serial;
    f.task = QStringLiteral("board.mcp");
    return f;
}

RecorderSetup SetupIn(const QTemporaryDir& dir) {
    RecorderSetup s;
    s.station = {QStringLiteral("line-2"), QStringLiteral("korvan-cli"), QStringLiteral("1.0")};
    s.dataFolder = dir.path() + QStringLiteral("/korvan");
    return s;
}

QList<ProductionRow> StoredRows(const QTemporaryDir& dir, RowFilter filter = {}) {
    DatabaseUrl url;
    url.path = dir.path() + QStringLiteral("/korvan/record.sqlite");
    RecordDatabase db(url);
    EXPECT_TRUE(db.open()) << db.error().toStdString();
    return db.rows(filter).value_or(QList<ProductionRow>{});
}

// Runs `sql` on the record file through a connection of its own.
void OnTheFile(const QTemporaryDir& dir, const QStringList& statements) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "side");
        db.setDatabaseName(dir.path() + QStringLiteral("/korvan/record.sqlite"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const QString& s : statements) ASSERT_TRUE(q.exec(s)) << s.toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase("side");
}

TEST(Recorder, WritesOneRowPerJobWithItsFacts) {
    QTemporaryDir dir;
    Recorder recorder(SetupIn(dir));
    ASSERT_TRUE(recorder.start());
    recorder.jobRecorded(SampleFacts(jobs::Outcome::Success, 41));
    recorder.jobRecorded(SampleFacts(jobs::Outcome::TimedOut, std::nullopt));

    const QList<ProductionRow> rows = StoredRows(dir);
    ASSERT_EQ(rows.size(), 2);
    const ProductionRow& r = rows[0];
    EXPECT_EQ(r.endedAt, QDateTime(QDate(2026, 12, 9), QTime(8, 0, 1, 234), Qt::UTC));
    EXPECT_EQ(r.station, "line-2");
    EXPECT_EQ(r.program, "korvan-cli");
    EXPECT_EQ(r.version, "1.0");
    EXPECT_EQ(r.port, "/dev/ttyUSB0");
    EXPECT_EQ(r.job, "download");
    EXPECT_EQ(r.chipModel, "ZELH64AD");
    EXPECT_EQ(r.chipId, "D103");
    EXPECT_EQ(r.chipSerial, "00-1A-2B");
    EXPECT_EQ(r.bootloader, "6.2 C");
    EXPECT_EQ(r.clock, 11059200);
    EXPECT_EQ(r.codeFile, "board.hex");
    EXPECT_EQ(r.codeSize, 3);
    EXPECT_EQ(r.codeSum, "00000005");
    // sha256sum of the bytes 02 00 03.
    EXPECT_EQ(r.codeSha256, "1d9b023eb0fffb1b54329ef89e0fd31348d5cd1c79ed747468f433f206c40e49");
    EXPECT_EQ(r.options, "振荡器增益：高增益; RESET：复位脚");
    EXPECT_EQ(r.rate, 115200);
    EXPECT_EQ(r.serial, 41);
    EXPECT_EQ(r.task, "board.mcp");
    EXPECT_EQ(r.result, "ok");
    EXPECT_EQ(r.cause, "");
    EXPECT_EQ(r.durationMs, 1234);
    EXPECT_EQ(rows[1].result, "failed");
    EXPECT_EQ(rows[1].cause, "单片机没有应答");
    EXPECT_FALSE(rows[1].serial.has_value());
}

TEST(Recorder, FiltersByTimeTaskAndResult) {
    QTemporaryDir dir;
    Recorder recorder(SetupIn(dir));
    ASSERT_TRUE(recorder.start());
    jobs::JobFacts late = SampleFacts(jobs::Outcome::Failed, std::nullopt);
    late.endedAt = late.endedAt.addDays(1);
    late.task = QStringLiteral("other.mcp");
    recorder.jobRecorded(SampleFacts(jobs::Outcome::Success, 1));
    recorder.jobRecorded(late);
    struct Case {
        RowFilter filter;
        int rows;
    } cases[] = {
        {{}, 2},
        {{QDateTime(QDate(2026, 12, 10), QTime(0, 0), Qt::UTC), {}, {}, 0}, 1},
        {{std::nullopt, QStringLiteral("board.mcp"), {}, 0}, 1},
        {{std::nullopt, {}, QStringLiteral("failed"), 0}, 1},
        {{std::nullopt, QStringLiteral("board.mcp"), QStringLiteral("failed"), 0}, 0},
        {{std::nullopt, {}, {}, 1}, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(StoredRows(dir, c.filter).size(), c.rows);
    // The latest rows, oldest of them first.
    RowFilter latest;
    latest.limit = 1;
    EXPECT_EQ(StoredRows(dir, latest).value(0).task, "other.mcp");
}

TEST(Recorder, ARowTheDatabaseRefusesIsSpooledSaidOnceAndWrittenAtTheNextStart) {
    QTemporaryDir dir;
    QStringList said;
    {
        Recorder recorder(SetupIn(dir));
        recorder.setOnProblem([&said](const QString& text) { said << text; });
        ASSERT_TRUE(recorder.start());
        // The table can no longer take rows (as a locked or broken database cannot).
        OnTheFile(dir, {"ALTER TABLE production_record RENAME TO kept_aside",
                        "CREATE VIEW production_record AS SELECT * FROM kept_aside"});
        EXPECT_FALSE(recorder.record(RowOf(SampleFacts(jobs::Outcome::Success, 7), {})));
        EXPECT_FALSE(recorder.record(RowOf(SampleFacts(jobs::Outcome::Failed, 8), {})));
        ASSERT_EQ(said.size(), 1) << said.join('\n').toStdString();
        EXPECT_TRUE(said[0].contains(recorder.spool().path()));
        EXPECT_EQ(recorder.spool().rows().size(), 2);
    }
    OnTheFile(
        dir, {"DROP VIEW production_record", "ALTER TABLE kept_aside RENAME TO production_record"});
    Recorder next(SetupIn(dir));
    ASSERT_TRUE(next.start());
    const QList<ProductionRow> rows = StoredRows(dir);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].serial, 7);
    EXPECT_EQ(rows[1].serial, 8);
    EXPECT_FALSE(QFile::exists(next.spool().path()));
}

// Without a home folder there is no place for the record: the job goes on, the user hears it
// once, and no folder is made up.
TEST(Recorder, WithoutADataFolderNothingIsWrittenAndItIsSaidOnce) {
    RecorderSetup setup;
    QStringList said;
    Recorder recorder(setup);
    recorder.setOnProblem([&said](const QString& text) { said << text; });
    ASSERT_TRUE(recorder.start());
    EXPECT_FALSE(recorder.record(RowOf(SampleFacts(jobs::Outcome::Success, 1), {})));
    EXPECT_FALSE(recorder.record(RowOf(SampleFacts(jobs::Outcome::Success, 2), {})));
    EXPECT_EQ(said, QStringList{text::kNoDataFolder});
    EXPECT_FALSE(QFile::exists(recorder.spool().path()));

    const QByteArray home = qgetenv("HOME"), data = qgetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_HOME");
    qputenv("HOME", "/nonexistent-korvan-home");
    EXPECT_EQ(DefaultDataFolder(), QString());
    qputenv("XDG_DATA_HOME", "/srv/data");
    EXPECT_EQ(DefaultDataFolder(), "/srv/data/korvan");
    qputenv("HOME", home);
    if (data.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", data);
}

TEST(Recorder, AnUnusableDatabaseTextStopsTheStart) {
    QTemporaryDir dir;
    RecorderSetup setup = SetupIn(dir);
    setup.database = QStringLiteral("postgresql://u:pw@h/db");
    Recorder recorder(setup);
    EXPECT_FALSE(recorder.start());
    EXPECT_FALSE(recorder.error().isEmpty());
}

TEST(RecordCsv, QuotesWhatNeedsItAndDisarmsFormulas) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"plain", "plain"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"=SUM(A1)", "'=SUM(A1)"},
        {"@x", "'@x"},
        {"-5", "-5"},
        {"-x", "'-x"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CsvField(QString::fromUtf8(c.in)), c.out) << c.in;
    const ProductionRow row = RowOf(SampleFacts(jobs::Outcome::Success, 3), {});
    const QStringList lines = RowsToCsv({row}).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("ended_utc,"));
    EXPECT_TRUE(lines[1].contains(",board.mcp,ok,"));
}

}  // namespace
}  // namespace korvan::record
