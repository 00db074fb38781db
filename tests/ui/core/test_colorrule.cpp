#include <QApplication>
#include <QPalette>
#include <QtTest>

#include "ui/core/colorrule.h"

using namespace kui;

class TestColorRule : public QObject {
    Q_OBJECT

  private slots:
    void systemColoursComeFromThePalette_data() {
        QTest::addColumn<uint>("sys");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("role");
        QTest::newRow("window background")
            << uint(SysWindow) << int(QPalette::Active) << int(QPalette::Base);
        QTest::newRow("window text")
            << uint(SysWindowText) << int(QPalette::Active) << int(QPalette::Text);
        QTest::newRow("button face")
            << uint(SysButtonFace) << int(QPalette::Active) << int(QPalette::Button);
        QTest::newRow("highlight")
            << uint(SysHighlight) << int(QPalette::Active) << int(QPalette::Highlight);
        QTest::newRow("grey text")
            << uint(SysGrayText) << int(QPalette::Disabled) << int(QPalette::Text);
        QTest::newRow("caption text")
            << uint(SysCaptionText) << int(QPalette::Active) << int(QPalette::HighlightedText);
    }
    void systemColoursComeFromThePalette() {
        QFETCH(uint, sys);
        QFETCH(int, group);
        QFETCH(int, role);
        // A palette whose every role has its own colour, so a wrong row cannot pass.
        QPalette pal;
        for (int g = 0; g < QPalette::NColorGroups; ++g)
            for (int r = 0; r < QPalette::NColorRoles; ++r)
                pal.setColor(QPalette::ColorGroup(g), QPalette::ColorRole(r),
                             QColor(10 + r * 9, 20 + g * 50, 200 - r * 5));
        const QColor expected = pal.color(QPalette::ColorGroup(group), QPalette::ColorRole(role));
        QCOMPARE(toQColor(sys, pal), expected);
        QCOMPARE(resolveColor(sys, pal), fromQColor(expected));
    }

    void plainColoursAreBgr() {
        const OleColor c = 0x00123456;  // blue 0x12, green 0x34, red 0x56
        QCOMPARE(toQColor(c), QColor(0x56, 0x34, 0x12));
        QCOMPARE(fromQColor(QColor(0x56, 0x34, 0x12)), c);
        QCOMPARE(rgb(0x56, 0x34, 0x12), c);
        // The unused top byte of a plain colour is ignored.
        QCOMPARE(resolveColor(0x7F123456u), c);
    }

    void unknownSystemIndexIsBlackAndNoColourStays() {
        QCOMPARE(resolveColor(0x80000063u), OleColor(0));
        QVERIFY(systemColorEntry(0x80000063u) == nullptr);
        QCOMPARE(translateColor(kNoColor), kNoColor);
        QCOMPARE(translateColor(0x00FF0000u), OleColor(0x00FF0000u));
    }

    void adjustScalesEachChannelAndCaps_data() {
        QTest::addColumn<uint>("colour");
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("g");
        QTest::addColumn<double>("b");
        QTest::addColumn<uint>("expected");
        QTest::newRow("identity") << uint(rgb(10, 20, 30)) << 0.0 << 0.0 << 0.0
                                  << uint(rgb(10, 20, 30));
        QTest::newRow("per channel")
            << uint(rgb(100, 100, 100)) << 50.0 << -50.0 << 10.0 << uint(rgb(150, 50, 110));
        QTest::newRow("capped at 255")
            << uint(rgb(200, 128, 0)) << 100.0 << 100.0 << 100.0 << uint(rgb(255, 255, 0));
        QTest::newRow("never below 0")
            << uint(rgb(200, 10, 10)) << -150.0 << 0.0 << 0.0 << uint(rgb(0, 10, 10));
        QTest::newRow("rounds") << uint(rgb(3, 3, 3)) << 50.0 << 50.0 << 50.0 << uint(rgb(5, 5, 5));
    }
    void adjustScalesEachChannelAndCaps() {
        QFETCH(uint, colour);
        QFETCH(double, r);
        QFETCH(double, g);
        QFETCH(double, b);
        QFETCH(uint, expected);
        QCOMPARE(adjustRGB(colour, r, g, b), OleColor(expected));
    }

    void adjustResolvesSystemColoursFirst() {
        QPalette pal;
        pal.setColor(QPalette::Active, QPalette::Base, QColor(100, 50, 200));
        QCOMPARE(adjustRGB(SysWindow, 10, 20, 30, pal), rgb(110, 60, 255));
        QVERIFY(!isSystemColor(adjustRGB(SysWindow, 0, 0, 0)));
    }
};

QTEST_MAIN(TestColorRule)
#include "test_colorrule.moc"
