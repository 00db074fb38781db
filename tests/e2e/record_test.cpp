// The production record as korvan-cli keeps it: a row for every job that reached a chip, read
// back with `korvan-cli record`; a record that cannot be written never fails the download and
// its rows reach the database at the next start; switched off, nothing is written.
#include "e2eenv.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>

namespace e2e {
namespace {

// A station of its own: its own settings and data folders.
struct Station {
    QString folder = newFolder();
    QProcessEnvironment env = [this] {
        QProcessEnvironment e = programEnvironment();
        e.insert("XDG_DATA_HOME", folder + "/data");
        e.insert("KORVAN_HOME", folder + "/korvan");
        QDir().mkpath(folder + "/korvan");
        return e;
    }();
    QString recordFile() const { return folder + "/data/korvan/record.sqlite"; }
    QString spoolFile() const { return folder + "/data/korvan/record-spool.jsonl"; }

    CliResult run(const QStringList& args) const { return runCli(args, kPatienceMs, env); }
    std::vector<QJsonObject> rows(const QStringList& filters = {}) const {
        const CliResult r = run(QStringList{"record", "--json"} + filters);
        EXPECT_EQ(r.exitCode, 0) << r.dump();
        std::vector<QJsonObject> out;
        for (const QString& line : r.out.split('\n', Qt::SkipEmptyParts))
            out.push_back(QJsonDocument::fromJson(line.toUtf8()).object());
        return out;
    }
    bool writeConfig(const QByteArray& text) const {
        return writeFile(folder + "/korvan/Config.ini", text);
    }
};

TEST(Record, EveryJobThatReachedAChipLeavesARowWithItsFacts) {
    Station station;
    const Bytes image = sampleImage(600, 77);
    const QString file = station.folder + "/board.bin";
    ASSERT_TRUE(writeFile(file, asBytes(image)));
    const CliResult down =
        station.run({"download", file, "--sim", "D103", "--inc", "0400:%NL4:42"});
    ASSERT_EQ(down.exitCode, 0) << down.dump();
    const CliResult check = station.run({"check", "--sim", "D103"});
    ASSERT_EQ(check.exitCode, 0) << check.dump();

    const std::vector<QJsonObject> rows = station.rows();
    ASSERT_EQ(rows.size(), 2u);
    const QJsonObject& r = rows[0];
    EXPECT_EQ(r.value("job").toString(), "download");
    EXPECT_EQ(r.value("program").toString(), "korvan-cli");
    EXPECT_FALSE(r.value("station").toString().isEmpty());
    EXPECT_FALSE(r.value("port").toString().isEmpty());
    EXPECT_EQ(r.value("chip_id").toString(), "D103");
    EXPECT_FALSE(r.value("chip_model").toString().isEmpty());
    EXPECT_FALSE(r.value("bootloader").toString().isEmpty());
    EXPECT_GT(r.value("clock_hz").toInteger(), 0);
    EXPECT_EQ(r.value("code_file").toString(), "board.bin");
    EXPECT_EQ(r.value("code_size").toInteger(), 600);
    EXPECT_EQ(r.value("code_sha256").toString(),
              QCryptographicHash::hash(asBytes(image), QCryptographicHash::Sha256).toHex());
    EXPECT_FALSE(r.value("options").toString().isEmpty());
    EXPECT_GT(r.value("rate").toInteger(), 0);
    EXPECT_EQ(r.value("serial").toInteger(), 42);
    EXPECT_EQ(r.value("task").toString(), "board.bin");
    EXPECT_EQ(r.value("result").toString(), "ok");
    EXPECT_GE(r.value("duration_ms").toInteger(), 0);
    EXPECT_EQ(rows[1].value("job").toString(), "check");
    EXPECT_TRUE(rows[1].value("serial").isNull());

    // The filters and CSV.
    EXPECT_EQ(station.rows({"--result", "failed"}).size(), 0u);
    EXPECT_EQ(station.rows({"--task", "board.bin"}).size(), 1u);
    EXPECT_EQ(station.rows({"--since", "2999-01-01"}).size(), 0u);
    const CliResult csv = station.run({"record", "--csv"});
    EXPECT_EQ(csv.out.count("\r\n"), 3) << csv.dump();
}

TEST(Record, AFailedJobIsRecordedWithItsCauseAndAJobWithoutAChipIsNot) {
    Station station;
    SimProcess sim("D103", {"--boot-delay", "30", "--erase-ms", "0", "--fault", "drop=5", "--fault",
                            "drop=6", "--fault", "drop=7"});
    ASSERT_TRUE(sim.start());
    const QString file = station.folder + "/board.bin";
    ASSERT_TRUE(writeFile(file, asBytes(sampleImage(300, 5))));
    EXPECT_NE(station.run({"download", file, "-p", sim.path()}).exitCode, 0);
    SimProcess mute("D103", {"--fault", "mute-sync"});
    ASSERT_TRUE(mute.start());
    EXPECT_NE(station.run({"download", file, "-p", mute.path(), "--wait", "1"}).exitCode, 0);
    const std::vector<QJsonObject> rows = station.rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].value("result").toString(), "failed");
    EXPECT_FALSE(rows[0].value("cause").toString().isEmpty());
}

