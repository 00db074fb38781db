// Code files on disk: whether a file can be used at all, and its kind by extension.
#pragma once

#include <QString>

namespace korvan {

enum class CodeFileType { Unsupported, Hex, Bin, Mcu, Mcp };

// Not empty, an existing regular file, and not 0 bytes long: an empty file counts as missing.
bool FileUsable(const QString& path);

// By the text after the last "." of the file name, in lower case.
CodeFileType FileTypeOf(const QString& path);

// The name without folder and without its last extension ("a.b.hex" gives "a.b").
QString FileTitle(const QString& path);

}  // namespace korvan
