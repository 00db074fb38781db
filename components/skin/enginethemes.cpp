#include "enginethemes.h"

#include <cstdint>

namespace korvanskin {

namespace {

// Colour values are 0x00BBGGRR.
constexpr uint32_t rgb(int r, int g, int b) {
    return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16);
}
constexpr uint32_t kSysWindowText = 0x80000008u;
constexpr uint32_t kSysMenuText = 0x80000007u;
constexpr uint32_t kWhite = rgb(255, 255, 255);

// `c` moved towards white: weight 0 keeps it, 100 gives white.
uint32_t towardsWhite(uint32_t c, int weight) {
    const auto ch = [&](int shift) {
        const int v = int((c >> shift) & 0xFF);
        return v + (255 - v) * weight / 100;
    };
    return rgb(ch(0), ch(8), ch(16));
}

uint32_t darker(uint32_t c, int percent) {
    const auto ch = [&](int shift) { return int((c >> shift) & 0xFF) * (100 - percent) / 100; };
    return rgb(ch(0), ch(8), ch(16));
}

// One coherent set from a theme's accent colour and its hover and pressed tones.
QVariantMap colorSet(uint32_t accent, uint32_t hover, uint32_t down) {
    const uint32_t border = darker(accent, 15);
    const uint32_t pale = towardsWhite(accent, 72);
    const uint32_t faint = towardsWhite(accent, 88);
    QVariantMap set;
    set["Skin"] = QVariantList{kWhite, kSysWindowText, kSysMenuText, kWhite, pale, border};
    set["Cmd"] = QVariantList{border, true, kWhite, pale, kWhite, hover, down, kWhite};
    set["vTab"] = QVariantList{border, kWhite, faint, kWhite, pale, kWhite, hover, down, kWhite};
    set["Back"] = QVariantList{border, true, kWhite, towardsWhite(accent, 45), faint, 2};
    set["Progress"] = QVariantList{kWhite, rgb(104, 104, 104), accent};
    set["VsMenu"] = QVariantList{kSysMenuText, kWhite, pale, border, true};
    set["Frame"] = QVariantList{border, darker(accent, 30)};
    return set;
}

EngineTheme theme(const char* zh, const char* en, const char* file, uint32_t accent, uint32_t hover,
                  uint32_t down) {
    const QString base = QStringLiteral(":/korvan-engine/skins/") + QLatin1String(file);
    return {QString::fromUtf8(zh), QString::fromUtf8(en), base + QStringLiteral(".png"),
            base + QStringLiteral("_mask.png"), colorSet(accent, hover, down)};
}

}  // namespace

const QVector<EngineTheme>& engineThemes() {
    static const QVector<EngineTheme> themes = {
        theme("海洋蓝", "Ocean Blue", "blue", rgb(63, 130, 217), rgb(255, 215, 157),
              rgb(254, 145, 78)),
        theme("石墨灰", "Graphite", "graphite", rgb(96, 105, 118), rgb(214, 222, 232),
              rgb(150, 160, 174)),
        theme("翡翠绿", "Jade", "jade", rgb(53, 160, 116), rgb(206, 240, 222), rgb(112, 196, 158)),
        theme("玫瑰红", "Rose", "rose", rgb(146, 58, 90), rgb(244, 214, 226), rgb(206, 128, 158)),
    };
    return themes;
}

}  // namespace korvanskin
