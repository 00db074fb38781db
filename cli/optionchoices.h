// configure --option NAME=VALUE and --options-from FILE.mcu: the options to write, matched
// against the rows of the chip's series as the option editor shows them.
#pragma once

#include "jobs/engineoptions.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace korvan::cli {

// NAME is the option's row number (as "1、" shows it) or its caption; VALUE is the choice's
// number (from 0) or its text. Later settings of one option win. Nothing, and `error` set,
// when a name or value matches no row or choice.
std::optional<std::map<int, int>> ResolveOptionSettings(
    const std::vector<jobs::OptionRowInfo>& rows, const QStringList& settings, QString& error);

// The values a settings file keeps for a series (key = series index of section "Option", as
// the option editor's values: two choices 1 = the first, 0 = the second; a list its index).
std::map<int, int> ChoicesFromValues(const std::vector<jobs::OptionRowInfo>& rows,
                                     const QString& values);

}  // namespace korvan::cli
