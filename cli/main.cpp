// korvan-cli: check, download and configure ZEL chips from a shell, a Makefile or a script.
#include "clirun.h"

#include <QCoreApplication>
#include <csignal>

int main(int argc, char** argv) {
    // A reader that goes away (korvan-cli … | head -1) must not stop a running job: the
    // write fails instead, and the job goes on to its end.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korvan-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVAN_VERSION));
    return korvan::cli::RunCommandLine(QCoreApplication::arguments().mid(1));
}
