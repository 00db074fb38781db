// A gang download: korvan-cli drives four zel-sim chips of different series at once. Every chip
// ends with the image in its flash and a serial number of its own; a chip that fails leaves the
// others alone, the run exits 1 and the table names the port.
#include "core/inidocument.h"
#include "core/taskfile.h"
#include "e2eenv.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <algorithm>
#include <csignal>
#include <map>
#include <memory>
#include <set>

namespace e2e {
namespace {

// Four series: one-byte and two-byte checksums, even parity and none.
const QStringList kModels = {"D103", "E203", "F003", "F203"};
constexpr int kSerialAddress = 0x400;
constexpr qint64 kFirstSerial = 100;

struct Gang {
    Bytes image = sampleImage(700, 41);
    QString folder = newFolder();
    QString file = folder + "/code.bin";
    std::vector<std::unique_ptr<SimProcess>> chips;
    QStringList paths;

    // One chip per model; `faults[i]` are the --fault values of chip i.
    bool start(const std::vector<QStringList>& faults) {
        if (!writeFile(file, asBytes(image))) return false;
        for (int i = 0; i < kModels.size(); ++i) {
            QStringList args{"--boot-delay", "30",          "--erase-ms", "0",
                             "--once",       "--image-out", flashFile(i)};
            for (const QString& fault : faults.at(static_cast<size_t>(i)))
                args << "--fault" << fault;
            chips.push_back(std::make_unique<SimProcess>(kModels.at(i), args));
            if (!chips.back()->start()) return false;
            paths << chips.back()->path();
        }
        return true;
    }
    QString flashFile(int chip) const { return folder + QStringLiteral("/flash%1.bin").arg(chip); }
    QStringList downloadArgs() const {
        return {"download",
                file,
                "--ports",
                paths.join(','),
                "--inc",
                QStringLiteral("%1:%NL4:%2")
                    .arg(kSerialAddress, 4, 16, QLatin1Char('0'))
                    .arg(kFirstSerial)};
    }
    // The flash chip `i` wrote at its program run (once it has ended), or nothing.
    QByteArray flash(int i) {
        auto& read = flashes[i];
        if (read.isEmpty() && chips.at(static_cast<size_t>(i))->waitForExit(kPatienceMs)) {
            QFile f(flashFile(i));
            if (f.open(QIODevice::ReadOnly)) read = f.readAll();
        }
        return read;
    }
    std::map<int, QByteArray> flashes;
};

// The serial number in a chip's flash: %NL4 writes it as four bytes, high byte first.
qint64 serialIn(const QByteArray& flash) {
    if (flash.size() < kSerialAddress + 4) return -1;
    qint64 n = 0;
    for (int i = 0; i < 4; ++i) n = n * 256 + static_cast<uint8_t>(flash.at(kSerialAddress + i));
    return n;
}

TEST(Gang, FourSeriesAtOnceEachWithItsImageAndItsOwnSerialNumber) {
    Gang gang;
    ASSERT_TRUE(gang.start({{}, {}, {}, {}}));
    const CliResult r = runCli(gang.downloadArgs() << "--json");
    ASSERT_TRUE(r.finished) << r.dump();
    EXPECT_EQ(r.exitCode, 0) << r.dump();

    std::set<qint64> serials;
    for (int i = 0; i < kModels.size(); ++i) {
        const QByteArray flash = gang.flash(i);
        ASSERT_GT(flash.size(), kSerialAddress + 4) << "chip " << i << "\n" << r.dump();
        EXPECT_EQ(flash.left(static_cast<qsizetype>(gang.image.size())), asBytes(gang.image))
            << kModels.at(i).toStdString();
        serials.insert(serialIn(flash));
    }
    EXPECT_EQ(serials, (std::set<qint64>{100, 101, 102, 103}));

    // Every event names its port; the summary lists each port with the number its chip got.
    for (const QJsonObject& e : r.events) {
        if (e.value("event").toString() == "summary") continue;
        EXPECT_TRUE(gang.paths.contains(e.value("port").toString()))
            << QJsonDocument(e).toJson().toStdString();
    }
    const QJsonObject summary = r.summary();
    EXPECT_EQ(summary.value("next_serial").toInteger(), 104) << r.dump();
    const QJsonArray ports = summary.value("ports").toArray();
    ASSERT_EQ(ports.size(), 4) << r.dump();
    for (int i = 0; i < 4; ++i) {
        const QJsonObject port = ports.at(i).toObject();
        EXPECT_EQ(port.value("port").toString(), gang.paths.at(i));
        EXPECT_EQ(port.value("id").toString(), kModels.at(i));
        EXPECT_EQ(port.value("result").toString(), "success");
        const QJsonArray got = port.value("serials").toArray();
        ASSERT_EQ(got.size(), 1);
        EXPECT_EQ(got.at(0).toInteger(), serialIn(gang.flash(i)));
    }
}

struct FailureCase {
    const char* name;
    QString fault;  // given to the third chip
    // The chip failed before its code was handed over, so it never held a number: the others
    // get exactly the first three.
    bool failsBeforeNumber;
};

class GangFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(GangFailure, OthersSucceedAndTheTableNamesTheFailedPort) {
    const FailureCase& c = GetParam();
    constexpr int kFailing = 2;
    Gang gang;
    ASSERT_TRUE(gang.start({{}, {}, {c.fault}, {}}));
    const CliResult r = runCli(gang.downloadArgs());
    ASSERT_TRUE(r.finished) << r.dump();
    EXPECT_EQ(r.exitCode, 1) << r.dump();

