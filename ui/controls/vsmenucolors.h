// The colours and measures by which VsMenu draws a menu bar and its pop-up menus.
#pragma once

#include "ui/core/colorrule.h"

namespace kui {

struct VsMenuColors {
    OleColor selMenuBorder = rgb(49, 106, 197);
    OleColor selMenuBack = rgb(255, 240, 192);
    OleColor selMenuFore = SysMenuText;
    OleColor selCheckBack = rgb(248, 222, 165);
    OleColor menuBorder = rgb(106, 140, 203);
    OleColor menuBack = rgb(255, 255, 255);
    OleColor menuFore = SysWindowText;
    OleColor checkBack = rgb(170, 159, 241);
    OleColor checkFore = SysMenuText;
    OleColor disabledMenuBorder = SysButtonShadow;
    OleColor disabledMenuBack = 0;  // white mixed half and half with the window colour
    OleColor disabledMenuFore = SysGrayText;
    OleColor menuBarStart = rgb(255, 255, 255);
    OleColor menuBarEnd = rgb(153, 187, 234);
    bool showMenuBarGradient = false;
    int bitmapSize = 16;
    bool selectDisabled = true;

    // The defaults, with the mixed disabled background resolved against today's palette.
    static VsMenuColors defaults();
};

}  // namespace kui
