#include "core/binreader.h"

#include "core/codefile.h"

#include "regularfile.h"

namespace korvan {

std::optional<CodeImage> ReadBinaryFile(const QString& path, LoadError* error) {
    auto fail = [error](LoadError why) -> std::optional<CodeImage> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (!FileUsable(path)) return fail(LoadError::NotUsable);
    ktext::FileError why;
    const auto bytes = ktext::ReadRegularFile(path, kMaxCodeFileSize, &why);
    if (!bytes) {
        if (why.kind == ktext::FileError::TooLarge) return fail(LoadError::TooLarge);
        // Swapped for something else (or removed) since it was found usable.
        if (why.kind != ktext::FileError::ReadFailed) return fail(LoadError::NotUsable);
        return fail(LoadError::Unreadable);
    }
    if (bytes->isEmpty()) return fail(LoadError::NotUsable);

    CodeImage image;
    image.Bytes.assign(bytes->begin(), bytes->end());
    image.Sum = SumOf(image.Bytes);
    if (error) *error = LoadError::None;
    return image;
}

}  // namespace korvan
