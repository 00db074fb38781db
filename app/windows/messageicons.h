// The message window's icon set, numbers 0 to 9, drawn rather than loaded so that every skin
// and resolution gets crisp pictures.
//   0 notice (i)   1 refusal or failure (x)   2 file or port error (!)   3 question (?)
//   4 done (tick)  5 stop (bar)  6 information (green i)  7 warning (grey !)
//   8 waiting (clock)  9 chip
#pragma once

#include <QPixmap>

namespace korvan {

QPixmap MessageIcon(int digit, int size = 32);

}  // namespace korvan
