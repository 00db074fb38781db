// Reads the file a download writes: Intel HEX, binary, a configuration (.mcu, whose
// "UserFile" names the code) or a download task (.mcp, whose code bytes it carries).
#pragma once

#include "core/codeimage.h"

#include <QString>
#include <optional>

namespace korvan::cli {

struct LoadedCode {
    CodeBuffer bytes;          // from address 0, unwritten bytes 0
    qsizetype badRecords = 0;  // HEX records with a bad checksum or form (loaded anyway)
    QString source;            // the file the bytes came from (the code file of a .mcu)
};

struct LoadOutcome {
    std::optional<LoadedCode> code;
    QString error;  // set when code is empty
};

// `tempFolder` receives the unpacked image of a task for as long as it is read.
LoadOutcome LoadCodeFile(const QString& path, const QString& tempFolder);

}  // namespace korvan::cli
