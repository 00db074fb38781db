#include "views/datasearch.h"

namespace korvan {

qsizetype FindGridRow(const GridRows& rows, qsizetype lastHit, const QString& text) {
    if (text.isEmpty()) return 0;
    const qsizetype count = rows.rowCount();
    if (lastHit >= count || lastHit < 0) lastHit = 0;
    for (qsizetype row = lastHit; row < count; ++row)
        if (rows.dataText(row).contains(text, Qt::CaseSensitive)) return row + 1;
    return 0;
}

qsizetype FindInText(const QString& box, qsizetype lastHit, const QString& text) {
    if (text.isEmpty()) return 0;
    if (lastHit >= box.size() || lastHit < 0) lastHit = 0;
    const qsizetype at = box.indexOf(text, lastHit, Qt::CaseSensitive);
    return at < 0 ? 0 : at + 1;
}

}  // namespace korvan
