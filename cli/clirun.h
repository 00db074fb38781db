// korvan-cli as a function: the arguments in, the exit code out.
#pragma once

#include <QStringList>

namespace korvan::cli {

// `args` without the program name. Needs a QCoreApplication.
int RunCommandLine(const QStringList& args);

}  // namespace korvan::cli
