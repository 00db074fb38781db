// korvan-cli: check, download and configure ZEL chips from a shell, a Makefile or a script.
#include "clirun.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korvan-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVAN_VERSION));
    return korvan::cli::RunCommandLine(QCoreApplication::arguments().mid(1));
}
