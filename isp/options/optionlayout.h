// Where the parts of an option row go, in twips. Tops and heights come from the design of the
// row template; the lefts and widths of the choices and the list are computed from the padded
// texts, so that the choices of every row with equally padded captions start in one column.
#pragma once

#include <QString>
#include <functional>

#include "optionmodel.h"

namespace zel::options {

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

namespace design {
inline constexpr int kGap = 30;  // between rows, and above the first one
inline constexpr TwipsRect kRow{0, 30, 5565, 360};
inline constexpr TwipsRect kLabel{45, 90, 900, 180};
inline constexpr TwipsRect kFirstChoice{1365, 83, 750, 195};
inline constexpr TwipsRect kSecondChoice{2220, 83, 795, 195};
inline constexpr TwipsRect kList{3360, 30, 1440, 300};
inline constexpr TwipsRect kScrollArea{0, 0, 5685, 1035};
inline constexpr int kColumnOffset = 480;  // from the padded caption to the first choice
inline constexpr int kChoiceExtra = 330;   // a choice's width beyond its text
inline constexpr int kChoiceGap = 90;      // from the first choice's padded text to the second
inline constexpr int kRowStep = kRow.height + kGap;
}  // namespace design

// The top of row `index` inside the scrolling area.
inline int RowTop(int index) {
    return design::kRow.top + index * design::kRowStep;
}
// The height of the scrolling area holding `rows` rows.
inline int ScrollAreaHeight(int rows) {
    return design::kRowStep * rows + design::kGap;
}

struct RowGeometry {
    int firstLeft = 0, firstWidth = 0;
    int secondLeft = 0, secondWidth = 0;
    int listLeft = 0;
};

// The lefts and widths for a row of kind 1 or 2; `textWidth` measures a text in twips. Other
// rows keep the design values.
RowGeometry LayoutRow(const OptionRow& row, const std::function<int(const QString&)>& textWidth);

// The maximum of the option scroll bar for an area `areaHeight` twips high shown in a window
// `innerHeight` twips high: the number of row steps hidden, a started step counting whole.
int ScrollMaximum(int areaHeight, int innerHeight);

}  // namespace zel::options
