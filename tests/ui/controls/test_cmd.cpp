#include <QAccessible>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include "rendercheck.h"
#include "ui/controls/cmd.h"
#include "ui/controls/paint.h"
#include "ui/core/propertybag.h"

using namespace kui;
using kui::test::at;
using kui::test::render;

class TestCmd : public QObject {
    Q_OBJECT

  private:
    QWidget* m_window = nullptr;
    Cmd* m_cmd = nullptr;

  private slots:
    void init() {
        m_window = new QWidget;
        m_window->resize(400, 300);
        m_cmd = new Cmd(m_window);
        m_cmd->setObjectName("cmdTest");
        m_cmd->InitProperties();
        m_cmd->setGeometry(20, 20, 100, 24);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() {
        delete m_window;
        m_window = nullptr;
    }

    void captionDefaultsToName() { QCOMPARE(m_cmd->Caption(), QString("cmdTest")); }

    // Alt plus the letter after "&" presses the button, once; other letters, a disabled button
    // or a caption without "&" do not.
    void mnemonicPressesTheButton_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("name");
        QTest::newRow("alt-d") << QString::fromUtf8("下载(&D)") << int(Qt::Key_D) << true << 1
                               << QString::fromUtf8("下载");
        QTest::newRow("other letter") << QString::fromUtf8("下载(&D)") << int(Qt::Key_E) << true
                                      << 0 << QString::fromUtf8("下载");
        QTest::newRow("disabled") << QString::fromUtf8("下载(&D)") << int(Qt::Key_D) << false << 0
                                  << QString::fromUtf8("下载");
        QTest::newRow("inline") << QString("&Open") << int(Qt::Key_O) << true << 1
                                << QString("Open");
        QTest::newRow("no mnemonic")
            << QString("Save && Run") << int(Qt::Key_S) << true << 0 << QString("Save & Run");
    }
    void mnemonicPressesTheButton() {
        QFETCH(QString, caption);
        QFETCH(int, key);
        QFETCH(bool, enabled);
        QFETCH(int, clicks);
        QFETCH(QString, name);
        m_cmd->setCaption(caption);
        m_cmd->setEnabled(enabled);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QSignalSpy click(m_cmd, &Cmd::Click);
        QTest::keyClick(m_window, Qt::Key(key), Qt::AltModifier);
        // The mnemonic shows the button pressed at once and clicks when it comes up again.
        QCOMPARE(m_cmd->isDown(), clicks == 1);
        if (clicks == 1) QTRY_COMPARE(click.count(), 1);
        QCOMPARE(click.count(), clicks);
        QCOMPARE(m_cmd->accessibleName(), name);
        QCOMPARE(m_cmd->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    }

    // Screen readers see a push button with the caption as its name, and can press it.
    void accessibleAsAPushButton() {
        m_cmd->setCaption(QString::fromUtf8("下载(&D)"));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(m_cmd);
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::Button);
        QCOMPARE(a->text(QAccessible::Name), QString::fromUtf8("下载"));
        QAccessibleActionInterface* actions = a->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        QSignalSpy click(m_cmd, &Cmd::Click);
        actions->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(click.count(), 1);
        // A tab held down (Keep with UserDown) takes no press, as it takes no mouse click.
        m_cmd->setKeep(true);
        m_cmd->setUserDown(true);
        actions->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(!m_cmd->isDown());  // the base class's click is over
        QTest::keyClick(m_window, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(!m_cmd->isDown());
        QCOMPARE(click.count(), 1);
    }

    void releaseDecidesTheEvent_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("dropClicks");
        QTest::newRow("plain, inside") << 0 << QPoint(50, 12) << 1 << 0;
        QTest::newRow("plain, outside") << 0 << QPoint(150, 12) << 0 << 0;
        QTest::newRow("plain, above") << 0 << QPoint(50, -3) << 0 << 0;
        QTest::newRow("plain, right edge") << 0 << QPoint(99, 12) << 1 << 0;
        QTest::newRow("drop, left of part") << 1 << QPoint(84, 12) << 1 << 0;
        QTest::newRow("drop, first unit of part") << 1 << QPoint(85, 12) << 0 << 1;
        QTest::newRow("drop, last unit") << 1 << QPoint(99, 12) << 0 << 1;
        QTest::newRow("drop, outside right") << 1 << QPoint(101, 12) << 0 << 0;
    }
    void releaseDecidesTheEvent() {
        QFETCH(int, button);
        QFETCH(QPoint, releaseAt);
        m_cmd->setButton(button);
        QSignalSpy click(m_cmd, &Cmd::Click), drop(m_cmd, &Cmd::DropClick);
        QSignalSpy down(m_cmd, &Cmd::MouseDown), up(m_cmd, &Cmd::MouseUp);
        QTest::mousePress(m_cmd, Qt::LeftButton, {}, QPoint(10, 12));
        kui::test::hover(m_cmd, releaseAt, Qt::LeftButton);
        QTest::mouseRelease(m_cmd, Qt::LeftButton, {}, releaseAt);
        QTEST(int(click.count()), "clicks");
        QTEST(int(drop.count()), "dropClicks");
        QCOMPARE(down.count(), 1);
        QCOMPARE(up.count(), 1);
    }

