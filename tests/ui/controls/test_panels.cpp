#include <QSignalSpy>
#include <QtTest>

#include "rendercheck.h"
#include "ui/controls/back.h"
#include "ui/controls/frame.h"
#include "ui/controls/paint.h"
#include "ui/controls/progress.h"
#include "ui/core/propertybag.h"

using namespace kui;
using kui::test::at;
using kui::test::render;

class TestPanels : public QObject {
    Q_OBJECT

  private:
    QWidget* m_window = nullptr;

  private slots:
    void init() {
        m_window = new QWidget;
        m_window->resize(400, 300);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() {
        delete m_window;
        m_window = nullptr;
    }

    // ---- Progress --------------------------------------------------------------------

    void valueIsClamped_data() {
        QTest::addColumn<long>("min");
        QTest::addColumn<long>("max");
        QTest::addColumn<long>("assign");
        QTest::addColumn<long>("expected");
        QTest::newRow("inside") << 0L << 100L << 40L << 40L;
        QTest::newRow("above max") << 0L << 100L << 250L << 100L;
        QTest::newRow("below min") << 10L << 100L << -3L << 10L;
        QTest::newRow("at max") << 0L << 100L << 100L << 100L;
        QTest::newRow("reversed range") << 100L << 0L << 500L << 100L;
    }
    void valueIsClamped() {
        QFETCH(long, min);
        QFETCH(long, max);
        QFETCH(long, assign);
        Progress bar(m_window);
        bar.setMin(min);
        bar.setMax(max);
        QSignalSpy change(&bar, &Progress::Change);
        bar.setValue(assign);
        QTEST(bar.Value(), "expected");
        QCOMPARE(change.count(), 1);
        bar.setValue(bar.Value());
        QCOMPARE(change.count(), 2);
    }

    void fillIsWholeSegments_data() {
        QTest::addColumn<int>("space");
        QTest::addColumn<long>("value");
        QTest::addColumn<int>("length");
        // 100 wide: 92 inside, unit 8 -> round(11.5) = 12 units.
        QTest::newRow("empty") << 2 << 0L << 0;
        QTest::newRow("half") << 2 << 50L << 48;
        QTest::newRow("just under a unit") << 2 << 8L << 0;
        QTest::newRow("full") << 2 << 100L << 96;
        // unit 6 -> round(15.33) = 15 units.
        QTest::newRow("solid, half") << 0 << 50L << 42;
    }
    void fillIsWholeSegments() {
        QFETCH(int, space);
        QFETCH(long, value);
        Progress bar(m_window);
        bar.resize(100, 20);
        bar.setSegmentSpace(space);
        bar.setValue(value);
        QCOMPARE(bar.InnerRect(), QRect(4, 2, 92, 16));
        QTEST(bar.FillLength(), "length");
    }

    void segmentsGapsAndOutline() {
        Progress bar(m_window);
        bar.setGeometry(10, 10, 100, 20);
        bar.show();
        bar.ChangeColor(rgb(255, 255, 255), rgb(104, 104, 104), rgb(40, 210, 43));
        bar.setValue(50);
        const QImage image = render(bar);
        const OleColor fill = rgb(40, 210, 43), back = rgb(255, 255, 255);
        const int mid = 10;  // inside the solid middle band of the gloss
        for (int s = 0; s < 6; ++s) {
            const int x = 4 + s * 8;
            QCOMPARE(at(image, x, mid), fill);
            QCOMPARE(at(image, x + 5, mid), fill);
            QCOMPARE(at(image, x + 6, mid), back);
            QCOMPARE(at(image, x + 7, mid), back);
        }
        QCOMPARE(at(image, 4 + 48, mid), back);
        // Gloss: the first line of the bar is the fill lightened by 200, as is the last.
        const QColor light = lighten(toQColor(fill), 200);
        QCOMPARE(image.pixelColor(5, 2), light);
        QCOMPARE(image.pixelColor(5, 17), light);
        // Outline and its two inner shades.
        QCOMPARE(at(image, 50, 0), rgb(104, 104, 104));
        QCOMPARE(at(image, 50, 19), rgb(104, 104, 104));
        QCOMPARE(image.pixelColor(50, 1), lighten(QColor(104, 104, 104), 150));
        QCOMPARE(image.pixelColor(50, 18), lighten(QColor(104, 104, 104), 210));
        QVERIFY(!bar.mask().contains(QPoint(0, 0)));
        QVERIFY(!bar.mask().contains(QPoint(1, 0)));
        QVERIFY(!bar.mask().contains(QPoint(0, 1)));
        QVERIFY(bar.mask().contains(QPoint(1, 1)));
    }

    void busyModeWrapsAndRaisesWaitEnd() {
        Progress bar(m_window);
        bar.resize(100, 20);
        bar.setScrolling(1);
        QSignalSpy waitEnd(&bar, &Progress::WaitEnd);
        // 20 % of 92 pixels in units of 8: round(2.3) = 2 segments; 12 units cross the bar.
        QCOMPARE(bar.WaitBlockSegments(), 2);
        QCOMPARE(bar.WaitTickCount(), 12 + 2);
        for (int i = 0; i < bar.WaitTickCount(); ++i) bar.Tick();
        QCOMPARE(waitEnd.count(), 0);
        QCOMPARE(bar.WaitTick(), bar.WaitTickCount());
        bar.Tick();
        QCOMPARE(waitEnd.count(), 1);
        QCOMPARE(bar.WaitTick(), 0);
        bar.Tick();
        bar.setScrolling(0);
        QCOMPARE(bar.WaitTick(), 0);
        QVERIFY(!bar.PauseWait(true, 30));
        bar.setScrolling(1);
        QVERIFY(bar.PauseWait(true, 30));
        QVERIFY(!bar.PauseWait(false, 30));
    }

    void progressAdjustTintsTheRememberedFill() {
        Progress bar(m_window);
        bar.ChangeColor(0xFFFFFF, 0, rgb(100, 100, 100));
        bar.AdjustRGB(10, 0, 0);
        bar.AdjustRGB(10, 0, 0);
        QCOMPARE(bar.FillColor(), rgb(110, 100, 100));
    }

    // ---- Back ------------------------------------------------------------------------

    void middleStepIsClamped_data() {
        QTest::addColumn<int>("assign");
        QTest::addColumn<int>("expected");
        QTest::newRow("150") << 150 << 100;
        QTest::newRow("-5") << -5 << 0;
        QTest::newRow("40") << 40 << 40;
        QTest::newRow("0") << 0 << 0;
    }
    void middleStepIsClamped() {
        QFETCH(int, assign);
        Back back(m_window);
        back.setMiddleStep(assign);
        QTEST(back.MiddleStep(), "expected");
        PropertyBag bag;
        bag.writeProperty("MiddleStep", assign, 75);
        back.ReadProperties(bag);
        QTEST(back.MiddleStep(), "expected");
    }

    void backModes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<uint>("first");
        QTest::addColumn<uint>("atSplit");
        QTest::addColumn<uint>("last");
        const uint s = rgb(255, 0, 0), m = rgb(0, 255, 0), e = rgb(0, 0, 255);
        QTest::newRow("solid") << 1 << true << e << e << e;
        QTest::newRow("two colours") << 2 << true << s << 0u << e;
        QTest::newRow("two colours, across") << 2 << false << s << 0u << e;
        QTest::newRow("three colours") << 3 << true << s << m << e;
        QTest::newRow("three colours, across") << 3 << false << s << m << e;
    }
    void backModes() {
        QFETCH(int, mode);
        QFETCH(bool, vertical);
        QFETCH(uint, atSplit);
        Back back(m_window);
        back.setGeometry(0, 0, 200, 100);
        back.ChangeColor(rgb(9, 9, 9), false, rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255), mode);
        back.setShowOrder(vertical);
        back.setMiddleStep(75);
        const QImage image = render(back);
        const int span = vertical ? 100 : 200;
        const auto px = [&](int along) {
            return vertical ? at(image, 100, along) : at(image, along, 50);
        };
        QTEST(uint(px(0)), "first");
        QTEST(uint(px(span - 1)), "last");
        if (atSplit) QCOMPARE(uint(px(span * 75 / 100 - 1)), atSplit);
        // Lines across the gradient are one colour.
        if (vertical)
            QCOMPARE(at(image, 0, 30), at(image, 199, 30));
        else
            QCOMPARE(at(image, 30, 0), at(image, 30, 99));
    }

    void backBorder() {
        Back back(m_window);
        back.setGeometry(0, 0, 50, 40);
        QCOMPARE(at(render(back), 0, 20), OleColor(13921114));
        QCOMPARE(at(render(back), 49, 39), OleColor(13921114));
        back.setShowBorder(false);
        QVERIFY(at(render(back), 0, 20) != OleColor(13921114));
    }

    void lockRefreshIgnoresColourChanges() {
        Back back(m_window);
        back.setGeometry(0, 0, 50, 40);
        const QImage before = render(back);
        back.setLockRefresh(true);
        back.ChangeColor(rgb(1, 1, 1), false, rgb(2, 2, 2), rgb(3, 3, 3), rgb(4, 4, 4), 1);
        back.AdjustRGB(50, 50, 50);
        QCOMPARE(back.clrStart(), OleColor(0xFFFFFF));
        QCOMPARE(back.clrEnd(), OleColor(16758165));
        QCOMPARE(back.ShowColor(), 2);
        QVERIFY(back.ShowBorder());
        QCOMPARE(render(back), before);
        back.setLockRefresh(false);
        back.ChangeColor(rgb(1, 1, 1), false, rgb(2, 2, 2), rgb(3, 3, 3), rgb(4, 4, 4), 1);
        QCOMPARE(back.clrEnd(), rgb(4, 4, 4));
        PropertyBag bag;
        back.setLockRefresh(true);
        back.WriteProperties(bag);
        QVERIFY(bag.isStored("Lock"));
    }

    // ---- Frame -----------------------------------------------------------------------

    void frameCaptionAndText() {
        Frame frame(m_window);
        frame.setGeometry(0, 0, 220, 120);
        frame.setBackColor(rgb(240, 240, 240));
        frame.setBorderColor(rgb(200, 0, 0));
        frame.setCaption("选项");
        frame.setText("底部");
        frame.show();
        const int letter = frame.fontMetrics().height();
        const QRect r = frame.FrameRect();
        QCOMPARE(r.top(), int(std::lround(letter / 2.0 - 1)));
        QCOMPARE(r.bottom() + 1, int(std::lround(120 - letter / 2.0 + 1)));
        const QImage image = render(frame);
        const int captionWidth = frame.fontMetrics().horizontalAdvance("选项");
        QCOMPARE(at(image, 5, r.top()), rgb(200, 0, 0));
        QCOMPARE(at(image, 11, r.top()), rgb(240, 240, 240));  // blanked for the caption
        QCOMPARE(at(image, captionWidth + 20, r.top()), rgb(200, 0, 0));
        QCOMPARE(at(image, 0, 60), rgb(200, 0, 0));
        QCOMPARE(at(image, 5, r.bottom()), rgb(200, 0, 0));
        QCOMPARE(at(image, 11, r.bottom()), rgb(240, 240, 240));
        // Beside the caption the container shows through; the caption itself is in the region.
        QVERIFY(!frame.mask().contains(QPoint(200, 0)));
        QVERIFY(frame.mask().contains(QPoint(14, 1)));
        QVERIFY(!frame.mask().contains(QPoint(0, r.top())));  // notched corner
        QVERIFY(frame.toolTip().isEmpty());

        // Too narrow for the caption: it is cut short, the line still shows at the right, and
        // the whole caption is in the tooltip.
        frame.setCaption("内核选项 - 若MCU不支持下面(部分或全部)参数则自动忽略");
        frame.resize(120, 120);
        QCOMPARE(frame.Caption(),
                 QStringLiteral("内核选项 - 若MCU不支持下面(部分或全部)参数则自动忽略"));
        QCOMPARE(frame.toolTip(), frame.Caption());
        QCOMPARE(at(render(frame), 110, r.top()), rgb(200, 0, 0));
    }

    void frameAdjustDoesNotCompound() {
        Frame frame(m_window);
        frame.setBackColor(rgb(100, 100, 100));
        frame.AdjustRGB(20, 0, 0);
        frame.AdjustRGB(20, 0, 0);
        QCOMPARE(frame.BackColor(), rgb(120, 100, 100));
        QCOMPARE(frame.BorderColor(), adjustRGB(13921114, 20, 0, 0));
        frame.setBackColor(rgb(10, 10, 10));  // a new colour is the new starting point
        frame.AdjustRGB(100, 0, 0);
        QCOMPARE(frame.BackColor(), rgb(20, 10, 10));
    }

    void frameWithoutTextsUsesTheWholeArea() {
        Frame frame(m_window);
        frame.setGeometry(0, 0, 100, 60);
        frame.setCaption(QString());
        QCOMPARE(frame.FrameRect(), QRect(0, 0, 100, 60));
    }
};

QTEST_MAIN(TestPanels)
#include "test_panels.moc"
