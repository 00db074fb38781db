#include "themes.h"

namespace {

Theme blue() {
    Theme t;
    t.titleTop = QColor(0x5B, 0x9B, 0xE8);
    t.titleMid = QColor(0x3F, 0x82, 0xD9);
    t.titleLow = QColor(0x2F, 0x70, 0xC8);
    t.titleBottom = QColor(0x2A, 0x66, 0xB8);
    t.outline = QColor(0x1D, 0x4A, 0x8A);
    t.frame = QColor(0x3A, 0x7B, 0xD0);
    t.frameInner = QColor(0x27, 0x5C, 0xA6);
    t.statusTop = QColor(0xF4, 0xF8, 0xFD);
    t.statusBottom = QColor(0xDA, 0xE6, 0xF5);
    t.statusLine = QColor(0xA9, 0xC2, 0xE3);
    t.glyph = QColor(0xFF, 0xFF, 0xFF);
    t.hover = QColor(255, 255, 255, 60);
    t.pressed = QColor(0, 20, 60, 70);
    t.closeHover = QColor(0xE0, 0x43, 0x43);
    t.closePressed = QColor(0xB0, 0x2A, 0x2A);
    return t;
}

Theme graphite() {
    Theme t;
    t.titleTop = QColor(0x4E, 0x55, 0x5F);
    t.titleMid = QColor(0x3F, 0x45, 0x4E);
    t.titleLow = QColor(0x35, 0x3A, 0x42);
    t.titleBottom = QColor(0x2E, 0x33, 0x3A);
    t.outline = QColor(0x1E, 0x21, 0x26);
    t.frame = QColor(0x3A, 0x40, 0x48);
    t.frameInner = QColor(0x2A, 0x2E, 0x34);
    t.statusTop = QColor(0xF3, 0xF4, 0xF6);
    t.statusBottom = QColor(0xDD, 0xE0, 0xE5);
    t.statusLine = QColor(0xB5, 0xBA, 0xC2);
    t.glyph = QColor(0xEE, 0xF1, 0xF4);
    t.hover = QColor(255, 255, 255, 45);
    t.pressed = QColor(0, 0, 0, 80);
    t.closeHover = QColor(0xD9, 0x3B, 0x3B);
    t.closePressed = QColor(0xA8, 0x28, 0x28);
    return t;
}

Theme green() {
    Theme t;
    t.titleTop = QColor(0x4F, 0xB8, 0x8C);
    t.titleMid = QColor(0x35, 0xA0, 0x74);
    t.titleLow = QColor(0x28, 0x8C, 0x63);
    t.titleBottom = QColor(0x22, 0x80, 0x5A);
    t.outline = QColor(0x16, 0x5C, 0x40);
    t.frame = QColor(0x2F, 0x96, 0x6C);
    t.frameInner = QColor(0x1F, 0x74, 0x52);
    t.statusTop = QColor(0xF3, 0xFA, 0xF6);
    t.statusBottom = QColor(0xD8, 0xEE, 0xE2);
    t.statusLine = QColor(0xA3, 0xD2, 0xB9);
    t.glyph = QColor(0xFF, 0xFF, 0xFF);
    t.hover = QColor(255, 255, 255, 60);
    t.pressed = QColor(0, 40, 20, 70);
    t.closeHover = QColor(0xE0, 0x43, 0x43);
    t.closePressed = QColor(0xB0, 0x2A, 0x2A);
    return t;
}

Theme wine() {
    Theme t;
    t.titleTop = QColor(0xA8, 0x4E, 0x6E);
    t.titleMid = QColor(0x92, 0x3A, 0x5A);
    t.titleLow = QColor(0x80, 0x2E, 0x4C);
    t.titleBottom = QColor(0x74, 0x28, 0x44);
    t.outline = QColor(0x52, 0x18, 0x2E);
    t.frame = QColor(0x8A, 0x36, 0x55);
    t.frameInner = QColor(0x68, 0x24, 0x3E);
    t.statusTop = QColor(0xFB, 0xF4, 0xF7);
    t.statusBottom = QColor(0xEE, 0xDC, 0xE4);
    t.statusLine = QColor(0xD2, 0xAE, 0xBE);
    t.glyph = QColor(0xFF, 0xFF, 0xFF);
    t.hover = QColor(255, 255, 255, 55);
    t.pressed = QColor(40, 0, 15, 70);
    t.closeHover = QColor(0xE5, 0x4B, 0x3C);
    t.closePressed = QColor(0xB3, 0x31, 0x26);
    return t;
}

Theme named(Theme t, const QString& file) {
    t.file = file;
    return t;
}

}  // namespace

QVector<Theme> builtinThemes() { return {named(blue(), "skin0"), named(graphite(), "skin1")}; }

QVector<Theme> engineThemes() {
    return {named(blue(), "blue"), named(graphite(), "graphite"), named(green(), "jade"),
            named(wine(), "rose")};
}
