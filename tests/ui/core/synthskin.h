// A complete skin picture pair drawn by the tests: each piece a flat colour of its own, frame
// sizes chosen by the caller, every pixel outside the pieces grid.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QVector>

#include "ui/core/cmask.h"

struct SynthSkin {
    int top = 40, left = 6, right = 7, bottom = 20;
    int buttonW = 18, buttonH = 14;
    QImage picture, markers;

    // The flat colour of location `loc`; for button strips, of state 0.
    static QRgb colorOf(int loc, int state = 0) {
        return qRgb(loc * 15, 60 + state * 40, 250 - loc * 12);
    }

    void build() {
        struct P {
            int loc, w, h;
        };
        const QVector<QVector<P>> rows = {
            {{1, 10, top}, {2, 10, top}, {3, 10, top}},
            {{4, left, 10}, {5, right, 10}, {6, 10, bottom}, {7, 10, bottom}, {8, 12, bottom}},
            {{9, 4 * buttonW, buttonH},
             {10, 2, 12},
             {11, 4 * buttonW, buttonH},
             {12, 4 * buttonW, buttonH},
             {13, 4 * buttonW, buttonH}},
        };
        int width = 0, height = 1;
        for (const auto& row : rows) {
            int w = 1, h = 0;
            for (const P& p : row) {
                w += p.w + 1;
                h = std::max(h, p.h);
            }
            width = std::max(width, w);
            height += h + 1;
        }
        picture = QImage(width, height, QImage::Format_RGB32);
        picture.fill(qRgb(255, 0, 255));
        markers = QImage(width, height, QImage::Format_Indexed8);
        QVector<QRgb> palette(256, qRgb(0, 0, 0));
        palette[kui::kMarkerGridIndex] = qRgb(255, 0, 255);
        palette[kui::kMarkerShapeIndex] = qRgb(128, 0, 128);
        markers.setColorTable(palette);
        markers.fill(kui::kMarkerGridIndex);
        int y = 1;
        for (const auto& row : rows) {
            int x = 1, h = 0;
            for (const P& p : row) {
                for (int yy = 0; yy < p.h; ++yy)
                    for (int xx = 0; xx < p.w; ++xx) {
                        const int state = p.w == 4 * buttonW ? xx / buttonW : 0;
                        picture.setPixel(x + xx, y + yy, colorOf(p.loc, state));
                        markers.setPixel(x + xx, y + yy, kui::kMarkerShapeIndex);
                    }
                x += p.w + 1;
                h = std::max(h, p.h);
            }
            y += h + 1;
        }
    }

    bool save(const QString& dir) {
        build();
        return picture.save(dir + "/custom.png") && markers.save(dir + "/custom_mask.png");
    }
};
