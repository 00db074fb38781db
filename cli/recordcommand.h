// korvan-cli record: prints the rows of the production record, as a table, CSV or JSON lines.
#pragma once

#include "cliargs.h"

#include <cstdio>

namespace korvan::cli {

int RunRecordCommand(const Options& options, std::FILE* out, std::FILE* err);

}  // namespace korvan::cli
