// The command line's production-record options: --record-db for every job, and the filters
// and formats of `korvan-cli record`.
#pragma once

#include "cliargs.h"

#include <functional>

namespace korvan::cli {

// Takes `name` when it is a record option (true), with its value through `needValue`;
// a bad value leaves its reason in `r.error`.
bool ParseRecordOption(const QString& name, const std::function<bool(QString&)>& needValue,
                       const std::function<bool()>& noValue, Options& o, ParseResult& r);
// What does not fit the command, or "".
QString CheckRecordOptions(const Options& o);
// "2026-12-09" (local midnight) or an ISO date and time.
std::optional<QDateTime> ParseSince(const QString& text);

}  // namespace korvan::cli
