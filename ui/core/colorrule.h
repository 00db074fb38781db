// The colour values every skinned control stores and the one rule by which they are tinted.
// A colour is 0x00BBGGRR, or a system-colour index with the top bit set (0x80000005 is the
// window background); 0xFFFFFFFF means "no colour" where a drawing call allows it.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace kui {

using OleColor = uint32_t;

inline constexpr OleColor kSysColorFlag = 0x80000000u;
inline constexpr OleColor kNoColor = 0xFFFFFFFFu;

// The system colours the toolkit names; the index is the low byte.
enum SysColor : OleColor {
    SysScrollBar = 0x80000000u,
    SysDesktop = 0x80000001u,
    SysActiveCaption = 0x80000002u,
    SysInactiveCaption = 0x80000003u,
    SysMenu = 0x80000004u,
    SysWindow = 0x80000005u,
    SysWindowFrame = 0x80000006u,
    SysMenuText = 0x80000007u,
    SysWindowText = 0x80000008u,
    SysCaptionText = 0x80000009u,
    SysActiveBorder = 0x8000000Au,
    SysInactiveBorder = 0x8000000Bu,
    SysAppWorkspace = 0x8000000Cu,
    SysHighlight = 0x8000000Du,
    SysHighlightText = 0x8000000Eu,
    SysButtonFace = 0x8000000Fu,
    SysButtonShadow = 0x80000010u,
    SysGrayText = 0x80000011u,
    SysButtonText = 0x80000012u,
    SysInactiveCaptionText = 0x80000013u,
    SysButtonHighlight = 0x80000014u,
    Sys3DDarkShadow = 0x80000015u,
    Sys3DLight = 0x80000016u,
    SysInfoText = 0x80000017u,
    SysInfoBackground = 0x80000018u,
    SysHotLight = 0x8000001Au,
    SysGradientActiveCaption = 0x8000001Bu,
    SysGradientInactiveCaption = 0x8000001Cu,
    SysMenuHighlight = 0x8000001Du,
    SysMenuBar = 0x8000001Eu,
};

// One row of the system-colour table: the palette colour that stands in for an index, and the
// classic value used when no GUI application (and so no palette) exists.
struct SysColorEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    OleColor classic;  // 0x00BBGGRR
};

inline constexpr int kSysColorCount = 31;  // indices 0..30

bool isSystemColor(OleColor c);

// The table row for a system colour, or nullptr when the index is unknown.
const SysColorEntry* systemColorEntry(OleColor c);

// Plain 0x00BBGGRR of any colour value. System colours come from `palette` (the application's
// palette by default); an unknown system index resolves to black, as the platform does.
// kNoColor resolves to white so that a careless caller still draws something sane.
OleColor resolveColor(OleColor c);
OleColor resolveColor(OleColor c, const QPalette& palette);

// Like resolveColor, but kNoColor stays kNoColor (the "no colour" of the drawing calls).
OleColor translateColor(OleColor c);

QColor toQColor(OleColor c);
QColor toQColor(OleColor c, const QPalette& palette);
OleColor fromQColor(const QColor& color);  // alpha is dropped

inline constexpr OleColor rgb(int r, int g, int b) {
    return OleColor(r & 0xFF) | (OleColor(g & 0xFF) << 8) | (OleColor(b & 0xFF) << 16);
}
inline constexpr int redOf(OleColor c) {
    return int(c & 0xFF);
}
inline constexpr int greenOf(OleColor c) {
    return int((c >> 8) & 0xFF);
}
inline constexpr int blueOf(OleColor c) {
    return int((c >> 16) & 0xFF);
}

// One channel times (1 + percent / 100), rounded, kept within 0..255.
int adjustChannel(int channel, double percent);

// The tint every skinned control applies: system colours are resolved first, then each
// channel is scaled by its own percentage. The result is always a plain RGB value.
OleColor adjustRGB(OleColor c, double redPercent, double greenPercent, double bluePercent);
OleColor adjustRGB(OleColor c, double redPercent, double greenPercent, double bluePercent,
                   const QPalette& palette);

// The three percentages of a colour adjustment, as the controls keep them.
struct ColorAdjust {
    double red = 0;
    double green = 0;
    double blue = 0;
    bool isIdentity() const { return red == 0 && green == 0 && blue == 0; }
    OleColor apply(OleColor c) const { return adjustRGB(c, red, green, blue); }
};

}  // namespace kui
