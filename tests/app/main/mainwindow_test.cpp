// The main window over the real ZEL control: a download started by its button into zel-sim,
// the buttons following the busy state, task mode, a dropped file, and a command-line file
// that cannot be opened.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QtTest>

#include "core/inifile.h"
#include "jobs/downloadlog.h"
#include "main/incrementpage.h"
#include "mainfixture.h"
#include "ui/controls/cmd.h"
#include "ui/controls/vtab.h"
#include "ui/skin/skin.h"
#include "windows/chiptreeview.h"
#include "windows/miniwindow.h"
#include "windows/shellstate.h"

using namespace korvan;
using namespace korvan::testing;

namespace {

QStringList LogTexts(const QListView* view) {
    QStringList texts;
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, 0).data().toString();
    return texts;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void downloadButtonWritesTheCodeIntoTheChip() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        const QByteArray code = SampleCode(900);
        const QString hex = fixture.writeFile(QStringLiteral("fw.hex"), IntelHex(code));
        MainWindow* window = fixture.openWindow(ParseCommandLine(hex));
        QVERIFY(window);
        window->show();
        QCOMPARE(window->fileBox()->text(), hex);
        QVERIFY(fixture.startChip());

        kui::Cmd* download = window->downButton(jobs::JobController::kDownload);
        QVERIFY(download->isEnabled());
        QVERIFY(!window->downButton(jobs::JobController::kCancel)->isEnabled());
        QTest::mouseClick(download, Qt::LeftButton, {}, download->rect().center());
        // While it runs, only cancel is offered.
        QVERIFY(!download->isEnabled());
        QVERIFY(window->downButton(jobs::JobController::kCancel)->isEnabled());
        QVERIFY(!window->checkButton(jobs::JobController::kCheck)->isEnabled());

        QTRY_VERIFY_WITH_TIMEOUT(window->controller().quiet() && download->isEnabled(), 60000);
        const QStringList lines = LogTexts(window->logView());
        QStringList steps;
        static const QRegularExpression time(QStringLiteral("^ ?\\d\\d:\\d\\d:\\d\\d\\s+"));
        for (const QString& line : lines) {
            QVERIFY2(time.match(line).hasMatch(), qPrintable(line));
            steps << QString(line).remove(time);
        }
        const QStringList expected = {
            QStringLiteral("下载单片机程序"),         QStringLiteral("等待启动标志... OK"),
            QStringLiteral("检测到单片机：ZELH64AD"), QStringLiteral("设置波特率：115200bps... OK"),
            QStringLiteral("擦除单片机程序... OK"),   QStringLiteral("写入单片机程序... OK"),
            QStringLiteral("设置单片机选项... OK"),   QStringLiteral("总第 1 次下载成功完成")};
        QCOMPARE(steps, expected);
        // The chip's data reached the tree and the size boxes.
        QVERIFY(window->chipTree()->lines().join('\n').contains(QStringLiteral("ZELH64AD")));
        // Every line carries the picture of its icon number.
        const QModelIndex last = window->logView()->model()->index(lines.size() - 1, 0);
        QVERIFY(!last.data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(!window->downButton(jobs::JobController::kCancel)->isEnabled());
        QCOMPARE(window->skin()->panelText(1), QStringLiteral("计数: 1"));
        QVERIFY(fixture.waitForChipExit());
        QCOMPARE(fixture.chipImage().left(code.size()), code);
    }

