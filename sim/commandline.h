// The command line of zel-sim: options into ChipOptions, and the help text.
#pragma once

#include <string>
#include <vector>

#include "zelsim/virtualchip.h"

namespace zelsim {

struct CommandLine {
    ChipOptions chip;
    bool verbose = false;
    bool help = false;
};

// False with `error` set for a command line that cannot be used.
bool parseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string* error);

std::string helpText();

}  // namespace zelsim
