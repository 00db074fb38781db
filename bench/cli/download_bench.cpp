// cli-download-bench: korvan-cli downloads a 64 KiB image into a virtual chip whose line is
// paced (every byte takes its bit times in both directions), at 115200 baud (the default),
// 230400 (an 11.0592 MHz chip, --max-baud 921600) and 460800 (a 22.1184 MHz chip). The time
// from the chip's identification to the end of the job is set against the line time the
// protocol needs: every byte after the identification at its rate and parity, plus the fixed
// waits (50 ms before each baud command, and the chip's own delay before its baud reply). The
// ratio shows what the host adds; the target is at most 1.05 at every rate.
// --max-baud RATE runs one of the three only.
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

constexpr double kTarget = 1.05;
constexpr double kWaitBeforeBaudCommandMs = 50;

// One measured rate: the chip, the clock that makes the rate, the limit given to korvan-cli, and
// the time the whole job (identification to end) should stay under; 0 = not bounded here.
// The time targets are set for a chip without parity (10 bits a byte): an even-parity chip's
// line alone needs a tenth longer, so it is measured for its ratio only.
struct RateCase {
    const char* model;
    qint64 rate;
    uint32_t frequency;
    qint64 maxBaud;
    double targetSeconds;
};
constexpr RateCase kRateCases[] = {
    {"D103", 115200, 11059200, 115200, 0},    // ZELH64AD: 64 KiB, even parity
    {"F203", 115200, 11059200, 115200, 0},    // ZELF64AD: 64 KiB, no parity
    {"F203", 230400, 11059200, 921600, 4.5},  //
    {"D103", 230400, 11059200, 921600, 0},    //
    {"F203", 460800, 22118400, 921600, 2.5},  //
    {"D103", 460800, 22118400, 921600, 0},
};

struct Run {
    bool ok = false;
    QString why;
    qint64 jobMs = 0;
    QStringList trace;
};

Run DownloadOnce(const BenchSetup& s, const RateCase& c, bool traced) {
    Run run;
    zelsim::ChipOptions options = PacedChip(s, c.model);
    options.frequency = c.frequency;
    zelsim::VirtualChip chip(options);
    std::string error;
    if (!chip.start(&error)) {
        run.why = QString::fromStdString(error);
        return run;
    }
    QStringList args{"download",
                     s.image,
                     "-p",
                     QString::fromStdString(chip.slavePath()),
                     "--json",
                     "--wait",
                     "10",
                     "--max-baud",
                     QString::number(c.maxBaud)};
    if (traced) args << "-v";
    const CliOutcome cli = RunCli(s, args, 120000);
    if (!cli.ok) {
        run.why = cli.why;
        return run;
    }
    run.jobMs = cli.summary.value("timings").toObject().value("job_ms").toInteger();
    const qint64 baud = cli.summary.value("baud").toInteger();
    if (baud != c.rate) {
        run.why = QStringLiteral("the job ran at %1 baud, not %2").arg(baud).arg(c.rate);
        return run;
    }
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

// Times one rate and prints its figures; false when a run failed.
bool MeasureRate(const BenchSetup& s, const RateCase& c) {
    // One traced run counts the bytes; the timed runs go without the trace.
    const Run traced = DownloadOnce(s, c, true);
    if (!traced.ok) {
        std::fprintf(stderr, "cli-download-bench: %lld baud: %s\n", static_cast<long long>(c.rate),
                     qPrintable(traced.why));
        return false;
    }
    const LineTally t = TallyTrace(traced.trace);
    std::vector<qint64> times;
    for (int i = 0; i < s.runs; ++i) {
        const Run r = DownloadOnce(s, c, false);
        if (!r.ok) {
            std::fprintf(stderr, "cli-download-bench: %lld baud: %s\n",
                         static_cast<long long>(c.rate), qPrintable(r.why));
            return false;
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
        "korvan-cli download: %zu bytes into a virtual %s at %.4f MHz, --max-baud "
        "%lld: %lld baud, line paced\n",
        s.bytes.size(), c.model, c.frequency / 1e6, static_cast<long long>(c.maxBaud),
        static_cast<long long>(c.rate));
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
    std::printf("  measured (identified..end)   %.3f s, median of %d:", measured, s.runs);
    for (qint64 ms : times) std::printf(" %.3f", static_cast<double>(ms) / 1000.0);
    std::printf("\n  host turnaround              %.3f ms per reply (reply to next packet)\n",
                t.turnarounds ? t.turnaroundMs / t.turnarounds : 0.0);
    if (c.targetSeconds > 0)
        std::printf("  time target                  under %.1f s: %s\n", c.targetSeconds,
                    measured < c.targetSeconds ? "met" : "NOT met");
    std::printf("ratio measured / line time: %.3f (target at most %.2f: %s)\n\n", ratio, kTarget,
                ratio <= kTarget ? "met" : "NOT met");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    BenchSetup s;
    s.cli = QCoreApplication::applicationDirPath() + "/korvan-cli";
    // --max-baud is this benchmark's own; the rest is shared with the other benchmarks.
    QStringList args = app.arguments().mid(1);
    qint64 onlyRate = 0;
    const qsizetype at = args.indexOf("--max-baud");
    if (at >= 0) {
        onlyRate = at + 1 < args.size() ? args[at + 1].toLongLong() : -1;
        args.remove(at, std::min<qsizetype>(2, args.size() - at));
    }
    std::vector<RateCase> cases;
    for (const RateCase& c : kRateCases)
        if (onlyRate == 0 || c.rate == onlyRate) cases.push_back(c);
    if (cases.empty()) {
        std::fprintf(stderr, "cli-download-bench: --max-baud takes 115200, 230400 or 460800\n");
        return 2;
    }
    if (!ParseBenchArguments(args, "cli-download-bench [--max-baud RATE]", s)) return 2;
    if (!WriteBenchFiles(s, 64 * 1024, 64)) return 1;
    for (const RateCase& c : cases)
        if (!MeasureRate(s, c)) return 1;
    return 0;
}
