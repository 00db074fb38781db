#include "core/binreader.h"

#include "core/codefile.h"

#include <QFile>

namespace korvan {

std::optional<CodeImage> ReadBinaryFile(const QString& path, LoadError* error) {
    auto fail = [error](LoadError why) -> std::optional<CodeImage> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (!FileUsable(path)) return fail(LoadError::NotUsable);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(LoadError::Unreadable);
    const qint64 size = file.size();
    if (size > kMaxCodeFileSize) return fail(LoadError::TooLarge);

    CodeImage image;
    image.Bytes.resize(static_cast<size_t>(size));
    if (file.read(reinterpret_cast<char*>(image.Bytes.data()), size) != size)
        return fail(LoadError::Unreadable);
    image.Sum = SumOf(image.Bytes);
    if (error) *error = LoadError::None;
    return image;
}

}  // namespace korvan