    void releaseWithoutPressGivesNoClick() {
        QSignalSpy click(m_cmd, &Cmd::Click);
        QTest::mouseRelease(m_cmd, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(click.count(), 0);
    }

    void keptDownIgnoresTheMouse_data() {
        QTest::addColumn<bool>("keep");
        QTest::addColumn<bool>("userDown");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("state");
        QTest::newRow("neither") << false << false << 1 << int(Cmd::StateNormal);
        QTest::newRow("UserDown alone does nothing") << false << true << 1 << int(Cmd::StateNormal);
        QTest::newRow("Keep alone") << true << false << 1 << int(Cmd::StateNormal);
        QTest::newRow("Keep and UserDown") << true << true << 0 << int(Cmd::StateDown);
    }
    void keptDownIgnoresTheMouse() {
        QFETCH(bool, keep);
        QFETCH(bool, userDown);
        m_cmd->setKeep(keep);
        m_cmd->setUserDown(userDown);
        QSignalSpy click(m_cmd, &Cmd::Click), down(m_cmd, &Cmd::MouseDown);
        QTest::mouseClick(m_cmd, Qt::LeftButton, {}, QPoint(30, 12));
        QTEST(int(click.count()), "clicks");
        QCOMPARE(down.count(), click.count());
        kui::test::hover(m_cmd, QPoint(300, 200));
        QTEST(int(m_cmd->CurrentState()), "state");
    }

    void statesFollowTheMouse() {
        QCOMPARE(m_cmd->CurrentState(), Cmd::StateNormal);
        kui::test::hover(m_cmd, QPoint(30, 10));
        QCOMPARE(m_cmd->CurrentState(), Cmd::StateHover);
        QTest::mousePress(m_cmd, Qt::LeftButton, {}, QPoint(30, 10));
        QCOMPARE(m_cmd->CurrentState(), Cmd::StateDown);
        kui::test::hover(m_cmd, QPoint(300, 10), Qt::LeftButton);
        QCOMPARE(m_cmd->CurrentState(), Cmd::StateNormal);
        kui::test::hover(m_cmd, QPoint(40, 10), Qt::LeftButton);
        QCOMPARE(m_cmd->CurrentState(), Cmd::StateDown);
        QTest::mouseRelease(m_cmd, Qt::LeftButton, {}, QPoint(40, 10));
        QCOMPARE(m_cmd->CurrentState(), Cmd::StateHover);
        m_cmd->setEnabled(false);
        QCOMPARE(m_cmd->CurrentState(), Cmd::StateDisabled);
    }

    void gradientEndsPerState_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<uint>("top");
        QTest::addColumn<uint>("bottom");
        QTest::newRow("normal") << 0 << uint(rgb(255, 255, 255)) << uint(rgb(149, 181, 255));
        QTest::newRow("hover") << 1 << uint(rgb(255, 255, 255)) << uint(rgb(255, 215, 157));
        QTest::newRow("pressed") << 2 << uint(rgb(254, 145, 78)) << uint(rgb(255, 255, 255));
        const uint light = resolveColor(Sys3DLight);
        QTest::newRow("disabled") << 3 << light << light;
    }
    void gradientEndsPerState() {
        QFETCH(int, state);
        m_cmd->setShowBorder(false);
        m_cmd->setCaption(QString());
        if (state == 1) kui::test::hover(m_cmd, QPoint(30, 10));
        if (state == 2) QTest::mousePress(m_cmd, Qt::LeftButton, {}, QPoint(30, 10));
        if (state == 3) m_cmd->setEnabled(false);
        QCOMPARE(int(m_cmd->CurrentState()), state);
        const QImage image = render(*m_cmd);
        QTEST(uint(at(image, 50, 0)), "top");
        QTEST(uint(at(image, 50, image.height() - 1)), "bottom");
        if (state == 2) QTest::mouseRelease(m_cmd, Qt::LeftButton, {}, QPoint(30, 10));
    }

