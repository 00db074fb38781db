#include "core/taskfile.h"

#include "core/gzipfile.h"

#include "atomicsave.h"
#include "regularfile.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>

namespace korvan {
namespace {

constexpr int kAddMargin = 15;
constexpr int kPackLevel = 5;

// A new, empty scratch file named after the date; unique, so that two KORVAN processes (or a
// file planted under a predictable name) never share it.
QString NewScratchFile(const QString& tempFolder) {
    QTemporaryFile file(tempFolder + QStringLiteral("KORVAN-") +
                        QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                        QStringLiteral("-XXXXXX.mcup"));
    file.setAutoRemove(false);
    if (!file.open()) return {};
    return file.fileName();
}

std::optional<qint64> ReadNumber(const IniDocument& doc, const QString& key) {
    const auto text = doc.value("DATA", key);
    if (!text) return std::nullopt;
    bool ok = false;
    const qint64 value = text->trimmed().toLongLong(&ok);
    if (!ok) return std::nullopt;
    return value;
}

qsizetype TextLength(QByteArrayView image) {
    const void* nul = std::memchr(image.data(), 0, static_cast<size_t>(image.size()));
    return nul ? static_cast<const char*>(nul) - image.data() : image.size();
}

}  // namespace

std::optional<QByteArray> BuildTaskImage(IniDocument settings, const CodeBuffer& code) {
    if (static_cast<qint64>(code.size()) > kMaxCodeFileSize) return std::nullopt;
    settings.write("DATA", "END", QString::number(static_cast<qint64>(code.size()) - 1));
    const qint64 add = settings.toBytes().size() + kAddMargin;
    settings.write("DATA", "ADD", QString::number(add));
    QByteArray image = settings.toBytes();
    // The text must end in at least one zero byte before the code, so that a reader finds
    // where the text stops.
    if (image.size() >= add - 1) return std::nullopt;
    image.append(add - 1 - image.size(), '\0');
    image.append(reinterpret_cast<const char*>(code.data()), static_cast<qsizetype>(code.size()));
    return image;
}

std::optional<TaskImage> ParseTaskImage(QByteArrayView image) {
    qsizetype textLength = TextLength(image);
    IniDocument doc = IniDocument::fromBytes(image.first(textLength).toByteArray());
    const auto end = ReadNumber(doc, "END");
    const auto add = ReadNumber(doc, "ADD");
    if (!end || !add || *end < -1 || *end >= kMaxCodeFileSize || *add < 1 ||
        *add - 1 > image.size())
        return std::nullopt;
    const qint64 codeStart = *add - 1;
    const qint64 codeSize = *end + 1;
    if (codeSize > image.size() - codeStart) return std::nullopt;
    // The code must not start inside the text that named it.
    if (codeStart < textLength) {
        textLength = codeStart;
        doc = IniDocument::fromBytes(image.first(textLength).toByteArray());
        if (ReadNumber(doc, "END") != end || ReadNumber(doc, "ADD") != add) return std::nullopt;
    }
    TaskImage task;
    task.Settings = std::move(doc);
    const auto* first = reinterpret_cast<const uint8_t*>(image.data()) + codeStart;
    task.Code.assign(first, first + codeSize);
    return task;
}

std::optional<UnpackedTask> UnpackTask(const QString& path, const QString& tempFolder,
                                       ktext::FileError* error) {
    // Checked before the scratch file exists, so that a FIFO or a device never gets that far.
    ktext::FileError why;
    if (!ktext::IsRegularFile(path)) {
        if (error)
            *error = {
                QFileInfo::exists(path) ? ktext::FileError::NotRegular : ktext::FileError::Missing,
                0, path};
        return std::nullopt;
    }
    const QString temp = NewScratchFile(tempFolder);
    if (temp.isEmpty()) return std::nullopt;
    std::optional<TaskImage> task;
    if (DecompFile(temp, path, 0, kMaxTaskImageSize, &why) == 0) {
        // The scratch file was written a moment ago; the image bound covers it.
        if (const auto image = ktext::ReadRegularFile(temp, kMaxTaskImageSize, &why))
            task = ParseTaskImage(*image);
    }
    // A scratch file that could not be written is the task's failure, and named so.
    why.path = path;
    if (error) *error = why;
    if (!task) {
        QFile::remove(temp);
        return std::nullopt;
    }
    return UnpackedTask{temp, std::move(*task)};
}

bool WriteTaskFile(const QString& path, const IniDocument& settings, const CodeBuffer& code,
                   const QString& tempFolder, ktext::FileError* error) {
    if (error) *error = {ktext::FileError::WriteFailed, 0, path};
    const auto image = BuildTaskImage(settings, code);
    if (!image) return false;
    const QString temp = NewScratchFile(tempFolder);
    if (temp.isEmpty()) {
        if (error) *error = {ktext::FileError::WriteFailed, errno, path};
        return false;
    }
    // Both the plain image and the packed task are checked write by write: a full scratch
    // folder would otherwise pack a cut image, and a full disk would leave an empty task.
    const bool ok = ktext::SaveFileAtomically(temp, *image, error) &&
                    CompFile(path, temp, kPackLevel, 0, error) == 0;
    QFile::remove(temp);
    if (error) {
        if (ok) *error = {};
        // The user saves the task; a full scratch folder is reported as the task's failure.
        error->path = path;
    }
    return ok;
}

}  // namespace korvan
