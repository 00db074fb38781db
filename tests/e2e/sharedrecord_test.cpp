// The shared production record on a real PostgreSQL server, started and stopped here by
// scripts/pg-test-server: stations (korvan-cli processes, each a gang of chips) take their
// serial numbers from one pool and never give one twice nor skip one; a failed chip's number
// goes to the next chip, at whichever station.
#include "e2eenv.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <memory>
#include <set>

namespace e2e {
namespace {

constexpr int kSerialAddress = 0x400;

class SharedRecord : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        QProcess script;
        script.start(QStringLiteral(KORVAN_SOURCE_DIR "/scripts/pg-test-server"),
                     {QStringLiteral("start")});
        ASSERT_TRUE(script.waitForFinished(kPatienceMs));
        const QStringList lines =
            QString::fromUtf8(script.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
        ASSERT_EQ(lines.size(), 2);
        s_dir = lines[0];
        s_url = lines[1];
    }
    static void TearDownTestSuite() {
        if (s_dir.isEmpty()) return;
        QProcess::execute(QStringLiteral(KORVAN_SOURCE_DIR "/scripts/pg-test-server"),
                          {QStringLiteral("stop"), s_dir});
    }
    void SetUp() override {
        if (s_url.isEmpty()) GTEST_FAIL() << "the PostgreSQL test server did not start";
    }

    // A station: settings and data folders of its own, the server's password file.
    static QProcessEnvironment station() {
        QProcessEnvironment env = programEnvironment();
        const QString folder = newFolder();
        env.insert("XDG_DATA_HOME", folder + "/data");
        env.insert("KORVAN_HOME", folder + "/korvan");
        env.insert("PGPASSFILE", s_dir + "/pgpass");
        QDir().mkpath(folder + "/korvan");
        return env;
    }
    // A code file whose name is the pool's: each test has a pool of its own.
    static QString codeFile(const QString& name) {
        const QString file = newFolder() + '/' + name;
        EXPECT_TRUE(writeFile(file, asBytes(sampleImage(500, 9))));
        return file;
    }
    static QStringList downloadArgs(const QString& file, const QStringList& ports) {
        return QStringList{"download",    file,  "--inc", "0400:%NL4:1",
                           "--record-db", s_url, "--json"} +
               ports;
    }

