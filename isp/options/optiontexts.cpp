#include "optiontexts.h"

#include <algorithm>

#include "optionlayout.h"
#include "text.h"

namespace zel::options {

ShownRow ShowRow(const OptionRow& row, int index) {
    ShownRow shown{row, false};
    OptionRow& r = shown.row;
    if (row.invalid) {
        r.caption = KORVAN_TR("zel", "无效参数");
        return shown;
    }
    const QString caption = DbText(row.captionField);
    shown.translated = caption != row.captionField;
    if (shown.translated) {
        r.captionField = caption;
        r.caption = KORVAN_TR("zel", "%1、%2").arg(index + 1).arg(caption);
    }
    r.firstField = DbText(row.firstField);
    r.secondField = DbText(row.secondField);
    for (QString& item : r.items) item = DbText(item);
    return shown;
}

void PadTranslatedRows(std::vector<ShownRow>& rows,
                       const std::function<int(const QString&)>& textWidth) {
    int widest = 0;
    for (const ShownRow& s : rows)
        if (s.translated) widest = std::max(widest, textWidth(s.row.captionField));
    const auto padTo = [&textWidth](QString& text, int width) {
        // A space can measure nothing in an odd font; the limit keeps the loop finite.
        for (int i = 0; i < 200 && textWidth(text) < width; ++i) text += QLatin1Char(' ');
    };
    for (ShownRow& s : rows) {
        if (!s.translated) continue;
        padTo(s.row.captionField, widest);
        if (s.row.kind() == RowKind::Choice)
            padTo(s.row.firstField, textWidth(s.row.firstText()) + design::kChoiceExtra);
    }
}

}  // namespace zel::options
