// Reading a file that KORVAN is given by name: only a regular file, and never more than a
// bound. Opening never blocks (a FIFO planted under a settings or task name would otherwise
// hang the program in open()), and the kind is checked on the open descriptor, so a file
// swapped between a check and the open is caught as well.
#pragma once

#include "fileerror.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace ktext {

// The whole file, or nothing when it is missing, not a regular file (a symbolic link is
// followed to what it names), larger than `maxBytes`, or unreadable; `error` then says why.
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes,
                                          FileError* error = nullptr);

// A descriptor open for reading on the regular file `path` (the caller closes it), or -1 with
// `error` saying why. For readers that go through a file piece by piece.
int OpenRegularFile(const QString& path, FileError* error = nullptr);

// Whether `path` names a regular file (after symbolic links), without opening it.
bool IsRegularFile(const QString& path);

}  // namespace ktext
