#include "core/codeimage.h"

#include "core/messages.h"

#include <numeric>

namespace korvan {

std::optional<QString> LoadErrorText(LoadError error) {
    switch (error) {
        case LoadError::TooLarge:
            return msg::kFileTooLarge;
        case LoadError::Unreadable:
            return msg::kFileUnreadable;
        case LoadError::NoRecords:
            return msg::kNotHexFile;
        case LoadError::None:
        case LoadError::NotUsable:
            break;
    }
    return std::nullopt;
}

QString SumText(uint32_t sum) {
    return QStringLiteral("%1").arg(sum, 8, 16, QChar('0')).toUpper();
}

uint32_t SumOf(const CodeBuffer& bytes) {
    return std::accumulate(bytes.begin(), bytes.end(), uint32_t{0});
}

}  // namespace korvan
