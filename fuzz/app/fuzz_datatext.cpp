// The data-text compiler on arbitrary text with a fixed clock and serial number.
#include "core/datatext.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static const QDateTime now(QDate(2009, 12, 7), QTime(23, 59, 58));
    const qint64 serial = size > 0 ? static_cast<qint64>(data[0]) * 3907 - 1 : 0;
    const korvan::Bytes bytes = korvan::ParseDataText(text, {serial, now});
    if (bytes.size() > korvan::kMaxDataTextBytes) std::abort();
    korvan::BytesToText(bytes, QStringLiteral(" "), 0, -1, size % 2 == 0);
    return 0;
}
