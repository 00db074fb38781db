// The file-information texts beside the file name: code size, chip space and free space.
#pragma once

#include <QString>
#include <optional>

namespace korvan {

// "512 B" while |value| <= 1023, else kilobytes with one decimal ("1.5 KB", "-2.0 KB").
QString FormatSize(qint64 value);

struct SizeTexts {
    QString CodeSize;
    std::optional<QString> ChipSpace;  // only when the chip's flash size is known (not 0)
    std::optional<QString> FreeSpace;  // flash size minus code size, negative when too big
};

SizeTexts ShowSizes(qint64 codeSize, qint64 flashSize);

}  // namespace korvan
