// The binary code-file reader: byte k of the file goes to address k.
#pragma once

#include "core/codeimage.h"

#include <QString>
#include <optional>

namespace korvan {

// Nothing when the file is not usable, larger than kMaxCodeFileSize, or cannot be read.
std::optional<CodeImage> ReadBinaryFile(const QString& path, LoadError* error = nullptr);

}  // namespace korvan
