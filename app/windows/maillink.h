// The label that offers the maker's e-mail address; a click opens the mail program with a
// subject line naming the version.
#pragma once

class QLabel;
class QWidget;

namespace korvan {

QLabel* MakeMailLabel(QWidget* parent);

}  // namespace korvan
