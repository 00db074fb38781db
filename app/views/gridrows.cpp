#include "views/gridrows.h"

namespace korvan {

GridRows::GridRows(const CodeBuffer* buffer) : buffer_(buffer) {
    const auto size = buffer_ ? static_cast<qsizetype>(buffer_->size()) : 0;
    int digits = 0;
    for (qsizetype upper = size > 0 ? size - 1 : 0; upper > 0; upper >>= 4) ++digits;
    width_ = std::max(digits, 4);
}

qsizetype GridRows::rowCount() const {
    if (!buffer_) return 0;
    return (static_cast<qsizetype>(buffer_->size()) + kBytesPerRow - 1) / kBytesPerRow;
}

qsizetype GridRows::rowByteCount(qsizetype row) const {
    if (row < 0 || row >= rowCount()) return 0;
    return std::min(kBytesPerRow, static_cast<qsizetype>(buffer_->size()) - rowAddress(row));
}

QString GridRows::addressText(qsizetype row) const {
    return QStringLiteral("%1 ").arg(rowAddress(row), width_, 16, QChar('0')).toUpper();
}

QString GridRows::dataText(qsizetype row) const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const qsizetype count = rowByteCount(row);
    if (count == 0) return {};
    QString text(count * 3 - 1, QChar(' '));
    const uint8_t* bytes = buffer_->data() + rowAddress(row);
    for (qsizetype i = 0; i < count; ++i) {
        text[i * 3] = QChar(kDigits[bytes[i] >> 4]);
        text[i * 3 + 1] = QChar(kDigits[bytes[i] & 0x0F]);
    }
    return text;
}

}  // namespace korvan
