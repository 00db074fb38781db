// The download task (.mcp): the user settings and the code bytes in one packed file. The plain
// image is the settings' INI text, section "DATA" with "END" (the code's upper bound) and
// "ADD" (1-based position of the code: the text's length after "END" plus 15), zero bytes up
// to ADD, then the code bytes raw; the file on disk is that image packed with gzip.
#pragma once

#include "core/codeimage.h"
#include "core/inidocument.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace korvan {

// The largest plain image unpacked: the largest code plus 1 MiB of settings text.
constexpr qint64 kMaxTaskImageSize = kMaxCodeFileSize + 1024 * 1024;

// `settings` must not hold a "DATA" section (it is added here). Nothing when the code is
// larger than kMaxCodeFileSize.
std::optional<QByteArray> BuildTaskImage(IniDocument settings, const CodeBuffer& code);

struct TaskImage {
    CodeBuffer Code;
    IniDocument Settings;  // the INI text of the image (everything before the code)
};

// Nothing when "END" or "ADD" is missing or not a number, or the code they describe does not
// lie inside the image. Nothing is allocated for the code before that is checked.
std::optional<TaskImage> ParseTaskImage(QByteArrayView image);

struct UnpackedTask {
    QString TempFile;  // the unpacked image in the scratch folder; the caller deletes it
    TaskImage Task;
};

// Unpacks the task at `path` into a new file in `tempFolder` whose name ends in ".mcup" and
// reads it. Nothing (and no file left behind) for a file that is not a complete task; only a
// regular file is read, and `error` says when the file could not be read at all.
std::optional<UnpackedTask> UnpackTask(const QString& path, const QString& tempFolder,
                                       ktext::FileError* error = nullptr);

// Packs `settings` and `code` into `path`. The plain image goes to a scratch file in
// `tempFolder`; `path` is replaced atomically by the packed file or left as it was, and then
// `error` says why.
bool WriteTaskFile(const QString& path, const IniDocument& settings, const CodeBuffer& code,
                   const QString& tempFolder, ktext::FileError* error = nullptr);

}  // namespace korvan
