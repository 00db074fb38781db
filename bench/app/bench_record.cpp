// What the production record adds to a job: the row written at its end, in one transaction, on
// SQLite (target at most 5 ms) and on a local PostgreSQL server started by
// scripts/pg-test-server (target at most 20 ms); and, on the server, a serial number taken and
// kept. Prints the median and the 95th percentile of each.
#include "record/recorder.h"
#include "record/serialstore.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace korvan;

constexpr int kRuns = 200;

jobs::JobFacts Facts(int i) {
    jobs::JobFacts f;
    f.result.jobType = 2;
    f.result.outcome = jobs::Outcome::Success;
    f.result.identified = true;
    f.chip.model = QStringLiteral("ZELH64AD");
    f.chip.id = QStringLiteral("D103");
    f.chip.version = QStringLiteral("6.2 C");
    f.chip.cpu = 11059200;
    f.chip.options = QStringList(10, QStringLiteral("振荡器增益：高增益"));
    f.port = QStringLiteral("/dev/ttyUSB0");
    f.startedAt = QDateTime::currentDateTime();
    f.endedAt = f.startedAt.addMSecs(2000);
    f.codeFile = QStringLiteral("board.hex");
    f.code = QByteArray(16384, char(i));
    f.codeSum = QStringLiteral("0000BE62");
    f.rate = 115200;
    f.serial = i;
    f.task = QStringLiteral("board.mcp");
    return f;
}

struct Figures {
    double median, p95;
};

Figures Time(const std::function<void(int)>& step) {
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        step(i);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 95 / 100]};
}

void Report(const char* what, Figures f, double target) {
    std::printf("%-44s median %7.2f ms  p95 %7.2f ms  target %5.1f ms  %s\n", what, f.median, f.p95,
                target, f.median <= target ? "ok" : "SLOWER THAN TARGET");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    record::RecorderSetup setup;
    setup.station = {QStringLiteral("bench"), QStringLiteral("bench"), QStringLiteral("1")};
    setup.dataFolder = dir.path();
    {
        record::Recorder recorder(setup);
        if (!recorder.start()) return 1;
        const jobs::JobFacts facts = Facts(1);
        Report("SQLite: one job's row", Time([&](int) { recorder.jobRecorded(facts); }), 5);
    }

    const QString script = QStringLiteral(KORVAN_SOURCE_DIR "/scripts/pg-test-server");
    QProcess start;
    start.start(script, {QStringLiteral("start")});
    start.waitForFinished(120000);
    const QStringList lines =
        QString::fromUtf8(start.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    if (start.exitCode() != 0 || lines.size() != 2) {
        std::printf("PostgreSQL: no test server (%s)\n", start.readAllStandardError().constData());
        return 0;
    }
    qputenv("PGPASSFILE", (lines[0] + QStringLiteral("/pgpass")).toUtf8());
    {
        setup.database = lines[1];
        record::Recorder recorder(setup);
        if (recorder.start() && recorder.database()) {
            const jobs::JobFacts facts = Facts(1);
            Report("PostgreSQL (local): one job's row",
                   Time([&](int) { recorder.jobRecorded(facts); }), 20);
            record::SerialStore pool(*recorder.database(), QStringLiteral("bench"),
                                     QStringLiteral("bench"), 1);
            Report("PostgreSQL (local): a serial taken and kept", Time([&](int) {
                       if (const auto n = pool.take()) pool.keep(*n);
                   }),
                   20);
        } else {
            std::printf("PostgreSQL: %s\n", qPrintable(recorder.error()));
        }
    }
    QProcess::execute(script, {QStringLiteral("stop"), lines[0]});
    return 0;
}