    // Text output that is not a terminal: every line starts with its port, then the table.
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    const qsizetype heading = lines.indexOf(QRegularExpression("^串口 +型号 +结果 +用时.*"));
    ASSERT_GE(heading, 0) << r.dump();
    ASSERT_GT(lines.size(), heading + 4) << r.dump();
    for (int i = 0; i < 4; ++i) {
        const QString& row = lines.at(heading + 1 + i);
        EXPECT_TRUE(row.startsWith(gang.paths.at(i) + " ")) << row.toStdString();
        EXPECT_TRUE(row.contains(i == kFailing ? "失败" : "成功")) << row.toStdString();
    }
    for (const QString& line : lines.mid(0, heading))
        EXPECT_TRUE(std::any_of(gang.paths.begin(), gang.paths.end(), [&](const QString& p) {
            return line.startsWith(p + " ");
        })) << line.toStdString();
    EXPECT_TRUE(r.out.contains("共 4 个串口：3 个成功，1 个失败")) << r.dump();

    std::set<qint64> serials;
    for (int i = 0; i < 4; ++i) {
        if (i == kFailing) continue;
        const QByteArray flash = gang.flash(i);
        ASSERT_GT(flash.size(), kSerialAddress + 4) << "chip " << i << "\n" << r.dump();
        EXPECT_EQ(flash.left(static_cast<qsizetype>(gang.image.size())), asBytes(gang.image));
        EXPECT_TRUE(serials.insert(serialIn(flash)).second) << "serial number given twice";
    }
    if (c.failsBeforeNumber) {
        EXPECT_EQ(serials, (std::set<qint64>{100, 101, 102}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    VirtualChips, GangFailure,
    ::testing::Values(FailureCase{"UnknownModel", "unknown-id", true},
                      // Block 0 refused five times: the job ends after it took its number.
                      FailureCase{"RefusedBlock", "nak=0:5", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Gang, VirtualChipsByCount) {
    const QString file = newFolder() + "/code.bin";
    ASSERT_TRUE(writeFile(file, asBytes(sampleImage(300, 42))));
    const CliResult r = runCli({"download", file, "--sim", "D103x3", "--repeat", "2", "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.dump();
    const QJsonArray ports = r.summary().value("ports").toArray();
    ASSERT_EQ(ports.size(), 3) << r.dump();
    std::set<QString> names;
    for (const QJsonValue& port : ports) {
        EXPECT_EQ(port.toObject().value("completed").toInt(), 2) << r.dump();
        names.insert(port.toObject().value("port").toString());
    }
    EXPECT_EQ(names.size(), 3u);
    EXPECT_EQ(r.summary().value("completed").toInt(), 6);
}

// Ctrl-C cancels what still runs; a port that is done keeps its result and says nothing more.
TEST(Gang, CtrlCCancelsOnlyThePortsStillRunning) {
    const QString file = newFolder() + "/code.bin";
    ASSERT_TRUE(writeFile(file, asBytes(sampleImage(300, 45))));
    SimProcess silent("D103", {"--fault", "mute-sync"});
    SimProcess chip("F003", {"--boot-delay", "30", "--erase-ms", "0"});
    ASSERT_TRUE(silent.start());
    ASSERT_TRUE(chip.start());
    CliProcess cli({"download", file, "--ports", silent.path() + "," + chip.path()});
    ASSERT_TRUE(cli.waitForOutput(QStringLiteral("程序下载成功"), kPatienceMs));
    cli.signal(SIGINT);
    const CliResult r = cli.finish(kPatienceMs);
    EXPECT_EQ(r.exitCode, 1) << r.dump();
    EXPECT_EQ(r.out.count(QStringLiteral("取消程序下载")), 1) << r.dump();
    const QStringList lines = r.out.split('\n');
    const auto row = [&](const QString& port) {
        for (const QString& line : lines)
            if (line.startsWith(port + " ") && line.contains(QStringLiteral(" 秒"))) return line;
        return QString();
    };
    EXPECT_TRUE(row(silent.path()).contains(QStringLiteral("已取消"))) << r.dump();
    EXPECT_TRUE(row(chip.path()).contains(QStringLiteral("成功"))) << r.dump();
}

// The serial numbers the ports of a JSON run's summary got, all together.
std::set<qint64> serialsOf(const CliResult& r) {
    std::set<qint64> numbers;
    for (const QJsonValue& port : r.summary().value("ports").toArray())
        for (const QJsonValue& n : port.toObject().value("serials").toArray())
            numbers.insert(n.toInteger());
    return numbers;
}

// A .mcu keeps the next number in the file at once, as a single port does.
TEST(GangSettings, ConfigurationFileKeepsTheNumberAfterTheHighestGiven) {
    const QString folder = newFolder();
    ASSERT_TRUE(writeFile(folder + "/code.bin", asBytes(sampleImage(300, 43))));
    korvan::IniDocument doc = incrementSettings(7);
    doc.write("UserSet", "UserFile", "\"%AppPath%code.bin\"");
    const QString mcu = folder + "/job.mcu";
    ASSERT_TRUE(doc.save(mcu));
    const CliResult r = runCli({"download", mcu, "--sim", "D103x3", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_EQ(serialsOf(r), (std::set<qint64>{7, 8, 9})) << r.dump();
    EXPECT_EQ(r.summary().value("next_serial").toInteger(), 10);
    EXPECT_EQ(korvan::IniDocument::load(mcu).read("AddData", "Data", ""), "10");
}

// A task is packed again with the next number; the next run goes on from there.
TEST(GangSettings, TaskGoesOnWhereTheLastRunStopped) {
    const Bytes image = sampleImage(300, 44);
    const QString task = newFolder() + "/serial.mcp";
    ASSERT_TRUE(korvan::WriteTaskFile(task, incrementSettings(41),
                                      korvan::CodeBuffer(image.begin(), image.end()),
                                      newFolder() + "/"));
    const CliResult first = runCli({"download", task, "--sim", "D103x2", "--json"});
    ASSERT_EQ(first.exitCode, 0) << first.dump();
    EXPECT_EQ(serialsOf(first), (std::set<qint64>{41, 42})) << first.dump();
    const CliResult second = runCli({"download", task, "--sim", "D103x2", "--json"});
    ASSERT_EQ(second.exitCode, 0) << second.dump();
    EXPECT_EQ(serialsOf(second), (std::set<qint64>{43, 44})) << second.dump();
}

}  // namespace
}  // namespace e2e
