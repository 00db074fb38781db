// cli-gang-bench: korvan-cli downloads a 32 KiB image into 1, 2 and 4 line-paced virtual chips
// at once (a gang download, one port per chip). The ports share one process and one event loop;
// on a line-paced chip the time is the line's, so four ports should take hardly longer than
// one. Prints the wall time of each run (korvan-cli started to ended) and the ratios 2/1 and 4/1;
// the target is 4/1 at most 1.15.
#include "benchsetup.h"
#include "zelsim/virtualchip.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <random>

namespace {

constexpr const char* kModel = "D103";  // ZELH64AD: 64 KiB of flash, even parity
constexpr double kTarget = 1.15;

struct Run {
    bool ok = false;
    QString why;
    qint64 wallMs = 0;     // korvan-cli started to ended
    qint64 slowestMs = 0;  // the slowest port, start to end
};

Run GangOnce(const BenchSetup& s, int ports) {
    Run run;
    std::vector<std::unique_ptr<zelsim::VirtualChip>> chips;
    QStringList paths;
    for (int i = 0; i < ports; ++i) {
        zelsim::ChipOptions o = PacedChip(s, kModel);
        o.rebootMs = -1;
        chips.push_back(std::make_unique<zelsim::VirtualChip>(o));
        std::string error;
        if (!chips.back()->start(&error)) {
            run.why = QString::fromStdString(error);
            return run;
        }
        paths << QString::fromStdString(chips.back()->slavePath());
    }
    QElapsedTimer wall;
    wall.start();
    const CliOutcome cli = RunCli(
        s, {"download", s.image, "--ports", paths.join(','), "--json", "--wait", "10"}, 300000);
    run.wallMs = wall.elapsed();
    if (!cli.ok) {
        run.why = cli.why;
        return run;
    }
    const QJsonObject& summary = cli.summary;
    const QJsonArray portList = summary.value("ports").toArray();
    for (const QJsonValue& p : portList)
        run.slowestMs = std::max(run.slowestMs, p.toObject().value("time_ms").toInteger());
    if (ports == 1)
        run.slowestMs = summary.value("timings").toObject().value("total_ms").toInteger();
    for (const auto& chip : chips) {
        const auto flash = chip->image();
        if (flash.size() < s.bytes.size() ||
            !std::equal(s.bytes.begin(), s.bytes.end(), flash.begin())) {
            run.why = QStringLiteral("a chip's flash differs from the image");
            return run;
        }
        if (chip->snapshot().counters.blockRetries != 0) {
            run.why = QStringLiteral("the line was not clean (retries)");
            return run;
        }
    }
    run.ok = true;
    return run;
}

qint64 Median(std::vector<qint64> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    BenchSetup s;
    s.cli = QCoreApplication::applicationDirPath() + "/korvan-cli";
    if (!ParseBenchArguments(app.arguments().mid(1), "cli-gang-bench", s)) return 2;
    if (!WriteBenchFiles(s, 32 * 1024, 32)) return 1;
    const int runs = s.runs;

    std::printf(
        "korvan-cli gang download: %zu bytes into 1, 2 and 4 virtual ZELH64AD (%s) at once, "
        "115200 baud, line paced; median of %d runs\n",
        s.bytes.size(), kModel, runs);
    std::map<int, qint64> wall;
    for (const int ports : {1, 2, 4}) {
        std::vector<qint64> walls, slowest;
        for (int i = 0; i < runs; ++i) {
            const Run r = GangOnce(s, ports);
            if (!r.ok) {
                std::fprintf(stderr, "cli-gang-bench: %d ports: %s\n", ports, qPrintable(r.why));
                return 1;
            }
            walls.push_back(r.wallMs);
            slowest.push_back(r.slowestMs);
        }
        wall[ports] = Median(walls);
        std::printf("  %d port%s  wall %.3f s  (slowest port %.3f s; runs:", ports,
                    ports == 1 ? " " : "s", static_cast<double>(wall[ports]) / 1000.0,
                    static_cast<double>(Median(slowest)) / 1000.0);
        for (const qint64 ms : walls) std::printf(" %.3f", static_cast<double>(ms) / 1000.0);
        std::printf(")\n");
    }
    const double ratio2 = static_cast<double>(wall[2]) / static_cast<double>(wall[1]);
    const double ratio4 = static_cast<double>(wall[4]) / static_cast<double>(wall[1]);
    std::printf("ratio 2/1: %.3f\n", ratio2);
    std::printf("ratio 4/1: %.3f (target at most %.2f: %s)\n", ratio4, kTarget,
                ratio4 <= kTarget ? "met" : "NOT met");
    return 0;
}
