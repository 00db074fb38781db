// The next serial number of the automatic increment, written back into the settings file it
// came from (Config.ini, a .mcu or a .mcp). Only key "Data" of [AddData] changes, in the file
// as it is on disk at that moment: a file replaced meanwhile keeps its new content, and
// sections or keys KORVAN does not know are never dropped or added.
#pragma once

#include "fileerror.h"

#include <QString>

namespace korvan {

// A task is unpacked, given the number and packed again with its own code; any other file is
// updated key by key. False (the file untouched) when it cannot be read or written; `error`
// says why.
bool WriteBackSerialNumber(const QString& settingsFile, qint64 next, const QString& tempFolder,
                           ktext::FileError* error = nullptr);

}  // namespace korvan
