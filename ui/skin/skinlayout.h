// What the pieces of a skin picture are for, and the few placement facts that the pieces do
// not carry themselves. A complete skin pair has at least the 13 locations below, in the order
// the marker grid numbers them; missing ones are simply not drawn.
#pragma once

#include <QString>

namespace kui {

enum SkinLocation {
    LocTopLeft = 1,      // title bar, left cap (its height is the top frame height)
    LocTop = 2,          // title bar, stretched across
    LocTopRight = 3,     // title bar, right cap
    LocLeft = 4,         // left border, stretched down (its width is the left frame width)
    LocRight = 5,        // right border (its width is the right frame width)
    LocBottomLeft = 6,   // status bar, left cap
    LocBottom = 7,       // status bar, stretched (its height is the bottom frame height)
    LocBottomRight = 8,  // status bar, right cap with the size grip; panels end at its left
    LocClose = 9,        // title button strips: normal, hover, pressed, disabled
    LocSeparator = 10,   // status panel separator
    LocMaximise = 11,
    LocRestore = 12,
    LocMinimise = 13,
    kSkinLocationCount = 13,
};

struct SkinLayout {
    bool separators = true;  // draw LocSeparator before each status panel
    int buttonTop = 4;       // top of the title buttons
    int buttonRight = 6;     // gap between the last title button and the right edge
    int buttonGap = 0;       // gap between title buttons
};

// Built-in skins: 0 and 1. Anything else is a custom skin and gets the default table.
SkinLayout skinLayout(int skin);
QString builtinSkinPicture(int skin);
QString builtinSkinMarkers(int skin);

// Registers the pictures compiled into the toolkit (a static library needs to be told).
void initSkinResources();

}  // namespace kui
