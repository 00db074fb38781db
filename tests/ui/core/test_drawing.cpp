#include <QApplication>
#include <QPainter>
#include <QtTest>

#include "ui/core/clsdc.h"
#include "ui/core/cmask.h"
#include "ui/core/cmemdc.h"

using namespace kui;

namespace {

// A 13 x 9 marker picture: grid everywhere except three pieces.
//   piece A: x 1..4,  y 1..3   (found first)
//   piece B: x 6..11, y 1..2   (same top row, further right: second)
//   piece C: x 1..11, y 5..7   (third)
// Piece A marks its right half with the shape index.
QImage markerPicture(bool indexed) {
    QImage img(13, 9, QImage::Format_Indexed8);
    QVector<QRgb> palette(256, qRgb(0, 0, 0));
    palette[kMarkerGridIndex] = qRgb(255, 0, 255);
    palette[kMarkerShapeIndex] = qRgb(128, 0, 128);
    palette[1] = qRgb(10, 10, 10);
    img.setColorTable(palette);
    img.fill(kMarkerGridIndex);
    auto piece = [&](int x1, int y1, int x2, int y2) {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) img.setPixel(x, y, 1);
    };
    piece(1, 1, 4, 3);
    piece(6, 1, 11, 2);
    piece(1, 5, 11, 7);
    for (int y = 1; y <= 3; ++y)
        for (int x = 3; x <= 4; ++x) img.setPixel(x, y, kMarkerShapeIndex);
    return indexed ? img : img.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class TestDrawing : public QObject {
    Q_OBJECT

  private slots:
    void maskScansLocations_data() {
        QTest::addColumn<bool>("indexed");
        QTest::newRow("indexed marker") << true;
        QTest::newRow("rgb marker") << false;
    }
    void maskScansLocations() {
        QFETCH(bool, indexed);
        cMask mask;
        mask.setMask(true);
        mask.setMaskPicture(markerPicture(indexed));
        QCOMPARE(mask.RectCount(), 3);
        int x1, y1, x2, y2;
        QVERIFY(mask.GetRect(1, x1, y1, x2, y2));
        QCOMPARE((QList<int>{x1, y1, x2, y2}), (QList<int>{2, 2, 5, 4}));
        QVERIFY(mask.GetRect(2, x1, y1, x2, y2));
        QCOMPARE((QList<int>{x1, y1, x2, y2}), (QList<int>{7, 2, 12, 3}));
        QVERIFY(mask.GetbRect(3, x1, y1, x2, y2));
        QCOMPARE((QList<int>{x1, y1, x2, y2}), (QList<int>{1, 5, 12, 8}));
        QVERIFY(!mask.GetRect(4, x1, y1, x2, y2));
        QVERIFY(!mask.GetRect(0, x1, y1, x2, y2));
        // Region of piece A: its right half, moved to the origin.
        QCOMPARE(mask.GetRgn(1), QRegion(2, 0, 2, 3));
        QVERIFY(mask.GetRgn(2).isEmpty());
        mask.setMask(false);
        QVERIFY(mask.GetRgn(1).isEmpty());
    }

    void pieceAtImageEdgeEndsThere() {
        QImage img(4, 3, QImage::Format_Indexed8);
        img.setColorTable(QVector<QRgb>(256, qRgb(0, 0, 0)));
        img.fill(0);
        for (int y = 0; y < 3; ++y) img.setPixel(2, y, kMarkerGridIndex);
        cMask mask;
        mask.setMaskPicture(img);
        QCOMPARE(mask.RectCount(), 2);
        QCOMPARE(mask.rect(1), QRect(0, 0, 2, 3));
        QCOMPARE(mask.rect(2), QRect(3, 0, 1, 3));
    }

    void drawImageCopiesOrStretches() {
        QImage pic(13, 9, QImage::Format_RGB32);
        pic.fill(Qt::black);
        for (int y = 1; y <= 3; ++y)
            for (int x = 1; x <= 4; ++x) pic.setPixel(x, y, qRgb(x * 40, y * 60, 7));
        cMask mask;
        mask.setMaskPicture(markerPicture(true));
        mask.setPicture(pic);
        QImage out(20, 20, QImage::Format_RGB32);
        out.fill(Qt::white);
        {
            QPainter p(&out);
            mask.DrawImage(&p, 1, 5, 6, 0, 0);    // 1:1
            mask.DrawImage(&p, 1, 0, 12, 8, 18);  // 8 x 6: doubled
        }
        QCOMPARE(out.pixel(5, 6), qRgb(40, 60, 7));
        QCOMPARE(out.pixel(8, 8), qRgb(160, 180, 7));
        QCOMPARE(out.pixel(9, 9), qRgb(0xFF, 0xFF, 0xFF));
        QCOMPARE(out.pixel(0, 12), qRgb(40, 60, 7));
        QCOMPARE(out.pixel(7, 17), qRgb(160, 180, 7));
    }

    void drawControlPicksTheStateQuarter() {
        // One piece of 8 x 2 holding four 2-pixel state images.
        QImage markers(8, 2, QImage::Format_Indexed8);
        markers.setColorTable(QVector<QRgb>(256, qRgb(0, 0, 0)));
        markers.fill(0);
        QImage pic(8, 2, QImage::Format_RGB32);
        const QRgb states[4] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200),
                                qRgb(90, 90, 90)};
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 2; ++y) pic.setPixel(x, y, states[x / 2]);
        cMask mask;
        mask.setMaskPicture(markers);
        mask.setPicture(pic);
        for (int state = 0; state < 4; ++state) {
            QImage out(4, 4, QImage::Format_RGB32);
            out.fill(Qt::white);
            QPainter p(&out);
            mask.DrawControl(&p, 1, state);
            p.end();
            QCOMPARE(out.pixel(0, 0), states[state]);
            QCOMPARE(out.pixel(1, 1), states[state]);
            QCOMPARE(out.pixel(2, 0), qRgb(255, 255, 255));  // a quarter wide only
        }
    }

    void maskTintLeavesTheKeyTransparent() {
        QImage markers(3, 1, QImage::Format_Indexed8);
        markers.setColorTable(QVector<QRgb>(256, qRgb(0, 0, 0)));
        markers.fill(0);
        QImage pic(3, 1, QImage::Format_RGB32);
        pic.setPixel(0, 0, qRgb(100, 100, 100));
        pic.setPixel(1, 0, qRgb(255, 0, 255));
        pic.setPixel(2, 0, qRgb(100, 100, 100));
        cMask mask;
        mask.setMaskPicture(markers);
        mask.setPicture(pic);
        mask.setColorR(50);
        mask.setColorB(-20);
        mask.AdjustRGB();
        QImage out(3, 1, QImage::Format_RGB32);
        out.fill(qRgb(1, 2, 3));
        QPainter p(&out);
        mask.DrawImage(&p, 1, 0, 0, 0, 0);
        p.end();
        QCOMPARE(out.pixel(0, 0), qRgb(150, 100, 80));
        QCOMPARE(out.pixel(1, 0), qRgb(1, 2, 3));
        QCOMPARE(mask.tinted().pixel(1, 0), qRgb(255, 0, 255));
    }

    void clsDCTintsAllButMagenta() {
        QImage src(5, 2, QImage::Format_RGB32);
        src.fill(qRgb(100, 200, 40));
        src.setPixel(2, 1, qRgb(255, 0, 255));
        src.setPixel(3, 1, qRgb(254, 0, 255));  // near the key is not the key
        clsDC dc;
        QVERIFY(dc.CreatePicDC(src));
        QCOMPARE(dc.ScanLine(), 16);  // 15 bytes rounded up to a multiple of 4
        dc.AdjustRGB(0.5f, 0.5f, -0.25f, rgb(100, 200, 40));  // the mask argument is ignored
        QCOMPARE(dc.hDC().pixel(0, 0), qRgb(150, 255, 30));
        QCOMPARE(dc.hDC().pixel(2, 1), qRgb(255, 0, 255));
        QCOMPARE(dc.hDC().pixel(3, 1), qRgb(255, 0, 191));
        dc.AdjustRGB(0, 0, 0);
        QCOMPARE(dc.hDC().pixel(0, 0), qRgb(150, 255, 30));
        QVERIFY(!dc.CreatehDC(0, 4));
        QVERIFY(dc.CreatehDC(3, 3));
        QCOMPARE(dc.hDC().pixel(1, 1), qRgb(0, 0, 0));
    }

    void clsDCKeepsHolesOfAlphaPictures() {
        QImage src(2, 1, QImage::Format_ARGB32);
        src.setPixel(0, 0, qRgba(0, 0, 0, 0));
        src.setPixel(1, 0, qRgba(10, 20, 30, 255));
        clsDC dc;
        dc.CreatePicDC(src);
        QCOMPARE(dc.hDC().pixel(0, 0), qRgb(255, 0, 255));
        QCOMPARE(dc.hDC().pixel(1, 0), qRgb(10, 20, 30));
    }

    void gradientEndsAreExact() {
        cMemDC dc;
        QVERIFY(dc.Init(40, 20));
        dc.FillGradient(0, 0, 40, 20, rgb(255, 255, 255), rgb(0, 0, 200), false, true,
                        rgb(90, 107, 212));
        QCOMPARE(dc.GetPixel(0, 5), rgb(90, 107, 212));  // border
        QCOMPARE(dc.GetPixel(1, 5), rgb(248, 248, 254));
        QCOMPARE(dc.GetPixel(39, 10), rgb(90, 107, 212));
        QCOMPARE(dc.GetPixel(38, 10), rgb(7, 7, 201));
        dc.FillGradient(0, 0, 40, 20, SysWindow, rgb(0, 0, 0), true);
        QCOMPARE(dc.GetPixel(20, 0), resolveColor(SysWindow));
        QCOMPARE(dc.GetPixel(20, 19), rgb(0, 0, 0));
        // A gradient with kNoColor border draws no frame.
        dc.FillGradient(0, 0, 40, 20, rgb(9, 9, 9), rgb(9, 9, 9), true, true, kNoColor);
        QCOMPARE(dc.GetPixel(0, 0), rgb(9, 9, 9));
    }

    void transBltLeavesTheMaskColourOut() {
        cMemDC dc;
        QImage target(10, 10, QImage::Format_RGB32);
        target.fill(qRgb(1, 1, 1));
        QVERIFY(dc.Init(4, 4, &target));
        dc.FillRect(0, 0, 4, 4, rgb(255, 0, 255));
        dc.SetPixel(1, 1, rgb(20, 30, 40));
        dc.TransBlt(nullptr, 3, 3, 0, 0, 0, 0, rgb(255, 0, 255));  // to the parent picture
        QCOMPARE(target.pixel(3, 3), qRgb(1, 1, 1));
        QCOMPARE(target.pixel(4, 4), qRgb(20, 30, 40));
        dc.BitBlt(nullptr, 0, 0, 0, 0);  // no target: nothing happens
    }

    void primitivesAndUncreatedSurface() {
        cMemDC dc;
        dc.FillRect(0, 0, 5, 5, rgb(1, 2, 3));  // never created: no effect, no crash
        QCOMPARE(dc.GetPixel(0, 0), kNoColor);
        QVERIFY(!dc.Init(0, 5));
        QVERIFY(dc.Init(10, 10));
        dc.setBackColor(rgb(200, 200, 200));
        dc.Cls();
        QCOMPARE(dc.GetPixel(9, 9), rgb(200, 200, 200));
        dc.FrameRect(2, 2, 8, 8, rgb(255, 0, 0));
        QCOMPARE(dc.GetPixel(2, 5), rgb(255, 0, 0));
        QCOMPARE(dc.GetPixel(7, 7), rgb(255, 0, 0));
        QCOMPARE(dc.GetPixel(8, 8), rgb(200, 200, 200));
        QCOMPARE(dc.GetPixel(4, 4), rgb(200, 200, 200));
        dc.DrawLine(0, 0, 5, 0, rgb(0, 0, 255));
        QCOMPARE(dc.GetPixel(4, 0), rgb(0, 0, 255));
        QCOMPARE(dc.GetPixel(5, 0), rgb(200, 200, 200));  // the end point is left out
        QCOMPARE(dc.TranslateColor(kNoColor), kNoColor);
        QCOMPARE(dc.TranslateColor(SysWindow), resolveColor(SysWindow));
        dc.Destroy();
        QVERIFY(!dc.IsCreated());
    }
};

QTEST_MAIN(TestDrawing)
#include "test_drawing.moc"
