// The data grid's rows over the code buffer: 16 bytes a row, the address as wide as the
// buffer's upper bound needs (at least 4 hexadecimal digits). Rows are formatted when asked
// for, so a 16 MiB buffer costs nothing until a row is shown or searched.
#pragma once

#include "core/codeimage.h"

#include <QString>
#include <algorithm>

namespace korvan {

class GridRows {
  public:
    static constexpr qsizetype kBytesPerRow = 16;

    GridRows() = default;
    explicit GridRows(const CodeBuffer* buffer);

    qsizetype rowCount() const;
    int addressWidth() const { return width_; }
    qsizetype rowAddress(qsizetype row) const { return row * kBytesPerRow; }
    qsizetype rowByteCount(qsizetype row) const;
    // Column 0: the address, upper-case hexadecimal, zero-padded, followed by one blank.
    QString addressText(qsizetype row) const;
    // Column 1: the row's bytes as upper-case hexadecimal pairs separated by single blanks.
    QString dataText(qsizetype row) const;

  private:
    const CodeBuffer* buffer_ = nullptr;
    int width_ = 4;
};

}  // namespace korvan