    // A greyed caption still reads: its darkest ink stands out from the pale face.
    void disabledCaptionIsReadable() {
        m_cmd->setShowBorder(false);
        m_cmd->setCaption(QStringLiteral("下载(&D)"));
        m_cmd->setEnabled(false);
        const QImage image = render(*m_cmd);
        const QColor face = image.pixelColor(1, 1);
        QColor darkest = face;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < qGray(darkest.rgb()))
                    darkest = image.pixelColor(x, y);
        QVERIFY2(contrastRatio(darkest, face) >= 4.5,
                 qPrintable(darkest.name() + " on " + face.name()));
    }

    void readableOnReachesTheRatio_data() {
        QTest::addColumn<QColor>("ink");
        QTest::addColumn<QColor>("face");
        QTest::newRow("pale grey on white") << QColor(190, 190, 190) << QColor(Qt::white);
        QTest::newRow("grey on light grey") << QColor(160, 160, 160) << QColor(227, 227, 227);
        QTest::newRow("dark grey on black") << QColor(60, 60, 60) << QColor(Qt::black);
        QTest::newRow("already black on white") << QColor(Qt::black) << QColor(Qt::white);
    }
    void readableOnReachesTheRatio() {
        QFETCH(QColor, ink);
        QFETCH(QColor, face);
        const QColor shown = readableOn(ink, face, 4.5);
        QVERIFY2(contrastRatio(shown, face) >= 4.5, qPrintable(shown.name()));
        // Only as far as needed: ink that already reads is left as it is.
        if (contrastRatio(ink, face) >= 4.5) QCOMPARE(shown, ink);
    }

    void horizontalGradientWhenShowOrderIsFalse() {
        m_cmd->setShowBorder(false);
        m_cmd->setCaption(QString());
        m_cmd->setShowOrder(false);
        const QImage image = render(*m_cmd);
        QCOMPARE(at(image, 0, 12), rgb(255, 255, 255));
        QCOMPARE(at(image, 99, 12), rgb(149, 181, 255));
        QCOMPARE(at(image, 0, 0), at(image, 0, 23));
    }

    void borderSides_data() {
        QTest::addColumn<bool>("top");
        QTest::addColumn<bool>("left");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("bottom");
        QTest::newRow("all") << true << true << true << true;
        QTest::newRow("none") << false << false << false << false;
        QTest::newRow("top and left") << true << true << false << false;
        QTest::newRow("bottom only") << false << false << false << true;
    }
    void borderSides() {
        QFETCH(bool, top);
        QFETCH(bool, left);
        QFETCH(bool, right);
        QFETCH(bool, bottom);
        const OleColor border = rgb(10, 200, 30);
        m_cmd->setCaption(QString());
        m_cmd->setBorderColor(border);
        m_cmd->setBorderTop(top);
        m_cmd->setBorderLeft(left);
        m_cmd->setBorderRight(right);
        m_cmd->setBorderBottom(bottom);
        const QImage image = render(*m_cmd);
        QCOMPARE(at(image, 50, 0) == border, top);
        QCOMPARE(at(image, 0, 12) == border, left);
        QCOMPARE(at(image, 99, 12) == border, right);
        QCOMPARE(at(image, 50, 23) == border, bottom);
        m_cmd->setShowBorder(false);
        QVERIFY(at(render(*m_cmd), 50, 0) != border);
    }

    void pictureStripShowsTheStateImage() {
        QPixmap strip(40, 10);
        const QColor colours[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        {
            QPainter p(&strip);
            for (int i = 0; i < 4; ++i) p.fillRect(i * 10, 0, 10, 10, colours[i]);
        }
        m_cmd->setPicture(strip);
        m_cmd->setShowBorder(false);
        m_cmd->setCaption(QString());
        QCOMPARE(render(*m_cmd).pixelColor(50, 12), QColor(Qt::red));
        kui::test::hover(m_cmd, QPoint(30, 10));
        QCOMPARE(render(*m_cmd).pixelColor(50, 12), QColor(Qt::green));
        QTest::mousePress(m_cmd, Qt::LeftButton, {}, QPoint(30, 10));
        QCOMPARE(render(*m_cmd).pixelColor(50, 12), QColor(Qt::blue));
        QTest::mouseRelease(m_cmd, Qt::LeftButton, {}, QPoint(30, 10));
        m_cmd->setEnabled(false);
        QCOMPARE(render(*m_cmd).pixelColor(50, 12), QColor(Qt::yellow));
    }

    void popMenuPositions_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QPoint>("corner");  // relative to the button
        QTest::newRow("below") << 1 << QPoint(0, 24 + 4);
        QTest::newRow("right") << 2 << QPoint(100 + 5, -1);
    }
    void popMenuPositions() {
        QFETCH(int, position);
        QFETCH(QPoint, corner);
        QMenu menu(m_window);
        menu.addAction("one");
        QVERIFY(m_cmd->PopMenu(&menu, position));
        QVERIFY(menu.isVisible());
        QCOMPARE(menu.pos(), m_cmd->mapToGlobal(corner));
        QMenu other(m_window);
        other.addAction("two");
        QVERIFY(!m_cmd->PopMenu(&other, position));
        QVERIFY(!other.isVisible());
        menu.hide();
        QVERIFY(!m_cmd->MenuOpen());
        QVERIFY(m_cmd->PopMenu(&other, position));
        other.hide();
    }

    void adjustRGBDoesNotCompound() {
        m_cmd->ChangeColor(rgb(100, 100, 100), true, rgb(100, 100, 100), rgb(200, 100, 50),
                           rgb(1, 2, 3), rgb(4, 5, 6), rgb(7, 8, 9), rgb(10, 11, 12));
        m_cmd->AdjustRGB(50, 0, -50);
        QCOMPARE(m_cmd->clrStart(), rgb(150, 100, 50));
        QCOMPARE(m_cmd->clrEnd(), rgb(255, 100, 25));
        QCOMPARE(m_cmd->BorderColor(), rgb(150, 100, 50));
        m_cmd->AdjustRGB(50, 0, -50);
        QCOMPARE(m_cmd->clrStart(), rgb(150, 100, 50));
        m_cmd->AdjustRGB(0, 0, 0);
        QCOMPARE(m_cmd->clrEnd(), rgb(200, 100, 50));
    }

    void changeStateSetsFontOnlyWhenGiven() {
        QFont before = m_cmd->font();
        m_cmd->ChangeState(false, "新", 3, 4, QPixmap());
        QCOMPARE(m_cmd->Caption(), QString("新"));
        QCOMPARE(m_cmd->TextLeft(), 3);
        QCOMPARE(m_cmd->TextTop(), 4);
        QVERIFY(!m_cmd->isEnabled());
        QCOMPARE(m_cmd->font(), before);
        QFont big = before;
        big.setPointSize(before.pointSize() + 5);
        m_cmd->ChangeState(true, "x", 0, 1, QPixmap(), &big);
        QCOMPARE(m_cmd->font().pointSize(), big.pointSize());
    }

    void propertiesRoundTripAndDefaultsAreNotStored() {
        PropertyBag bag;
        m_cmd->WriteProperties(bag);
        QVERIFY2(bag.isEmpty(), qPrintable(bag.storedNames().join(",")));
        m_cmd->setCaption("下载");
        m_cmd->setButton(1);
        m_cmd->setDropWidth(20);
        m_cmd->setClrEnd(rgb(1, 2, 3));
        m_cmd->setBorderLeft(false);
        m_cmd->setKeep(true);
        m_cmd->WriteProperties(bag);
        QCOMPARE(bag.storedNames().size(), 6);
        Cmd copy(m_window);
        copy.setObjectName("cmdTest");
        copy.ReadProperties(bag);
        QCOMPARE(copy.Caption(), QString("下载"));
        QCOMPARE(copy.Button(), 1);
        QCOMPARE(copy.DropWidth(), 20);
        QCOMPARE(copy.clrEnd(), rgb(1, 2, 3));
        QCOMPARE(copy.BorderLeft(), false);
        QCOMPARE(copy.Keep(), true);
        QCOMPARE(copy.clrDownStart(), rgb(254, 145, 78));
        QCOMPARE(copy.PiccCol(), 4);
    }

    void keyboardSpaceClicks() {
        QSignalSpy click(m_cmd, &Cmd::Click);
        m_cmd->setFocus(Qt::TabFocusReason);
        QTest::keyClick(m_cmd, Qt::Key_Space);
        QCOMPARE(click.count(), 1);
    }
};

QTEST_MAIN(TestCmd)
#include "test_cmd.moc"
