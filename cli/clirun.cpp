#include "clirun.h"

#include "autoport.h"
#include "cliargs.h"
#include "core/apppaths.h"
#include "jobs/portaccess.h"
#include "jobs/portnumbering.h"
#include "jsonoutput.h"
#include "monitor.h"
#include "mscomm.h"
#include "portscommand.h"
#include "recordcommand.h"
#include "session.h"
#include "stopsignals.h"
#include "text.h"
#include "textoutput.h"
#include "translations.h"

#include <unistd.h>
#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <optional>

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

// -p auto: the one USB adapter becomes the port, by its number, and keeps that number.
// false when there is none or more than one; the user has been shown the ports.
bool ResolveAutoPort(Options& o, QString& message) {
    if (o.ports.size() != 1 || o.ports.first().compare(kAutoPort, Qt::CaseInsensitive) != 0)
        return true;
    jobs::LoadPortMapOnce();
    const AutoPortChoice choice = ChooseAutoPort(kserial::MSComm::numberedPorts());
    message = choice.message;
    Print(stderr, choice.message + u'\n');
    if (!choice.number) return false;
    o.ports = QStringList{QStringLiteral("COM%1").arg(*choice.number)};
    jobs::RememberPortNumber(*choice.number, CurrentAppPaths().configFile());
    return true;
}

int RunMonitor(const Options& o) {
    Monitor monitor(o.monitor, stdout, stderr);
    StopSignals stopSignals;
    QObject::connect(&stopSignals, &StopSignals::stopRequested,
                     [&monitor](int) { monitor.stop(); });
    return monitor.run(o.ports.first());
}

void PrintUsageSummary(const QString& message) {
    JsonOutput json(stdout, stderr);
    JobSummary summary;
    summary.result = QStringLiteral("usage-error");
    summary.exitCode = kExitUsage;
    summary.message = message;
    json.summary(summary);
}

// --lang en or KORVAN_LANG=en: English, except in JSON, whose texts never change with the
// language (programs match them). An exit code when the choice cannot be followed.
std::optional<int> ChooseLanguage(const QStringList& args) {
    const i18n::CommandLineLanguage choice =
        i18n::languageFromCommandLine(QStringList{QString()} + args);
    if (!choice.error.isEmpty()) {
        Print(stderr, QStringLiteral("korvan-cli: ") + choice.error + u'\n');
        if (args.contains(QStringLiteral("--json"))) PrintUsageSummary(choice.error);
        return kExitUsage;
    }
    if (choice.language != i18n::Language::English || args.contains(QStringLiteral("--json")))
        return std::nullopt;
    if (!i18n::installTranslations(i18n::Language::English)) {
        Print(stderr, i18n::kEnglishNotBuiltIn.arg(QStringLiteral("korvan-cli")));
        return kExitUsage;
    }
    return std::nullopt;
}

}  // namespace

int RunCommandLine(const QStringList& givenArgs) {
    if (const std::optional<int> refused = ChooseLanguage(givenArgs)) return *refused;
    const QStringList args = i18n::withoutLanguageOption(QStringList{QString()} + givenArgs).mid(1);
    const ParseResult parsed = ParseArguments(args);
    if (!parsed.options) {
        Print(stderr, KORVAN_TR("korvan-cli", "korvan-cli: %1\n用 korvan-cli --help 查看用法。\n")
                          .arg(parsed.error));
        // A program that asked for JSON gets its summary even now.
        if (args.contains(QStringLiteral("--json"))) PrintUsageSummary(parsed.error);
        return kExitUsage;
    }
    Options options = *parsed.options;
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
    if (options.job == Job::Ports) return RunPorts(options.json);
    if (QString message; !ResolveAutoPort(options, message)) {
        if (options.json) PrintUsageSummary(message);
        return kExitUsage;
    }

    if (options.job == Job::Monitor) return RunMonitor(options);

    const std::unique_ptr<JobOutput> out = MakeOutput(options);
    Session session(options, *out);
    StopSignals stopSignals;
    QObject::connect(&stopSignals, &StopSignals::stopRequested,
                     [&session](int) { session.stop(); });
    int exitCode = session.run();
    // Straight on to what the program prints, as the desktop's "APP" action opens the terminal.
    if (exitCode == kExitSuccess && options.monitorAfter) exitCode = RunMonitor(options);
    // Output that a program was to read and never got is a failure of the run.
    if (out->failed()) {
        Print(stderr, KORVAN_TR("korvan-cli", "korvan-cli: 输出无法写入\n"));
        if (exitCode == kExitSuccess) return kExitJobFailed;
    }
    return exitCode;
}

}  // namespace korvan::cli
