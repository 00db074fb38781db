#include "colorrule.h"

#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace kui {

namespace {

constexpr auto A = QPalette::Active;
constexpr auto D = QPalette::Disabled;
constexpr auto I = QPalette::Inactive;

// The palette stands in for the desktop's colour scheme. Each index maps to the palette role
// with the same purpose; the third column is the classic scheme, used without an application.
// Index 25 has no meaning on any desktop and is always the classic value (black).
constexpr SysColorEntry kTable[kSysColorCount] = {
    {A, QPalette::Midlight, rgb(212, 208, 200)},         // 0 scroll bar
    {A, QPalette::Dark, rgb(58, 110, 165)},              // 1 desktop
    {A, QPalette::Highlight, rgb(10, 36, 106)},          // 2 active caption
    {I, QPalette::Mid, rgb(128, 128, 128)},              // 3 inactive caption
    {A, QPalette::Window, rgb(212, 208, 200)},           // 4 menu
    {A, QPalette::Base, rgb(255, 255, 255)},             // 5 window background
    {A, QPalette::Shadow, rgb(0, 0, 0)},                 // 6 window frame
    {A, QPalette::WindowText, rgb(0, 0, 0)},             // 7 menu text
    {A, QPalette::Text, rgb(0, 0, 0)},                   // 8 window text
    {A, QPalette::HighlightedText, rgb(255, 255, 255)},  // 9 caption text
    {A, QPalette::Button, rgb(212, 208, 200)},           // 10 active border
    {I, QPalette::Button, rgb(212, 208, 200)},           // 11 inactive border
    {A, QPalette::Dark, rgb(128, 128, 128)},             // 12 application workspace
    {A, QPalette::Highlight, rgb(10, 36, 106)},          // 13 highlight
    {A, QPalette::HighlightedText, rgb(255, 255, 255)},  // 14 highlighted text
    {A, QPalette::Button, rgb(212, 208, 200)},           // 15 button face
    {A, QPalette::Dark, rgb(128, 128, 128)},             // 16 button shadow
    {D, QPalette::Text, rgb(128, 128, 128)},             // 17 grey text
    {A, QPalette::ButtonText, rgb(0, 0, 0)},             // 18 button text
    {D, QPalette::WindowText, rgb(212, 208, 200)},       // 19 inactive caption text
    {A, QPalette::Light, rgb(255, 255, 255)},            // 20 button highlight
    {A, QPalette::Shadow, rgb(64, 64, 64)},              // 21 3D dark shadow
    {A, QPalette::Midlight, rgb(212, 208, 200)},         // 22 3D light
    {A, QPalette::ToolTipText, rgb(0, 0, 0)},            // 23 tooltip text
    {A, QPalette::ToolTipBase, rgb(255, 255, 225)},      // 24 tooltip background
    {A, QPalette::NoRole, rgb(0, 0, 0)},                 // 25 unused
    {A, QPalette::Link, rgb(0, 0, 128)},                 // 26 hot-tracked item
    {A, QPalette::Highlight, rgb(166, 202, 240)},        // 27 active caption gradient
    {I, QPalette::Midlight, rgb(192, 192, 192)},         // 28 inactive caption gradient
    {A, QPalette::Highlight, rgb(49, 106, 197)},         // 29 menu highlight
    {A, QPalette::Window, rgb(212, 208, 200)},           // 30 menu bar
};

}  // namespace

bool isSystemColor(OleColor c) {
    return c != kNoColor && (c & kSysColorFlag) != 0;
}

const SysColorEntry* systemColorEntry(OleColor c) {
    if (!isSystemColor(c)) return nullptr;
    const OleColor index = c & ~kSysColorFlag;
    if (index >= OleColor(kSysColorCount)) return nullptr;
    return &kTable[index];
}

OleColor resolveColor(OleColor c, const QPalette& palette) {
    if (c == kNoColor) return rgb(255, 255, 255);
    if (!isSystemColor(c)) return c & 0x00FFFFFFu;
    const SysColorEntry* entry = systemColorEntry(c);
    if (!entry) return 0;
    if (entry->role == QPalette::NoRole) return entry->classic;
    return fromQColor(palette.color(entry->group, entry->role));
}

OleColor resolveColor(OleColor c) {
    if (c == kNoColor) return rgb(255, 255, 255);
    if (!isSystemColor(c)) return c & 0x00FFFFFFu;
    if (!qGuiApp) {
        const SysColorEntry* entry = systemColorEntry(c);
        return entry ? entry->classic : 0;
    }
    return resolveColor(c, QGuiApplication::palette());
}

OleColor translateColor(OleColor c) {
    return c == kNoColor ? kNoColor : resolveColor(c);
}

QColor toQColor(OleColor c, const QPalette& palette) {
    const OleColor v = resolveColor(c, palette);
    return QColor(redOf(v), greenOf(v), blueOf(v));
}

QColor toQColor(OleColor c) {
    const OleColor v = resolveColor(c);
    return QColor(redOf(v), greenOf(v), blueOf(v));
}

OleColor fromQColor(const QColor& color) {
    const QColor c = color.toRgb();
    return rgb(c.red(), c.green(), c.blue());
}

int adjustChannel(int channel, double percent) {
    const double scaled = std::round(channel * (1.0 + percent / 100.0));
    return int(std::clamp(scaled, 0.0, 255.0));
}

OleColor adjustRGB(OleColor c, double redPercent, double greenPercent, double bluePercent,
                   const QPalette& palette) {
    const OleColor v = resolveColor(c, palette);
    return rgb(adjustChannel(redOf(v), redPercent), adjustChannel(greenOf(v), greenPercent),
               adjustChannel(blueOf(v), bluePercent));
}

OleColor adjustRGB(OleColor c, double redPercent, double greenPercent, double bluePercent) {
    const OleColor v = resolveColor(c);
    return rgb(adjustChannel(redOf(v), redPercent), adjustChannel(greenOf(v), greenPercent),
               adjustChannel(blueOf(v), bluePercent));
}

}  // namespace kui
