#include "clirun.h"

#include "cliargs.h"
#include "jsonoutput.h"
#include "recordcommand.h"
#include "session.h"
#include "stopsignals.h"
#include "textoutput.h"

#include <unistd.h>
#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace korvan::cli {

namespace {

void Print(std::FILE* file, const QString& text) {
    std::fputs(text.toUtf8().constData(), file);
    std::fflush(file);
}

std::unique_ptr<JobOutput> MakeOutput(const Options& o) {
    if (o.json) return std::make_unique<JsonOutput>(stdout, stderr);
    TextOutput::Style style;
    // The trace goes to standard error; drawn-over lines would garble it on a shared terminal.
    style.terminal = ::isatty(STDOUT_FILENO) == 1 && !o.verbose;
    style.quiet = o.quiet;
    style.showChip = o.job != Job::Download;
    return std::make_unique<TextOutput>(stdout, stderr, style);
}

}  // namespace

int RunCommandLine(const QStringList& args) {
    const ParseResult parsed = ParseArguments(args);
    if (!parsed.options) {
        Print(
            stderr,
            QStringLiteral("korvan-cli: %1\n用 korvan-cli --help 查看用法。\n").arg(parsed.error));
        // A program that asked for JSON gets its summary even now.
        if (args.contains(QStringLiteral("--json"))) {
            JsonOutput json(stdout, stderr);
            JobSummary summary;
            summary.result = QStringLiteral("usage-error");
            summary.exitCode = kExitUsage;
            summary.message = parsed.error;
            json.summary(summary);
        }
        return kExitUsage;
    }
    const Options& options = *parsed.options;
    if (options.job == Job::Help) {
        Print(stdout, HelpText());
        return kExitSuccess;
    }
    if (options.job == Job::Version) {
        Print(stdout,
              QStringLiteral("korvan-cli %1\n").arg(QCoreApplication::applicationVersion()));
        return kExitSuccess;
    }

    if (options.job == Job::Record) return RunRecordCommand(options, stdout, stderr);

    const std::unique_ptr<JobOutput> out = MakeOutput(options);
    Session session(options, *out);
    StopSignals stopSignals;
    QObject::connect(&stopSignals, &StopSignals::stopRequested,
                     [&session](int) { session.stop(); });
    const int exitCode = session.run();
    // Output that a program was to read and never got is a failure of the run.
    if (out->failed()) {
        Print(stderr, QStringLiteral("korvan-cli: 输出无法写入\n"));
        if (exitCode == kExitSuccess) return kExitJobFailed;
    }
    return exitCode;
}

}  // namespace korvan::cli
