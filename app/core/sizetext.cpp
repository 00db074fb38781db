#include "core/sizetext.h"

#include <cstdlib>

namespace korvan {

QString FormatSize(qint64 value) {
    if (std::llabs(value) <= 1023) return QString::number(value) + QStringLiteral(" B");
    return QString::number(static_cast<double>(value) / 1024.0, 'f', 1) + QStringLiteral(" KB");
}

SizeTexts ShowSizes(qint64 codeSize, qint64 flashSize) {
    SizeTexts texts;
    texts.CodeSize = FormatSize(codeSize);
    if (flashSize == 0) return texts;
    texts.ChipSpace = FormatSize(flashSize);
    texts.FreeSpace = FormatSize(flashSize - codeSize);
    return texts;
}

}  // namespace korvan
