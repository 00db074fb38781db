#include "views/rowedit.h"

namespace korvan {

EditKeyVerdict FilterRowEditKey(const QString& text, int caret, int maxLength, QChar key) {
    using V = EditKeyVerdict;
    if (key == editkey::kEnter) return {V::Finish, {}};
    if (key == editkey::kBackspace) return {V::Take, key};
    if (caret + 1 >= maxLength) return {V::Refuse, {}};
    if (key == QChar(' ')) {
        const bool blankBefore = caret > 0 && text.at(caret - 1) == QChar(' ');
        const bool blankAfter = caret < text.size() && text.at(caret) == QChar(' ');
        if (caret <= 0 || blankBefore || blankAfter) return {V::Refuse, {}};
        return {V::Take, key};
    }
    const char16_t c = key.unicode();
    if (c >= u'0' && c <= u'9') return {V::Take, key};
    if ((c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f')) return {V::Take, key.toUpper()};
    return {V::Refuse, {}};
}

Bytes FinishRowEdit(const QString& text, int maxLength) {
    Bytes bytes = ParseDataText(text, DataTextContext{});
    bytes.resize(static_cast<size_t>(std::max(maxLength / 3, 0)), 0);
    return bytes;
}

}  // namespace korvan
