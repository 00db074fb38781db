// The packing of download tasks: gzip (zlib), so a task can be looked into with standard
// tools. Unpacking is bounded and strict: anything but complete gzip data is refused.
#pragma once

#include "fileerror.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace korvan {

std::optional<QByteArray> GzipCompress(QByteArrayView data, int level);

// Nothing when `data` is not gzip, is damaged or cut short, carries anything after its gzip
// members, or unpacks to more than `maxSize` bytes.
std::optional<QByteArray> GzipDecompress(QByteArrayView data, qint64 maxSize);

// File forms: 0 on success, having written the complete `output`; non-zero otherwise.
// CompFile replaces `output` atomically (it is the task itself) and leaves it untouched on
// failure; DecompFile writes a scratch file and removes it on failure.
// Only regular files are read; `error` says why a file could not be read or written.
int CompFile(const QString& output, const QString& input, int level, int reserved,
             ktext::FileError* error = nullptr);
int DecompFile(const QString& output, const QString& input, int reserved, qint64 maxSize,
               ktext::FileError* error = nullptr);

}  // namespace korvan
