// The Intel HEX reader on arbitrary text: any input loads without a fault, the image never
// exceeds the largest code file (extended address records reach far beyond 64 KiB), and
// reading the text in two pieces (split where the first byte says) gives exactly what reading
// it whole gives.
#include "core/hexreader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const korvan::CodeImage whole = korvan::ReadIntelHex(text);
    if (static_cast<qint64>(whole.Bytes.size()) > korvan::kMaxCodeFileSize) std::abort();

    const qsizetype split = size > 0 ? static_cast<qsizetype>(data[0] % (size + 1)) : 0;
    korvan::IntelHexReader reader;
    reader.feed(text.first(split));
    reader.feed(text.sliced(split));
    const korvan::CodeImage pieces = reader.finish();
    if (pieces.Bytes != whole.Bytes || pieces.Sum != whole.Sum ||
        pieces.BadRecords != whole.BadRecords || pieces.GoodRecords != whole.GoodRecords ||
        pieces.BeyondLimit != whole.BeyondLimit || pieces.FirstBadLine != whole.FirstBadLine ||
        pieces.EndRecordSeen != whole.EndRecordSeen)
        std::abort();
    return 0;
}
