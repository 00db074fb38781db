// cli-download-bench: korvan-cli downloads a 64 KiB image at 115200 baud into a virtual chip
// whose line is paced (every byte takes its bit times in both directions). The time from the
// chip's identification to the end of the job is set against the line time the protocol
// needs: every byte after the identification at its rate and parity, plus the fixed waits
// (50 ms before each baud command, and the chip's own delay before its baud reply). The
// ratio shows what the host adds; the target is at most 1.05.
#include "benchsetup.h"
#include "linetime.h"
#include "zelsim/chipcore.h"
#include "zelsim/virtualchip.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>

namespace {

constexpr const char* kModel = "D103";  // ZELH64AD: 64 KiB of flash, even parity
constexpr double kTarget = 1.05;
constexpr double kWaitBeforeBaudCommandMs = 50;

struct Run {
    bool ok = false;
    QString why;
    qint64 jobMs = 0;
    QStringList trace;
};

Run DownloadOnce(const BenchSetup& s, bool traced) {
    Run run;
    zelsim::VirtualChip chip(PacedChip(s, kModel));
    std::string error;
    if (!chip.start(&error)) {
        run.why = QString::fromStdString(error);
        return run;
    }
    QStringList args{"download", s.image,  "-p", QString::fromStdString(chip.slavePath()),
                     "--json",   "--wait", "10"};
    if (traced) args << "-v";
    const CliOutcome cli = RunCli(s, args, 120000);
    if (!cli.ok) {
        run.why = cli.why;
        return run;
    }
    run.jobMs = cli.summary.value("timings").toObject().value("job_ms").toInteger();
    run.trace = cli.standardError.split('\n');

    const auto flash = chip.image();
    const zelsim::ChipSnapshot snap = chip.snapshot();
    if (flash.size() < s.bytes.size() || !std::equal(s.bytes.begin(), s.bytes.end(), flash.begin()))
        run.why = QStringLiteral("the chip's flash differs from the image");
    else if (snap.counters.blockRetries != 0 || snap.counters.repeatedCommands != 0)
        run.why = QStringLiteral("the line was not clean (retries)");
    else
        run.ok = true;
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    BenchSetup s;
    s.cli = QCoreApplication::applicationDirPath() + "/korvan-cli";
    if (!ParseBenchArguments(app.arguments().mid(1), "cli-download-bench", s)) return 2;
    if (!WriteBenchFiles(s, 64 * 1024, 64)) return 1;
    const int runs = s.runs;

    // One traced run counts the bytes; the timed runs go without the trace.
    const Run traced = DownloadOnce(s, true);
    if (!traced.ok) {
        std::fprintf(stderr, "cli-download-bench: %s\n", qPrintable(traced.why));
        return 1;
    }
    const LineTally t = TallyTrace(traced.trace);
    std::vector<qint64> times;
    for (int i = 0; i < runs; ++i) {
        const Run r = DownloadOnce(s, false);
        if (!r.ok) {
            std::fprintf(stderr, "cli-download-bench: %s\n", qPrintable(r.why));
            return 1;
        }
        times.push_back(r.jobMs);
    }
    std::sort(times.begin(), times.end());
    const double measured = static_cast<double>(times[times.size() / 2]) / 1000.0;
    const double waits =
        t.baudCommands * (kWaitBeforeBaudCommandMs + zelsim::ChipCore::kBaudReplyDelayMs) / 1000.0;
    const double needed = t.lineSeconds + waits;
    const double ratio = measured / needed;

    std::printf(
        "korvan-cli download: %zu bytes into a virtual ZELH64AD (%s) at 115200 baud, "
        "line paced\n",
        s.bytes.size(), kModel);
    std::printf("  packets sent / replies       %d / %d\n", t.packets, t.replies);
    std::printf("  bytes on the line            %lld sent, %lld received\n",
                static_cast<long long>(t.bytesSent), static_cast<long long>(t.bytesReceived));
    std::printf("  their line time              %.3f s (10 or 11 bits a byte at each rate)\n",
                t.lineSeconds);
    std::printf(
        "  fixed waits                  %.3f s (%d baud commands: %.0f ms before each, "
        "%d ms until the chip answers)\n",
        waits, t.baudCommands, kWaitBeforeBaudCommandMs, zelsim::ChipCore::kBaudReplyDelayMs);
    std::printf("  line time needed             %.3f s\n", needed);
    std::printf("  measured (identified..end)   %.3f s, median of %d:", measured, runs);
    for (qint64 ms : times) std::printf(" %.3f", static_cast<double>(ms) / 1000.0);
    std::printf("\n  host turnaround              %.3f ms per reply (reply to next packet)\n",
                t.turnarounds ? t.turnaroundMs / t.turnarounds : 0.0);
    std::printf("ratio measured / line time: %.3f (target at most %.2f: %s)\n", ratio, kTarget,
                ratio <= kTarget ? "met" : "NOT met");
    return 0;
}
