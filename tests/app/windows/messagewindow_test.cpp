// The message window: styles, results, line breaks, sizing and placement, offscreen.
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "mnemonickey.h"
#include "ui/controls/back.h"
#include "ui/controls/cmd.h"
#include "core/apppaths.h"
#include "ui/skin/skin.h"
#include "ui/skin/skinbutton.h"
#include "windows/messagewindow.h"
#include "windows/shellstate.h"

using korvan::MessageWindow;
using korvan::Shell;

namespace {

// Runs `action` on the message window once it is up; returns what ShowMsg returned.
int ShowAndThen(MessageWindow& window, const QString& prompt, int style,
                const std::function<void()>& action) {
    QTimer::singleShot(0, &window, [&window, action] {
        // A window that never comes up is closed, so the test fails instead of hanging.
        if (!QTest::qWaitForWindowExposed(&window)) {
            window.reject();
            return;
        }
        action();
        if (window.isVisible()) window.done(-1);
    });
    return window.ShowMsg(prompt, style, QString());
}

QPoint CentreOf(const QWidget& w) {
    return w.frameGeometry().center();
}

}  // namespace

class MessageWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { Shell() = korvan::ShellState(); }

    void stylesPickButtonsIconAndSound_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("sound");
        QTest::newRow("notice 10") << 10 << false << 0 << "0";
        QTest::newRow("refusal 11") << 11 << false << 1 << "2";
        QTest::newRow("file error 12") << 12 << false << 2 << "2";
        QTest::newRow("question 21") << 21 << true << 1 << "2";
    }
    void stylesPickButtonsIconAndSound() {
        QFETCH(int, style);
        QFETCH(bool, cancel);
        QFETCH(int, icon);
        QFETCH(QString, sound);
        MessageWindow window;
        QSignalSpy prompts(&window, &MessageWindow::promptRequested);
        bool okShown = false, cancelShown = false;
        int okX = 0, cancelX = 0;
        const int result = ShowAndThen(window, "下载完成", style, [&] {
            okShown = window.okButton()->isVisible();
            cancelShown = window.cancelButton()->isVisible();
            okX = window.okButton()->geometry().center().x();
            cancelX = window.cancelButton()->geometry().center().x();
            emit window.okButton()->Click();
        });
        QCOMPARE(result, 1);
        QCOMPARE(window.LabInfo(), style);
        QCOMPARE(window.iconDigit(), icon);
        QVERIFY(okShown);
        QCOMPARE(cancelShown, cancel);
        const int middle = window.background()->width() / 2;
        if (cancel) {
            QVERIFY(okX < middle && cancelX > middle);  // side by side around the centre
        } else {
            QVERIFY(qAbs(okX - middle) <= 1);  // OK alone, centred
        }
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.first().first().toString(), sound);
    }

    void resultsFollowTheWayItCloses_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("expected");
        QTest::newRow("OK clicked") << "ok" << 1;
        QTest::newRow("Cancel clicked") << "cancel" << 2;
        QTest::newRow("caption close button") << "caption" << 0;
        QTest::newRow("Escape") << "escape" << 0;
        QTest::newRow("Alt+O") << "alt-o" << 1;
        QTest::newRow("Alt+C") << "alt-c" << 2;
        QTest::newRow("Enter on the focused OK") << "enter" << 1;
    }
    void resultsFollowTheWayItCloses() {
        QFETCH(QString, how);
        QFETCH(int, expected);
        MessageWindow window;
        const int result = ShowAndThen(window, "是否继续？", 21, [&] {
            if (how == "ok") {
                QTest::mouseClick(window.okButton(), Qt::LeftButton);
            } else if (how == "cancel") {
                QTest::mouseClick(window.cancelButton(), Qt::LeftButton);
            } else if (how == "caption") {
                kui::SkinButton* close = window.skin()->titleButton(kui::Skin::CloseButton);
                QVERIFY(close && close->isVisible());
                QTest::mouseClick(close, Qt::LeftButton, {}, close->rect().center());
            } else if (how == "escape") {
                QTest::keyClick(&window, Qt::Key_Escape);
            } else if (how == "alt-o") {
                PressAltKey(&window, Qt::Key_O);
            } else if (how == "alt-c") {
                PressAltKey(&window, Qt::Key_C);
            } else if (how == "enter") {
                QCOMPARE(QApplication::focusWidget(), window.okButton());
                QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
            }
        });
        QCOMPARE(result, expected);
        QCOMPARE(window.InfoInt(), expected);
        QVERIFY(!window.isVisible());
    }

    void aCancelKeyDoesNothingWithOneButton() {
        MessageWindow window;
        bool stillShown = false;
        const int result = ShowAndThen(window, "提示", 10, [&] {
            PressAltKey(&window, Qt::Key_C);
            stillShown = window.isVisible();
            PressAltKey(&window, Qt::Key_O);
        });
        QVERIFY(stillShown);
        QCOMPARE(result, 1);
    }

    void breaksBecomeLinesAndTheTitleDefaults() {
        MessageWindow window;
        window.setMessage("第一行<br>第二行", 10, QString());
        QCOMPARE(window.promptText(), QString("第一行\n第二行"));
        QCOMPARE(window.windowTitle(), QString("温馨提示"));
        window.setMessage("x", 12, "文件错误");
        QCOMPARE(window.windowTitle(), QString("文件错误"));
    }

    void aLongPromptWidensTheWindowAndShowsWhole() {
        MessageWindow window;
        window.setMessage("短", 10, QString());
        const QSize small = window.size();
        const QString longLine = QString("指定的文件未找到：") + QString(40, QChar('x'));
        window.setMessage(longLine + "<br>2<br>3<br>4<br>5", 12, QString());
        QVERIFY(window.width() > small.width());
        QVERIFY(window.height() > small.height());
        const QFontMetrics metrics(window.promptLabel()->font());
        QVERIFY(window.promptLabel()->width() >= metrics.horizontalAdvance(longLine));
        QVERIFY(window.promptLabel()->height() >= 5 * metrics.height());
        // The buttons stay inside the client area, below the text.
        const QRect ok = window.okButton()->geometry();
        QVERIFY(window.background()->rect().contains(ok));
        QVERIFY(ok.top() >= window.promptLabel()->geometry().bottom());
    }

    void aVeryLongPromptWrapsInsideTheScreen() {
        MessageWindow window;
        QString prompt = "指定的文件未找到：<br>";
        for (int i = 0; i < 30; ++i) prompt += QString("/folder%1").arg(i);
        window.setMessage(prompt, 12, QString());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(window.width() <= screen.width());
        QVERIFY(window.promptLabel()->wordWrap());
        const QFontMetrics metrics(window.promptLabel()->font());
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, window.promptLabel()->width(), 100000),
                                 Qt::TextWordWrap, window.promptText());
        QVERIFY(needed.height() <= window.promptLabel()->height());
    }

    void placementFollowsTheStartUpState() {
        QWidget main, mini;
        main.setGeometry(40, 60, 600, 400);
        mini.setGeometry(500, 300, 300, 120);
        main.show();
        mini.show();
        Shell().MainWindow = &main;
        Shell().MiniWindow = &mini;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        struct Case {
            bool splashDone;
            QString sw;
            bool mainShown;
            QPoint centre;
        } const cases[] = {
            {false, "/u", false, screen.center()},
            {true, "/u", false, CentreOf(mini)},
            {true, "/u", true, CentreOf(main)},
            {true, "", false, CentreOf(main)},
        };
        for (const Case& c : cases) {
            Shell().SplashDone = c.splashDone;
            Shell().CommandSwitch = c.sw;
            Shell().MainShown = c.mainShown;
            MessageWindow window;
            window.setMessage("串口无效", 12, QString());
            const QPoint centre = QRect(window.pos(), window.size()).center();
            QVERIFY2((centre - c.centre).manhattanLength() <= 2,
                     qPrintable(QString("%1 %2").arg(c.sw).arg(c.splashDone)));
        }
    }

    void captionsComeFromTheLanguageFileWithTheirAltKeys() {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QFile lang(home.filePath("Lang.ini"));
        QVERIFY(lang.open(QIODevice::WriteOnly));
        // 900 is the window's number, its buttons 1 (OK) and 2 (Cancel); 902 stays empty.
        lang.write("[Lang]\n901=好的(&K)\n902=\n");
        lang.close();
        const korvan::AppPaths before = korvan::CurrentAppPaths();
        korvan::AppPaths paths = before;
        paths.AppPath = home.path() + "/";
        korvan::SetCurrentAppPaths(paths);
        MessageWindow window;
        korvan::SetCurrentAppPaths(before);
        QCOMPARE(window.okButton()->Caption(), QString("好的(&K)"));
        QCOMPARE(window.cancelButton()->Caption(), QString("取消(&C)"));
        bool stillShown = false;
        const int result = ShowAndThen(window, "是否继续？", 21, [&] {
            PressAltKey(&window, Qt::Key_O);  // the designed key is gone
            stillShown = window.isVisible();
            if (stillShown) PressAltKey(&window, Qt::Key_K);
        });
        QVERIFY(stillShown);
        QCOMPARE(result, 1);
    }

    void showMessageRestoresAMinimisedMainWindow() {
        QWidget main;
        main.resize(300, 200);
        main.showMinimized();
        Shell().MainWindow = &main;
        Shell().SplashDone = true;
        bool restored = false;
        QTimer::singleShot(50, [&] {
            restored = !main.isMinimized();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* window = qobject_cast<MessageWindow*>(w); window && window->isVisible())
                    emit window->cancelButton()->Click();
        });
        QCOMPARE(korvan::ShowMessage("继续下载？", 21), 2);
        QVERIFY(restored);
    }
};

QTEST_MAIN(MessageWindowTest)
#include "messagewindow_test.moc"
