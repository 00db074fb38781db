// The Intel HEX reader. It is deliberately forgiving, as users' tool chains are: blanks are
// removed, every field is read as far as it is hexadecimal, a short line gives 0 for the
// bytes it lacks, record types and checksums do not stop a line, and later records overwrite
// earlier ones. Start-address records (types 03 and 05) carry no code and are skipped.
#pragma once

#include "core/codeimage.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace korvan {

CodeImage ReadIntelHex(QByteArrayView text);

// Reads the file; nothing when it is not usable (missing or empty) or cannot be read.
std::optional<CodeImage> ReadIntelHexFile(const QString& path, LoadError* error = nullptr);

}  // namespace korvan
