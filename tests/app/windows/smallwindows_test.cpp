// The mini, about and help windows, offscreen.
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>
#include <memory>

#include "mnemonickey.h"
#include "ui/controls/back.h"
#include "ui/controls/cmd.h"
#include "ui/controls/progress.h"
#include "ui/core/cscroll.h"
#include "ui/skin/skin.h"
#include "ui/skin/skinbutton.h"
#include "windows/aboutwindow.h"
#include "windows/helpwindow.h"
#include "windows/messagewindow.h"
#include "windows/miniwindow.h"
#include "windows/shellstate.h"

using namespace korvan;

namespace {

void SendMouse(QWidget* target, QEvent::Type type, const QPoint& local, Qt::MouseButtons held) {
    const QPointF global = target->mapToGlobal(QPointF(local));
    QMouseEvent event(type, QPointF(local), global,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

}  // namespace

class SmallWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { Shell() = ShellState(); }

    // ---- mini window ---------------------------------------------------------------------

    void miniLoadingEndsTheStartUpScreensTime() {
        QVERIFY(!Shell().SplashDone);
        MiniWindow mini;
        QVERIFY(Shell().SplashDone);
        QCOMPARE(Shell().MiniWindow.data(), &mini);
        QVERIFY(mini.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        mini.setMessage("正在下载...");
        mini.setProgress(42);
        QCOMPARE(mini.messageLabel()->text(), QString("正在下载..."));
        QCOMPARE(mini.progressBar()->Value(), 42L);
    }

    void miniButtonsAskTheMainWindow_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("cancels");
        QTest::newRow("OK") << "ok" << true << false;
        QTest::newRow("Alt+O") << "alt-o" << true << false;
        QTest::newRow("Cancel") << "cancel" << false << true;
        QTest::newRow("Alt+C") << "alt-c" << false << true;
        QTest::newRow("caption close") << "caption" << false << true;
    }
    void miniButtonsAskTheMainWindow() {
        QFETCH(QString, how);
        QFETCH(bool, opens);
        QFETCH(bool, cancels);
        MiniWindow mini;
        QSignalSpy open(&mini, &MiniWindow::openMainRequested);
        QSignalSpy cancel(&mini, &MiniWindow::cancelRequested);
        bool hiddenWhenCancelArrives = false;
        connect(&mini, &MiniWindow::cancelRequested, this,
                [&] { hiddenWhenCancelArrives = !mini.isVisible(); });
        mini.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mini));
        mini.activateWindow();
        if (how == "ok") {
            QTest::mouseClick(mini.okButton(), Qt::LeftButton);
        } else if (how == "cancel") {
            QTest::mouseClick(mini.cancelButton(), Qt::LeftButton);
        } else if (how == "alt-o") {
            PressAltKey(&mini, Qt::Key_O);
        } else if (how == "alt-c") {
            PressAltKey(&mini, Qt::Key_C);
        } else {
            kui::SkinButton* close = mini.skin()->titleButton(kui::Skin::CloseButton);
            QTest::mouseClick(close, Qt::LeftButton, {}, close->rect().center());
        }
        QCOMPARE(open.count(), opens ? 1 : 0);
        QCOMPARE(cancel.count(), cancels ? 1 : 0);
        if (cancels) QVERIFY(hiddenWhenCancelArrives);
        QVERIFY(!mini.isVisible());
        QVERIFY(!Shell().MiniActive);
    }

    void miniIsDraggedByItsPanel() {
        MiniWindow mini;
        mini.move(100, 100);
        mini.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mini));
        const QPoint start = mini.pos();
        QWidget* panel = mini.background();
        SendMouse(panel, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
        SendMouse(panel, QEvent::MouseMove, QPoint(35, 25), Qt::LeftButton);
        SendMouse(panel, QEvent::MouseButtonRelease, QPoint(35, 25), Qt::NoButton);
        QCOMPARE(mini.pos(), start + QPoint(30, 20));
    }

    // The buttons sit on the bottom edge: no grey status strip and no size grip under them.
    void noStatusStripUnderTheButtons_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("message") << "message";
        QTest::newRow("mini") << "mini";
    }
    void noStatusStripUnderTheButtons() {
        QFETCH(QString, window);
        std::unique_ptr<SkinnedDialog> dialog;
        kui::Cmd* ok = nullptr;
        if (window == "message") {
            auto* message = new MessageWindow;
            message->setMessage(QStringLiteral("程序下载成功"), 10, {});
            ok = message->okButton();
            dialog.reset(message);
        } else {
            auto* mini = new MiniWindow;
            ok = mini->okButton();
            dialog.reset(mini);
        }
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        kui::Skin* skin = dialog->skin();
        QVERIFY(!skin->hasStatusBar());
        QCOMPARE(skin->bottomHeight(), skin->leftWidth());
        const int below = dialog->height() - ok->mapTo(dialog.get(), QPoint(0, ok->height())).y();
        QVERIFY2(below <= 12 + skin->bottomHeight(), qPrintable(QString::number(below)));
        // Each row of the bottom edge is one colour from side to side: nothing drawn in it.
        const QImage image = dialog->grab().toImage();
        for (int y = image.height() - skin->bottomHeight(); y < image.height(); ++y)
            for (int x : {image.width() / 2, image.width() - 4})
                QCOMPARE(image.pixelColor(x, y), image.pixelColor(4, y));
    }

    // ---- about window --------------------------------------------------------------------

    void aboutAsStartUpScreenFadesAndEnds() {
        Shell().AppVersion = "1.0";
        AboutWindow about;
        QVERIFY(about.isStartupScreen());
        QVERIFY(!about.okButton()->isVisibleTo(&about));
        QVERIFY(about.productNameLabel()->isVisibleTo(&about));
        QVERIFY(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(about.alpha(), 220);
        QCOMPARE(about.versionLabel()->text(), QString("V 1.0"));
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QSignalSpy alphas(&about, &AboutWindow::alphaChanged);
        about.fadeOut();
        QCOMPARE(alphas.count(), 45);
        for (int i = 0; i < alphas.count(); ++i) QCOMPARE(alphas[i].first().toInt(), 220 - 5 * i);
        QVERIFY(!about.isVisible());
        QVERIFY(Shell().SplashDone);
    }

    void aboutBoxLaterHasItsOkButton() {
        Shell().SplashDone = true;
        Shell().TopMost = false;
        AboutWindow about;
        QVERIFY(!about.isStartupScreen());
        QVERIFY(about.okButton()->isVisibleTo(&about));
        QVERIFY(!about.productNameLabel()->isVisibleTo(&about));
        QVERIFY(!about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(about.alpha(), 255);
        bool closedByKey = false, active = false;
        QTimer::singleShot(0, &about, [&] {
            about.activateWindow();
            active = QTest::qWaitForWindowActive(&about);
            PressAltKey(&about, Qt::Key_O);
            closedByKey = !about.isVisible();
            if (!closedByKey) about.reject();  // never hang on a missed key
        });
        QCOMPARE(about.exec(), int(QDialog::Accepted));
        QVERIFY(active);
        QVERIFY(closedByKey);
    }

    // ---- help window ---------------------------------------------------------------------

    void helpHasItsSizeAndScrollsInSteps() {
        HelpWindow help;
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QCOMPARE(help.size(), QSize(6480 / 15, 4620 / 15));
        QWidget* viewport = help.viewport();
        QWidget* text = help.textPanel();
        // The whole text does not fit: the bar shows and the last step shows the text's end.
        QVERIFY(text->height() > viewport->height());
        QVERIFY(help.scroller()->Visible());
        QVERIFY(help.maxStep() > 10);
        QCOMPARE(help.scroller()->Max(), help.maxStep());
        QCOMPARE(text->y(), 0);

        help.setFocus();
        QCOMPARE(QApplication::focusWidget(), viewport);
        QTest::keyClick(viewport, Qt::Key_Down);
        QCOMPARE(help.step(), 1);
        QCOMPARE(text->y(), -6);  // 90 twips
        QTest::keyClick(viewport, Qt::Key_PageDown);
        QCOMPARE(help.step(), 11);
        QCOMPARE(text->y(), -66);
        QTest::keyClick(viewport, Qt::Key_PageUp);
        QTest::keyClick(viewport, Qt::Key_PageUp);
        QCOMPARE(help.step(), 0);
        QTest::keyClick(viewport, Qt::Key_End);
        QCOMPARE(help.step(), help.maxStep());
        QVERIFY(text->geometry().bottom() <= viewport->height() + 6);
        QVERIFY(text->geometry().bottom() >= viewport->height() - 6);

        // A wheel notch over the text turns three steps.
        help.scrollTo(0);
        // (A label passes a real wheel turn on to the panel; a sent one does not travel.)
        QWheelEvent wheel(QPointF(5, 5), text->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(text, &wheel);
        QCOMPARE(help.step(), 3);
        QCOMPARE(help.scroller()->Value(), 3);
        QCOMPARE(text->y(), -18);

        // The bar moves the text the same way.
        help.scroller()->Request(kui::cScroll::Top);
        QCOMPARE(text->y(), 0);
        help.scroller()->bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(help.step(), 10);
        QCOMPARE(text->y(), -60);
    }

    void helpTextFitsBesideTheBar() {
        HelpWindow help;
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        const QScrollBar* bar = help.scroller()->bar();
        QVERIFY(help.textPanel()->width() <= bar->x());
        const QList<QLabel*> labels = help.textPanel()->findChildren<QLabel*>();
        QVERIFY(!labels.isEmpty());
        QVERIFY(std::any_of(labels.begin(), labels.end(),
                            [](QLabel* l) { return l->text() == "一、指令变量"; }));
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](QLabel* l) {
            return l->text() == "发送串口助手数据，等同于点击串口助手中的发送按钮。";
        }));
    }
};

QTEST_MAIN(SmallWindowsTest)
#include "smallwindows_test.moc"
