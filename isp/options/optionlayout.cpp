#include "optionlayout.h"

namespace zel::options {

RowGeometry LayoutRow(const OptionRow& row, const std::function<int(const QString&)>& textWidth) {
    RowGeometry g;
    g.firstLeft = design::kFirstChoice.left;
    g.firstWidth = design::kFirstChoice.width;
    g.secondLeft = design::kSecondChoice.left;
    g.secondWidth = design::kSecondChoice.width;
    g.listLeft = design::kList.left;
    switch (row.kind()) {
        case RowKind::Choice:
            g.firstLeft = textWidth(row.captionField) + design::kColumnOffset;
            g.firstWidth = textWidth(row.firstText()) + design::kChoiceExtra;
            g.secondLeft = g.firstLeft + textWidth(row.firstField) + design::kChoiceGap;
            g.secondWidth = textWidth(row.secondField) + design::kChoiceExtra;
            break;
        case RowKind::List:
            g.listLeft = textWidth(row.captionField) + design::kColumnOffset;
            break;
        default:
            break;
    }
    return g;
}

int ScrollMaximum(int areaHeight, int innerHeight) {
    const int hidden = areaHeight - innerHeight;
    if (hidden <= 0) return 0;
    return hidden / design::kRowStep + (hidden % design::kRowStep > 0 ? 1 : 0);
}

}  // namespace zel::options
