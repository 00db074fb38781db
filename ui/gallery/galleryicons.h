// Small item bitmaps for the gallery's buttons and menus, drawn rather than shipped.
#pragma once

#include <QPixmap>

namespace gallery {

QPixmap folderIcon(int size = 16);
QPixmap chipIcon(int size = 16);
QPixmap diskIcon(int size = 16);

}  // namespace gallery