    // Two chips in one run of the window, with the increment on: each gets its own number,
    // the box shows the next one and the file that keeps it holds that one after the end,
    // whether that is Config.ini, an open task, or a task opened with a switch (no save at
    // exit).
    void twoDownloadsGiveTwoSerialNumbers_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("settings file") << QString();
        QTest::newRow("task") << QStringLiteral("task");
        QTest::newRow("task with /d") << QStringLiteral("/d");
    }
    void twoDownloadsGiveTwoSerialNumbers() {
        QFETCH(QString, mode);
        constexpr int kAddress = 0x400;
        constexpr qint64 kFirst = 41;
        MainFixture fixture;
        QVERIFY(fixture.valid());
        const QString hex = fixture.writeFile(QStringLiteral("fw.hex"), IntelHex(SampleCode(256)));
        const QString task = fixture.path(QStringLiteral("job.mcp"));
        MainWindow* window = fixture.openWindow(ParseCommandLine(hex));
        QVERIFY(window);
        IncrementPage* page = window->incrementPage();
        // The user's way: the switch ticked, the address and the number typed.
        window->selectOptionPage(2);
        QCOMPARE(window->optionTabs()->TabList()[2].caption, QStringLiteral("自动增量"));
        page->switchBox()->click();
        page->addressBox()->clear();
        QTest::keyClicks(page->addressBox(), QStringLiteral("400"));
        QTest::keyClick(page->addressBox(), Qt::Key_Return);
        page->nextBox()->clear();
        QTest::keyClicks(page->nextBox(), QString::number(kFirst));
        QTest::keyClick(page->nextBox(), Qt::Key_Return);
        QCOMPARE(page->addressBox()->text(), QStringLiteral("0400"));
        window->show();
        QVERIFY(fixture.startChipForSeveral());
        if (!mode.isEmpty()) {
            // A task does not follow the chip's series: it is made for the chip's own.
            kui::Cmd* check = window->checkButton(jobs::JobController::kCheck);
            QTest::mouseClick(check, Qt::LeftButton, {}, check->rect().center());
            QTRY_VERIFY_WITH_TIMEOUT(window->controller().quiet() && check->isEnabled(), 60000);
            QVERIFY(window->workspace().SaveSettingsFile(task));
            if (mode == QStringLiteral("task")) {
                window->openFromDialog(task);
            } else {
                window = fixture.openWindow(ParseCommandLine(mode + QLatin1Char(' ') + task));
                QVERIFY(window);
                page = window->incrementPage();
            }
            QVERIFY(window->workspace().taskMode());
            window->show();
        }

        kui::Cmd* download = window->downButton(jobs::JobController::kDownload);
        for (const qint64 n : {kFirst, kFirst + 1}) {
            QTest::mouseClick(download, Qt::LeftButton, {}, download->rect().center());
            // The number cannot be changed under a running download.
            QVERIFY(!page->nextBox()->isEnabled());
            QTRY_VERIFY_WITH_TIMEOUT(window->controller().quiet() && download->isEnabled(), 60000);
            const char bytes[] = {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
            const QByteArray serial(bytes, 4);
            QTRY_COMPARE_WITH_TIMEOUT(fixture.chipImage().mid(kAddress, 4), serial, 30000);
            QCOMPARE(page->nextBox()->text(), QString::number(n + 1));
        }
        window->quitWith(0);
        const QString kept = QString::number(kFirst + 2);
        if (mode.isEmpty()) {
            QCOMPARE(ReadIni(QStringLiteral("AddData"), QStringLiteral("Data"),
                             CurrentAppPaths().configFile(), {}),
                     kept);
        } else {
            CodeWorkspace reopened(CurrentAppPaths());
            QVERIFY(reopened.OpenCodeFile(task, false).Ok);
            QCOMPARE(QString::number(reopened.settings().IncNext), kept);
        }
    }

    void taskModeHidesAndDisablesTheUsersSettings() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        const QString hex = fixture.writeFile(QStringLiteral("fw.hex"), IntelHex(SampleCode(64)));
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        window->openFromDialog(hex);
        QVERIFY(window->workspace().SaveSettingsFile(fixture.path(QStringLiteral("job.mcp"))));
        window->checkBox(2)->setChecked(true);
        window->selectPage(1);

        window->openFromDialog(fixture.path(QStringLiteral("job.mcp")));
        QVERIFY(window->workspace().taskMode());
        QCOMPARE(window->pageTabs()->Selected(), 0);
        for (int tab = 1; tab < 5; ++tab) QVERIFY(!window->pageTabs()->TabList()[tab].enabled);
        QVERIFY(window->pageTabs()->TabList()[0].enabled);
        for (int box = 1; box <= 4; ++box) QVERIFY(!window->checkBox(box)->isEnabled());
        QVERIFY(!window->fileBox()->isEnabled());
        for (const QString& caption :
             {QStringLiteral("另存为(&A)..."), QStringLiteral("更新缓冲区"),
              QStringLiteral("设为默认文件")}) {
            QAction* action = window->fileAction(caption);
            QVERIFY2(action && !action->isVisible(), qPrintable(caption));
        }
        QVERIFY(window->fileAction(QStringLiteral("打开默认文件"))->isEnabled());
        QVERIFY(window->skin()->Caption().endsWith(QStringLiteral("[job] - 任务")));

        // A code file through the dialog is ignored while the task is open.
        window->openFromDialog(hex);
        QVERIFY(window->workspace().taskMode());
        // The default file leaves task mode and gives everything back.
        window->fileAction(QStringLiteral("打开默认文件"))->trigger();
        QVERIFY(!window->workspace().taskMode());
        for (int tab = 1; tab < 5; ++tab) QVERIFY(window->pageTabs()->TabList()[tab].enabled);
        QVERIFY(window->checkBox(1)->isEnabled());
        QVERIFY(window->fileAction(QStringLiteral("另存为(&A)..."))->isVisible());
    }

    void aDroppedFileOpens() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        QByteArray code(20, '\0');
        code.replace(16, 4, QByteArray::fromHex("01020304"));
        const QString hex =
            fixture.writeFile(QStringLiteral("drop me.hex"), ":0400100001020304E2\n:00000001FF\n");
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(hex)});
        const QPoint at = window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window, &drop);
        QCOMPARE(window->fileBox()->text(), hex);
        QCOMPARE(window->sumBox()->text(), QStringLiteral("0000000A"));
        QCOMPARE(window->workspace().codeBuffer().size(), size_t(20));
        // and it heads the file history
        QVERIFY(window->fileHistoryMenu()->actions().first()->text().contains(
            QStringLiteral("drop me.hex")));
    }

    void commandLineFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("loads");
        QTest::newRow("hex in quotes with a blank")
            << "my code.hex" << IntelHex(SampleCode(32)) << true;
        QTest::newRow("bin") << "code.bin" << SampleCode(100) << true;
        QTest::newRow("unsupported extension") << "notes.txt" << QByteArray("hello") << false;
        QTest::newRow("damaged task") << "broken.mcp" << QByteArray("not packed") << false;
    }
    void commandLineFiles() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, loads);
        MainFixture fixture;
        QVERIFY(fixture.valid());
        const QString file = fixture.writeFile(name, content);
        const CommandLine line = ParseCommandLine(QLatin1Char('"') + file + QLatin1Char('"'));
        QCOMPARE(line.File, file);
        MainWindow* window = fixture.openWindow(line);
        QCOMPARE(window != nullptr, loads);
        if (!loads) return;
        QCOMPARE(window->fileBox()->text(), file);
        // Opening from the command line starts nothing.
        QVERIFY(window->controller().quiet());
        QCOMPARE(window->logView()->model()->rowCount(), 0);
    }

    void settingsAreSavedAtExitOnlyWithoutASwitch_data() {
        QTest::addColumn<QString>("switchText");
        QTest::addColumn<bool>("saved");
        QTest::newRow("no switch") << QString() << true;
        QTest::newRow("unknown switch") << "/x" << false;
        QTest::newRow("download switch") << "/d" << false;
        QTest::newRow("unattended") << "/u" << false;
    }
    void settingsAreSavedAtExitOnlyWithoutASwitch() {
        QFETCH(QString, switchText);
        QFETCH(bool, saved);
        MainFixture fixture;
        QVERIFY(fixture.valid());
        CommandLine line;
        line.Switch = switchText;
        MainWindow* window = fixture.openWindow(line);
        QVERIFY(window);
        QVERIFY(!window->checkBox(1)->isChecked());
        window->checkBox(1)->setChecked(true);
        window->quitWith(0);
        QVERIFY(!window->isVisible());
        // The next start reads what the last one left.
        MainWindow* next = fixture.openWindow();
        QVERIFY(next);
        QCOMPARE(next->checkBox(1)->isChecked(), saved);
    }

    void anOpenTaskIsNotWrittenAtExit() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        const QString hex = fixture.writeFile(QStringLiteral("fw.hex"), IntelHex(SampleCode(300)));
        const QString task = fixture.path(QStringLiteral("job.mcp"));
        MainWindow* window = fixture.openWindow(ParseCommandLine(hex));
        QVERIFY(window);
        QVERIFY(window->workspace().SaveSettingsFile(task));
        QFile file(task);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray packed = file.readAll();
        file.close();

        window->openFromDialog(task);
        QVERIFY(window->workspace().taskMode());
        window->quitWith(0);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), packed);
    }

    void theMiniWindowsOkShowsTheMainWindow() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = fixture.openWindow(ParseCommandLine(QStringLiteral("/u")));
        QVERIFY(window);
        MiniWindow mini;
        window->setMiniWindow(&mini);
        mini.show();
        QVERIFY(!window->isVisible());
        QTest::mouseClick(mini.okButton(), Qt::LeftButton, {}, mini.okButton()->rect().center());
        QVERIFY(window->isVisible());
        QVERIFY(Shell().MainShown);
        // Shown to the user, the window no longer closes by itself after a download.
        QVERIFY(!window->controller().settings().unattended);
    }

    void maximisedWindowKeepsItsWidthAtTheRightEdge() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        int maxLeft = 0, maxTop = 0, maxWidth = 1600, maxHeight = 900, minWidth = 100,
            minHeight = 50;
        emit window->skin()->GetSize(maxLeft, maxTop, maxWidth, maxHeight, minWidth, minHeight);
        QCOMPARE(minWidth, 100 + 453);
        QCOMPARE(minHeight, 50 + 301);
        QCOMPARE(maxWidth, window->skin()->ScaleWidth());
        QCOMPARE(maxLeft, 1600 - window->skin()->ScaleWidth());
        QCOMPARE(maxHeight, 900);
    }

    void captionsComeFromTheLanguageFile() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        fixture.writeFile(QStringLiteral("Lang.ini"),
                          "[Lang]\n101=Download\n106=Stop check\n112=Log;Custom;Options\n"
                          "114=Soft start\n113=\n");
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        QCOMPARE(window->downButton(0)->Caption(), QStringLiteral("Download"));
        QCOMPARE(window->checkButton(2)->Caption(), QStringLiteral("Stop check"));
        QCOMPARE(window->downButton(1)->Caption(), QStringLiteral("重复(&R)"));
        QCOMPARE(window->checkBox(1)->text(), QStringLiteral("Soft start"));
        const QList<kui::vTab::TabEntry> pages = window->pageTabs()->TabList();
        QCOMPARE(pages.size(), 5);
        QCOMPARE(pages[2].caption, QStringLiteral("Options"));
        QCOMPARE(pages[3].caption, QStringLiteral("缓存数据"));
        // An empty text leaves the designed captions.
        QCOMPARE(window->optionTabs()->TabList()[1].caption, QStringLiteral("参数检测"));
    }

    void aPortIsTakenOnlyWhenItOpens() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        QVERIFY(fixture.startChip());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        const QList<QAction*> ports = window->portActions();
        QCOMPARE(ports.size(), 7);
        QVERIFY(ports[kSimPort - 1]->isChecked());

        window->selectPort(MainFixture::kNowherePort);
        QVERIFY(ports[kSimPort - 1]->isChecked());
        QVERIFY(!ports[MainFixture::kNowherePort - 1]->isChecked());
        QCOMPARE(Shell().Config.value().ComPort, kSimPort);

        window->selectPort(MainFixture::kChipAgainPort);
        QVERIFY(ports[MainFixture::kChipAgainPort - 1]->isChecked());
        QCOMPARE(Shell().Config.value().ComPort, MainFixture::kChipAgainPort);
        // Kept for the next start.
        MainWindow* next = fixture.openWindow();
        QVERIFY(next);
        QVERIFY(next->portActions()[MainFixture::kChipAgainPort - 1]->isChecked());
    }

    void viewMenuSelectsTheOptionPages() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        QMenu* view = window->menuBar()->actions().at(2)->menu();
        QVERIFY(view);
        QAction* chipPage = nullptr;
        for (QAction* action : view->actions())
            if (action->text() == QStringLiteral("参数检测")) chipPage = action;
        QVERIFY(chipPage);
        chipPage->trigger();
        QCOMPARE(window->pageTabs()->Selected(), 2);
        QCOMPARE(window->optionTabs()->Selected(), 1);
        QCOMPARE(window->menuBar()->actions().size(), 6);
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
