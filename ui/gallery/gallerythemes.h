// The gallery's two built-in colour schemes, applied the way a skin applies its colours:
// one ChangeColor call per control.
#pragma once

#include <QString>

#include "ui/core/colorrule.h"

class QWidget;

namespace kui {
class VsMenu;
}

namespace gallery {

struct Theme {
    QString name;
    kui::OleColor border, start, end, moveStart, moveEnd, downStart, downEnd;
    kui::OleColor pageBack, pageEnd;
    kui::OleColor panelStart, panelMiddle, panelEnd, panelBorder;
    kui::OleColor barBack, barBorder, barFill;
    kui::OleColor frameBack, frameBorder, frameFore;
    kui::OleColor menuBorder, menuBarStart, menuBarEnd, selBorder, selBack, checkBack, selCheckBack;
    kui::OleColor windowBack;
};

int themeCount();
const Theme& theme(int index);

// Recolours every control under `root` and the menus.
void applyTheme(QWidget* root, kui::VsMenu* menu, const Theme& theme);

}  // namespace gallery