TEST(Record, ARecordThatCannotBeWrittenNeverFailsTheJobAndCatchesUpLater) {
    Station station;
    // A folder where the database file should be: it cannot be opened.
    ASSERT_TRUE(QDir().mkpath(station.recordFile()));
    const QString file = station.folder + "/board.bin";
    ASSERT_TRUE(writeFile(file, asBytes(sampleImage(300, 6))));
    const CliResult down = station.run({"download", file, "--sim", "D103x2"});
    EXPECT_EQ(down.exitCode, 0) << down.dump();
    EXPECT_EQ(down.err.count(QStringLiteral("生产记录无法写入")), 1) << down.dump();
    EXPECT_TRUE(QFile::exists(station.spoolFile()));

    ASSERT_TRUE(QDir(station.recordFile()).removeRecursively());
    const CliResult check = station.run({"check", "--sim", "D103"});
    EXPECT_EQ(check.exitCode, 0) << check.dump();
    EXPECT_EQ(station.rows().size(), 3u);
    EXPECT_FALSE(QFile::exists(station.spoolFile()));
}

TEST(Record, SwitchedOffNothingIsWritten) {
    Station station;
    ASSERT_TRUE(station.writeConfig("[Production]\nRecord=0\n"));
    const QString file = station.folder + "/board.bin";
    ASSERT_TRUE(writeFile(file, asBytes(sampleImage(300, 7))));
    EXPECT_EQ(station.run({"download", file, "--sim", "D103"}).exitCode, 0);
    EXPECT_FALSE(QFile::exists(station.recordFile()));
    EXPECT_FALSE(QFile::exists(station.spoolFile()));
}

// A number must never be guessed: a numbered job whose database cannot be reached does not
// start, and says why. Without the increment the same database only loses its rows to the
// spool.
TEST(Record, AnUnreachableDatabaseRefusesToStartANumberedJob) {
    Station station;
    const QString file = station.folder + "/board.bin";
    ASSERT_TRUE(writeFile(file, asBytes(sampleImage(300, 8))));
    const QString nowhere = QStringLiteral("postgresql://korvan@127.0.0.1:1/korvan");
    const CliResult numbered = station.run(
        {"download", file, "--sim", "D103", "--inc", "0400:%NL4:1", "--record-db", nowhere});
    EXPECT_EQ(numbered.exitCode, 1) << numbered.dump();
    EXPECT_TRUE(numbered.err.contains(QStringLiteral("无法连接生产数据库"))) << numbered.dump();
    EXPECT_FALSE(numbered.out.contains(QStringLiteral("程序下载成功"))) << numbered.dump();

    const CliResult plain =
        station.run({"download", file, "--sim", "D103", "--record-db", nowhere});
    EXPECT_EQ(plain.exitCode, 0) << plain.dump();
    EXPECT_TRUE(QFile::exists(station.spoolFile()));
    // A text with a password is refused before anything runs.
    EXPECT_EQ(station
                  .run({"download", file, "--sim", "D103", "--record-db",
                        "postgresql://korvan:pw@127.0.0.1/korvan"})
                  .exitCode,
              2);
}

}  // namespace
}  // namespace e2e
