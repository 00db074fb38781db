#include <QApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

#include "ui/core/cscroll.h"

using namespace kui;

namespace {

bool wheel(QWidget* to, int delta) {
    QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    return QApplication::sendEvent(to, &e);
}

}  // namespace

class TestScroll : public QObject {
    Q_OBJECT

  private slots:
    void thumbTrackTo37RaisesChangeOnce() {
        QScrollBar bar(Qt::Vertical);
        bar.resize(16, 200);
        cScroll sc;
        QVERIFY(sc.Init(&bar));
        QVERIFY(!sc.Init(&bar));
        sc.setMax(100);
        QSignalSpy change(&sc, &cScroll::Change);
        bar.setSliderDown(true);
        bar.setSliderPosition(37);  // the user dragging the thumb
        QCOMPARE(sc.Value(), 37);
        QCOMPARE(change.count(), 1);
        QCOMPARE(bar.value(), 37);
        bar.setSliderDown(false);
        QCOMPARE(change.count(), 1);
    }

    void requestTable_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        // Min 10, Max 50, SmallChange 3, LargeChange 15.
        QTest::newRow("line up") << 0 << 20 << 17;
        QTest::newRow("line up stops at Min") << 0 << 11 << 10;
        QTest::newRow("line down") << 1 << 20 << 23;
        QTest::newRow("line down stops at Max") << 1 << 49 << 50;
        QTest::newRow("page up") << 2 << 30 << 15;
        QTest::newRow("page up stops at Min") << 2 << 20 << 10;
        QTest::newRow("page down") << 3 << 30 << 45;
        QTest::newRow("page down stops at Max") << 3 << 40 << 50;
        QTest::newRow("thumb track") << 5 << 30 << 42;
        QTest::newRow("top") << 6 << 30 << 10;
        QTest::newRow("bottom") << 7 << 30 << 50;
        QTest::newRow("thumb position: unchanged") << 4 << 30 << 30;
        QTest::newRow("end scroll: unchanged") << 8 << 30 << 30;
    }
    void requestTable() {
        QFETCH(int, code);
        QFETCH(int, start);
        QFETCH(int, expected);
        QScrollBar bar(Qt::Vertical);
        cScroll sc;
        sc.Init(&bar);
        sc.setMin(10);
        sc.setMax(50);
        sc.setSmallChange(3);
        sc.setLargeChange(15);
        sc.setValue(start);
        QSignalSpy change(&sc, &cScroll::Change);
        sc.Request(code, 42);
        QCOMPARE(sc.Value(), expected);
        QCOMPARE(change.count(), expected == start ? 0 : 1);
        QCOMPARE(bar.value(), expected);
        QCOMPARE(bar.pageStep(), 15);
    }

    void barActionsFollowTheTable() {
        QScrollBar bar(Qt::Vertical);
        cScroll sc;
        sc.Init(&bar);
        sc.setMax(100);
        sc.setSmallChange(4);
        sc.setLargeChange(10);
        sc.setValue(50);
        bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(sc.Value(), 60);
        bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(sc.Value(), 56);
        QCOMPARE(bar.value(), 56);
    }

    void wheelAtTheEndsChangesNothing() {
        QScrollBar bar(Qt::Vertical);
        cScroll sc;
        sc.Init(&bar);
        sc.setMax(5);
        sc.setValue(5);
        QSignalSpy change(&sc, &cScroll::Change);
        wheel(&bar, -120);  // towards the user, already at Max
        QCOMPARE(sc.Value(), 5);
        QCOMPARE(change.count(), 0);
        wheel(&bar, 120);  // away: one step up, not three as the bar itself would
        QCOMPARE(sc.Value(), 4);
        QCOMPARE(bar.value(), 4);
        QCOMPARE(change.count(), 1);
        sc.setValue(0);
        wheel(&bar, 120);  // away, at Min
        QCOMPARE(sc.Value(), 0);
        QCOMPARE(change.count(), 1);
        wheel(&bar, -120);
        QCOMPARE(sc.Value(), 1);
        QCOMPARE(change.count(), 2);
    }

    void plainWindowGetsDockedBar() {
        QWidget w;
        w.resize(200, 100);
        w.show();
        cScroll sc;
        QVERIFY(sc.Init(&w));
        QVERIFY(sc.bar() != nullptr);
        QCOMPARE(sc.bar()->parentWidget(), &w);
        QCOMPARE(sc.bar()->geometry().right(), 199);
        w.resize(300, 120);
        QCOMPARE(sc.bar()->geometry().right(), 299);
        QCOMPARE(sc.bar()->height(), 120);
        sc.setMax(3);
        QSignalSpy change(&sc, &cScroll::Change);
        wheel(&w, -120);
        QCOMPARE(sc.Value(), 1);
        QCOMPARE(change.count(), 1);
    }

    void scrollAreaUsesItsOwnBar() {
        QListWidget list;
        cScroll sc;
        QVERIFY(sc.Init(&list));
        QCOMPARE(sc.bar(), list.verticalScrollBar());
        sc.setMax(10);
        wheel(list.viewport(), -120);
        QCOMPARE(sc.Value(), 1);
    }

    void visibleAndEmptyRange() {
        QScrollBar bar(Qt::Vertical);
        cScroll sc;
        QVERIFY(!sc.Init(nullptr));
        sc.setVisible(false);  // no bar yet: the flag stays
        QVERIFY(sc.Visible());
        sc.Init(&bar);
        QVERIFY(!bar.isEnabled());  // nothing to scroll
        sc.setMax(3);
        QVERIFY(bar.isEnabled());
        sc.setVisible(false);
        QVERIFY(!sc.Visible());
        QVERIFY(bar.isHidden());
        sc.setValue(99);
        QCOMPARE(sc.Value(), 3);
    }
};

QTEST_MAIN(TestScroll)
#include "test_scroll.moc"
