#include "utf8tail.h"

namespace kserial {

qsizetype incompleteUtf8Tail(QByteArrayView bytes) {
    const qsizetype n = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= n; ++back) {
        const auto c = static_cast<unsigned char>(bytes[n - back]);
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte: its lead is further back
        const qsizetype length = (c & 0xE0) == 0xC0   ? 2
                                 : (c & 0xF0) == 0xE0 ? 3
                                 : (c & 0xF8) == 0xF0 ? 4
                                                      : 1;
        return length > back ? back : 0;
    }
    return 0;
}

}  // namespace kserial
