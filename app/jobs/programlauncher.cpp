#include "jobs/programlauncher.h"

#include <sys/types.h>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <csignal>

namespace korvan::jobs {

qint64 ProcessLauncher::start(const QString& command) {
    QStringList words = QProcess::splitCommand(command);
    if (words.isEmpty()) return 0;
    const QString program = words.takeFirst();
    qint64 pid = 0;
    if (!QProcess::startDetached(program, words, {}, &pid)) return 0;
    return pid;
}

bool ProcessLauncher::isRunning(qint64 processId) const {
    return processId > 0 && ::kill(static_cast<pid_t>(processId), 0) == 0;
}

void ProcessLauncher::stop(qint64 processId) {
    if (processId > 0) ::kill(static_cast<pid_t>(processId), SIGTERM);
}

QString ProgramCommandLine(const QString& command, const DocumentOpener& opener) {
    const QString trimmed = command.trimmed();
    const QString first = trimmed.section(QLatin1Char(' '), 0, 0);
    const QString lower = first.toLower();
    const QString extension = lower.section(QLatin1Char('.'), -1);
    static const QStringList programs = {QStringLiteral("exe"), QStringLiteral("bat"),
                                         QStringLiteral("dll"), QStringLiteral("ocx")};
    const QFileInfo file(first);
    if (programs.contains(extension) || lower == extension ||
        (file.isFile() && file.isExecutable()))
        return trimmed;
    QString program = opener ? opener(extension) : QString();
    if (program.isEmpty()) return {};
    // The command is split without a shell: a program path with blanks is quoted.
    if (program.contains(QLatin1Char(' ')) || program.contains(QLatin1Char('\t')))
        program = QLatin1Char('"') + program + QLatin1Char('"');
    return program + QLatin1Char(' ') + first;
}

RunOutcome RunProgram(ProgramLauncher& launcher, const QString& command, qint64& processId,
                      bool stopOnly) {
    const bool running = processId != 0 && launcher.isRunning(processId);
    if (!stopOnly && !running) {
        const QString commandLine = ProgramCommandLine(
            command,
            [&launcher](const QString& extension) { return launcher.documentOpener(extension); });
        if (commandLine.isEmpty()) return RunOutcome::NoAssociatedProgram;
        const qint64 started = launcher.start(commandLine);
        if (started == 0) return RunOutcome::StartFailed;
        processId = started;
        return RunOutcome::Started;
    }
    if (running) launcher.stop(processId);
    processId = 0;
    return RunOutcome::Stopped;
}

}  // namespace korvan::jobs
