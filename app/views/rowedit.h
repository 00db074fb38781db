// The grid's in-place row editor without its widget: which keys it takes, and what the
// finished text writes into the code buffer. A row never grows or shrinks by editing.
#pragma once

#include "core/codeimage.h"
#include "core/datatext.h"

#include <QChar>
#include <QString>

namespace korvan {

namespace editkey {
inline constexpr QChar kEnter = QChar('\r');
inline constexpr QChar kBackspace = QChar('\b');
}  // namespace editkey

struct EditKeyVerdict {
    enum Kind { Take, Refuse, Finish };
    Kind kind = Refuse;
    QChar key;  // the character to insert when taken (hex letters in upper case)
    bool operator==(const EditKeyVerdict&) const = default;
};

// The editor box's maximum length for a row's data text: one more than the text, which is
// three characters per byte.
inline int RowEditMaxLength(const QString& rowText) {
    return int(rowText.size()) + 1;
}

// Decides on one key before it reaches the box; `caret` is the insertion position.
EditKeyVerdict FilterRowEditKey(const QString& text, int caret, int maxLength, QChar key);

// The finished text as exactly the row's byte count (maxLength / 3): cut, or padded with zeros.
Bytes FinishRowEdit(const QString& text, int maxLength);

}  // namespace korvan
