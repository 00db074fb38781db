#include "core/serialwriteback.h"

#include "core/codefile.h"
#include "core/inidocument.h"
#include "core/taskfile.h"

#include <QFile>

namespace korvan {
namespace {

const QString kSection = QStringLiteral("AddData");
const QString kKey = QStringLiteral("Data");

bool IntoTask(const QString& path, const QString& number, const QString& tempFolder,
              ktext::FileError* error) {
    ktext::FileError why;
    const auto unpacked = UnpackTask(path, tempFolder, &why);
    if (!unpacked) {
        // A file that is there but no task any more is not overwritten with one.
        if (error)
            *error = why.failed() ? why : ktext::FileError{ktext::FileError::ReadFailed, 0, path};
        return false;
    }
    QFile::remove(unpacked->TempFile);
    IniDocument settings = unpacked->Task.Settings;
    settings.removeSection(QStringLiteral("DATA"));
    settings.write(kSection, kKey, number);
    return WriteTaskFile(path, settings, unpacked->Task.Code, tempFolder, error);
}

}  // namespace

bool WriteBackSerialNumber(const QString& settingsFile, qint64 next, const QString& tempFolder,
                           ktext::FileError* error) {
    const QString number = QString::number(next);
    if (FileTypeOf(settingsFile) == CodeFileType::Mcp)
        return IntoTask(settingsFile, number, tempFolder, error);
    auto doc = IniDocument::loadForUpdate(settingsFile, error);
    if (!doc) return false;
    doc->write(kSection, kKey, number);
    return doc->save(settingsFile, error);
}

}  // namespace korvan
