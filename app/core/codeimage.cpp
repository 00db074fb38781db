#include "core/codeimage.h"

#include <numeric>

namespace korvan {

QString SumText(uint32_t sum) {
    return QStringLiteral("%1").arg(sum, 8, 16, QChar('0')).toUpper();
}

uint32_t SumOf(const CodeBuffer& bytes) {
    return std::accumulate(bytes.begin(), bytes.end(), uint32_t{0});
}

}  // namespace korvan