    static QString s_dir, s_url;
};

QString SharedRecord::s_dir;
QString SharedRecord::s_url;

struct Finished {
    int exitCode = -1;
    QJsonObject summary;
    QString output;
};

// Runs korvan-cli processes at the same time and waits for all of them.
std::vector<Finished> RunTogether(const std::vector<QStringList>& runs,
                                  const QProcessEnvironment& envA,
                                  const QProcessEnvironment& envB) {
    std::vector<std::unique_ptr<QProcess>> processes;
    for (size_t i = 0; i < runs.size(); ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(i % 2 ? envB : envA);
        p->start(QStringLiteral(KORVAN_CLI_PATH), runs[i]);
        processes.push_back(std::move(p));
    }
    std::vector<Finished> out;
    for (auto& p : processes) {
        Finished f;
        if (p->waitForFinished(kPatienceMs)) f.exitCode = p->exitCode();
        f.output = QString::fromUtf8(p->readAllStandardOutput() + p->readAllStandardError());
        for (const QString& line : f.output.split('\n', Qt::SkipEmptyParts)) {
            const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
            if (o.value("event").toString() == "summary") f.summary = o;
        }
        out.push_back(f);
    }
    return out;
}

std::vector<qint64> SerialsOf(const QJsonObject& summary) {
    std::vector<qint64> numbers;
    for (const QJsonValue& port : summary.value("ports").toArray())
        for (const QJsonValue& n : port.toObject().value("serials").toArray())
            numbers.push_back(n.toInteger());
    return numbers;
}

TEST_F(SharedRecord, TwoStationsOfFourChipsRepeatingThreeTimesGet24DistinctNumbers) {
    const QString file = codeFile(QStringLiteral("two-stations.bin"));
    const QStringList gang{"--sim", "D103x4", "--repeat", "3"};
    const std::vector<Finished> done =
        RunTogether({downloadArgs(file, gang), downloadArgs(file, gang)}, station(), station());
    std::vector<qint64> all;
    for (const Finished& f : done) {
        ASSERT_EQ(f.exitCode, 0) << f.output.toStdString();
        const std::vector<qint64> numbers = SerialsOf(f.summary);
        EXPECT_EQ(numbers.size(), 12u) << f.output.toStdString();
        all.insert(all.end(), numbers.begin(), numbers.end());
    }
    std::sort(all.begin(), all.end());
    std::vector<qint64> expected(24);
    for (int i = 0; i < 24; ++i) expected[static_cast<size_t>(i)] = i + 1;
    EXPECT_EQ(all, expected);

    // Each chip is in the record with its number.
    QProcess record;
    record.setProcessEnvironment(station());
    record.start(QStringLiteral(KORVAN_CLI_PATH),
                 {"record", "--json", "--record-db", s_url, "--task", "two-stations.bin"});
    ASSERT_TRUE(record.waitForFinished(kPatienceMs));
    std::set<qint64> recorded;
    for (const QByteArray& line : record.readAllStandardOutput().split('\n'))
        if (!line.isEmpty())
            recorded.insert(QJsonDocument::fromJson(line).object().value("serial").toInteger());
    EXPECT_EQ(recorded.size(), 24u);
}

// The serial number in a chip's flash: %NL4 writes four bytes, high byte first.
qint64 SerialIn(const QByteArray& flash) {
    if (flash.size() < kSerialAddress + 4) return -1;
    qint64 n = 0;
    for (int i = 0; i < 4; ++i) n = n * 256 + static_cast<uint8_t>(flash.at(kSerialAddress + i));
    return n;
}

TEST_F(SharedRecord, AFailedChipsNumberGoesToTheNextChip) {
    const QString file = codeFile(QStringLiteral("one-fails.bin"));
    const QString folder = newFolder();
    std::vector<std::unique_ptr<SimProcess>> chips;
    QStringList paths;
    for (int i = 0; i < 4; ++i) {
        QStringList args{"--boot-delay",
                         "30",
                         "--erase-ms",
                         "0",
                         "--once",
                         "--image-out",
                         folder + QStringLiteral("/flash%1.bin").arg(i)};
        // The third chip loses the replies to its first block: it took a number, and fails.
        if (i == 2)
            args << "--fault"
                 << "drop=5"
                 << "--fault"
                 << "drop=6"
                 << "--fault"
                 << "drop=7";
        chips.push_back(std::make_unique<SimProcess>("D103", args));
        ASSERT_TRUE(chips.back()->start());
        paths << chips.back()->path();
    }
    const QProcessEnvironment first = station();
    const CliResult r =
        runCli(downloadArgs(file, {"--ports", paths.join(',')}), kPatienceMs, first);
    EXPECT_EQ(r.exitCode, 1) << r.dump();
    std::set<qint64> kept;
    for (int i = 0; i < 4; ++i) {
        if (i == 2) continue;
        ASSERT_TRUE(chips[static_cast<size_t>(i)]->waitForExit(kPatienceMs));
        QFile flash(folder + QStringLiteral("/flash%1.bin").arg(i));
        ASSERT_TRUE(flash.open(QIODevice::ReadOnly)) << r.dump();
        kept.insert(SerialIn(flash.readAll()));
    }
    ASSERT_EQ(kept.size(), 3u) << r.dump();
    qint64 givenBack = 0;
    for (qint64 n = 1; n <= 4; ++n)
        if (!kept.count(n)) givenBack = n;
    ASSERT_NE(givenBack, 0) << r.dump();

    // The next chip, at another station, takes it; the one after gets the next new number.
    const QProcessEnvironment second = station();
    for (const qint64 expected : {givenBack, qint64{5}}) {
        const CliResult next = runCli(downloadArgs(file, {"--sim", "D103"}), kPatienceMs, second);
        ASSERT_EQ(next.exitCode, 0) << next.dump();
        EXPECT_TRUE(next.logged(QStringLiteral("本片增量(N)：%1").arg(expected))) << next.dump();
    }
}

// Two configuration files that name the same pool share its numbers; the files keep their own
// next number untouched, since the database keeps it.
TEST_F(SharedRecord, FilesThatNameOnePoolShareItsNumbers) {
    QStringList files;
    for (const char* name : {"a", "b"}) {
        const QString folder = newFolder();
        ASSERT_TRUE(writeFile(folder + "/code.bin", asBytes(sampleImage(400, 3))));
        korvan::IniDocument doc = incrementSettings(70);
        doc.write("UserSet", "UserFile", "\"%AppPath%code.bin\"");
        doc.write("AddData", "Pool", "\"line-7 board\"");
        files << folder + QStringLiteral("/%1.mcu").arg(name);
        ASSERT_TRUE(doc.save(files.last()));
    }
    const QProcessEnvironment env = station();
    std::vector<qint64> numbers;
    for (const QString& file : files) {
        const CliResult r =
            runCli({"download", file, "--sim", "D103x2", "--record-db", s_url, "--json"},
                   kPatienceMs, env);
        ASSERT_EQ(r.exitCode, 0) << r.dump();
        for (const qint64 n : SerialsOf(r.summary())) numbers.push_back(n);
        EXPECT_EQ(korvan::IniDocument::load(file).read("AddData", "Data", ""), "70");
    }
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (std::vector<qint64>{70, 71, 72, 73}));
}

}  // namespace
}  // namespace e2e
