// The main window over the real ZEL control: a download started by its button into zel-sim,
// the buttons following the busy state, task mode, a dropped file, and a command-line file
// that cannot be opened.
#include <QAction>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QSqlQuery>
#include <QTableView>
#include <QTranslator>
#include <QtTest>

#include "core/inifile.h"
#include "jobs/downloadlog.h"
#include "main/datapage.h"
#include "main/fileflows.h"
#include "main/incrementpage.h"
#include "main/qttranslations.h"
#include "main/terminalpage.h"
#include "mainfixture.h"
#include "record/recorddatabase.h"
#include "record/recorder.h"
#include "stderrcapture.h"
#include "ui/controls/cmd.h"
#include "ui/controls/frame.h"
#include "ui/controls/vtab.h"
#include "ui/core/skinobject.h"
#include "ui/skin/skin.h"
#include "windows/chiptreeview.h"
#include "windows/miniwindow.h"
#include "windows/shellstate.h"

using namespace korvan;
using namespace korvan::testing;

namespace {

// The rows of the production record that hold `code`, from the record the program keeps in the
// tests' data folder (which tests running beside this one write to as well).
QList<record::ProductionRow> RecordedRows(const QByteArray& code) {
    record::DatabaseUrl url;
    url.path = record::DefaultDataFolder() + QStringLiteral("/record.sqlite");
    if (!QFile::exists(url.path)) return {};
    record::RecordDatabase db(url);
    if (!db.open()) return {};
    const QString sha = QCryptographicHash::hash(code, QCryptographicHash::Sha256).toHex();
    QList<record::ProductionRow> rows;
    for (const record::ProductionRow& row : db.rows({}).value_or(QList<record::ProductionRow>{}))
        if (row.codeSha256 == sha) rows << row;
    return rows;
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
        QVERIFY(fixture.startChip());
        const qsizetype recordedBefore = RecordedRows(code).size();
        MainWindow* window = fixture.shownWindow(ParseCommandLine(hex));
        QVERIFY(window);
        QCOMPARE(window->fileBox()->text(), hex);

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
        // The job left its row in the production record.
        const QList<record::ProductionRow> rows = RecordedRows(code);
        QCOMPARE(rows.size(), recordedBefore + 1);
        QCOMPARE(rows.last().program, QStringLiteral("KORVAN"));
        QCOMPARE(rows.last().chipId, QStringLiteral("D103"));
        QCOMPARE(rows.last().codeSize, qint64(code.size()));
        QCOMPARE(rows.last().result, QStringLiteral("ok"));
        QVERIFY(fixture.waitForChipExit());
        QCOMPARE(fixture.chipImage().left(code.size()), code);
    }

    // Two chips in one run of the window, with the increment on: each gets its own number,
    // the box shows the next one and the file that keeps it holds that one after the end,
    // whether that is Config.ini, an open task, or a task opened with a switch (no save at
    // exit). With a production database the pool keeps the next number, not the file.
    void twoDownloadsGiveTwoSerialNumbers_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("settings file") << QString();
        QTest::newRow("task") << QStringLiteral("task");
        QTest::newRow("task with /d") << QStringLiteral("/d");
        QTest::newRow("database") << QStringLiteral("database");
    }
    void twoDownloadsGiveTwoSerialNumbers() {
        QFETCH(QString, mode);
        constexpr int kAddress = 0x400;
        constexpr qint64 kFirst = 41;
        MainFixture fixture;
        QVERIFY(fixture.valid());
        const bool pooled = mode == QStringLiteral("database");
        record::DatabaseUrl pool;
        pool.path = fixture.path(QStringLiteral("pool.sqlite"));
        if (pooled) {
            fixture.writeConfig(QStringLiteral("[Production]\nDatabase=") +
                                record::DatabaseUrlText(pool));
            mode.clear();
        }
        const QString hex = fixture.writeFile(QStringLiteral("fw.hex"), IntelHex(SampleCode(256)));
        const QString task = fixture.path(QStringLiteral("job.mcp"));
        // The port is offered at load only when its device is there.
        QVERIFY(fixture.startChipForSeveral());
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
        if (!mode.isEmpty()) {
            // A task does not follow the chip's series: it is made for the chip's own.
            window->selectOptionPage(1);
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
            QCOMPARE(page->nextBox()->text(), QString::number(pooled ? kFirst : n + 1));
        }
        window->quitWith(0);
        const QString kept = QString::number(pooled ? kFirst : kFirst + 2);
        if (pooled) {
            record::RecordDatabase db(pool);
            QVERIFY(db.open());
            QSqlQuery q(db.connection());
            QVERIFY(q.exec(QStringLiteral("SELECT pool, next_new FROM serial_pool")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), QStringLiteral("fw.hex"));
            QCOMPARE(q.value(1).toLongLong(), kFirst + 2);
        }
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
        MainWindow* window = fixture.shownWindow();
        QVERIFY(window);

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

    // A file that does not open leaves the buffer, the name, the grid and the sum as they
    // were; a HEX file that opens but looks damaged or cut short is asked about first.
    void theFileBoxesKeepWhatWasShownUnlessAFileOpens_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("answer");  // to the question, if one comes
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("opens");
        QTest::newRow("not HEX") << QByteArray("plain words\n") << QByteArray("1") << false
                                 << false;
        QTest::newRow("bad checksum, go on")
            << QByteArray(":0100000055AB\n:00000001FF\n") << QByteArray("1") << true << true;
        QTest::newRow("bad checksum, cancel")
            << QByteArray(":0100000055AB\n:00000001FF\n") << QByteArray("2") << true << false;
        QTest::newRow("no end record, cancel")
            << QByteArray(":0100000055AA\n") << QByteArray("2") << true << false;
    }
    void theFileBoxesKeepWhatWasShownUnlessAFileOpens() {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, answer);
        QFETCH(bool, asked);
        QFETCH(bool, opens);
        MainFixture fixture;
        QVERIFY(fixture.valid());
        const QString good =
            fixture.writeFile(QStringLiteral("good.hex"), IntelHex(SampleCode(40)));
        MainWindow* window = fixture.openWindow(ParseCommandLine(good));
        QVERIFY(window);
        const QString sum = window->sumBox()->text();
        const QString other = fixture.writeFile(QStringLiteral("other.hex"), content);
        qputenv("KORVAN_MESSAGE_ANSWER", answer);
        const QString said = StandardErrorOf([&] { window->openFromDialog(other); });
        qputenv("KORVAN_MESSAGE_ANSWER", "1");
        QCOMPARE(said.contains(QStringLiteral("是否仍然打开？")), asked);
        QCOMPARE(window->fileBox()->text(), opens ? other : good);
        QCOMPARE(window->workspace().codeBuffer().size(), opens ? size_t(1) : size_t(40));
        QCOMPARE(window->sumBox()->text() == sum, !opens);
        QCOMPARE(window->dataPage()->grid()->model()->rowCount(), opens ? 1 : 3);
    }

    // Free space below zero is shown in the warning colour, with a tip that says why.
    void aFileLargerThanTheChipIsShownAsNotFitting() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        const QString hex =
            fixture.writeFile(QStringLiteral("big.hex"), IntelHex(SampleCode(2048)));
        MainWindow* window = fixture.openWindow(ParseCommandLine(hex));
        QVERIFY(window);
        QLineEdit* free = window->files().boxes().freeSpace;
        const QColor normal = free->palette().color(QPalette::Text);
        window->files().setFlashSize([] { return qint64(1024); });
        window->files().showCodeBuffer();
        QCOMPARE(free->text(), QStringLiteral("-1.0 KB"));
        QVERIFY(free->palette().color(QPalette::Text) != normal);
        QVERIFY(free->toolTip().contains(QStringLiteral("无法全部写入")));
        window->files().setFlashSize([] { return qint64(4096); });
        window->files().showCodeBuffer();
        QCOMPARE(free->text(), QStringLiteral("2.0 KB"));
        QCOMPARE(free->palette().color(QPalette::Text), normal);
        QVERIFY(free->toolTip().isEmpty());
    }

    // Closing while the chip is being written asks first; yes cancels the job cleanly, with
    // the port closed, and then closes. A double-click on the log clears it.
    void closingDuringADownloadAsksAndCancelsCleanly() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        const QString hex = fixture.writeFile(QStringLiteral("fw.hex"), IntelHex(SampleCode(900)));
        MainWindow* window = fixture.shownWindow(ParseCommandLine(hex));
        QVERIFY(window);
        QVERIFY(fixture.startChip());
        QVERIFY(window->controller().DownloadAction(jobs::JobController::kDownload));
        // Each new line is the selected one.
        QListView* log = window->logView();
        QCOMPARE(log->currentIndex().row(), log->model()->rowCount() - 1);

        qputenv("KORVAN_MESSAGE_ANSWER", "2");
        QString said = StandardErrorOf([&] { window->close(); });
        QVERIFY2(said.contains(QStringLiteral("是否取消任务并退出")), qPrintable(said));
        QVERIFY(window->isVisible());
        QVERIFY(window->controller().writing());

        qputenv("KORVAN_MESSAGE_ANSWER", "1");
        said = StandardErrorOf([&] { window->close(); });
        QVERIFY(!window->isVisible());
        QVERIFY(!window->controller().writing());
        const QStringList lines = LogTexts(log);
        QVERIFY2(lines.last().endsWith(QStringLiteral("窗口关闭：任务已取消，串口已关闭")),
                 qPrintable(lines.join('\n')));
        // The chip's port is free again: another program can open it.
        jobs::PortAccess probe;
        probe.setTarget(jobs::ParsePortArgument(QStringLiteral("COM%1").arg(kSimPort)));
        QVERIFY(!probe.open(jobs::PortAccess::kTestSettings, true));
        probe.close();
        QTest::mouseDClick(log->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(log->model()->rowCount(), 0);
    }

    // The file watcher's download: the mini window shows it without its OK button and the
    // main window steps aside.
    void theWatchersDownloadShowsTheMiniWindowWithoutOk() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        const QString hex = fixture.writeFile(QStringLiteral("w.hex"), IntelHex(SampleCode(300)));
        MainWindow* window = fixture.shownWindow(ParseCommandLine(hex));
        QVERIFY(window);
        QVERIFY(fixture.startChip());
        window->checkBox(4)->setChecked(true);
        QFile file(hex);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                 QFileDevice::FileModificationTime));
        file.close();
        QTRY_VERIFY_WITH_TIMEOUT(Shell().MiniWindow && Shell().MiniWindow->isVisible(), 10000);
        auto* mini = qobject_cast<MiniWindow*>(Shell().MiniWindow);
        QVERIFY(mini);
        QVERIFY(!mini->okButton()->isVisible());
        QVERIFY(window->isMinimized());
        QTRY_VERIFY_WITH_TIMEOUT(window->controller().quiet(), 60000);
        QVERIFY(!mini->isVisible());
        QVERIFY(LogTexts(window->logView())
                    .join('\n')
                    .contains(QStringLiteral("文件更新自动下载程序")));
    }

    void commandLineFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<QByteArray>("answer");  // to a question about a damaged file
        QTest::newRow("hex in quotes with a blank")
            << "my code.hex" << IntelHex(SampleCode(32)) << true << QByteArray("1");
        QTest::newRow("bin") << "code.bin" << SampleCode(100) << true << QByteArray("1");
        QTest::newRow("unsupported extension")
            << "notes.txt" << QByteArray("hello") << false << QByteArray("1");
        QTest::newRow("damaged task")
            << "broken.mcp" << QByteArray("not packed") << false << QByteArray("1");
        QTest::newRow("bad checksum, go on")
            << "bad.hex" << QByteArray(":0100000055AB\n:00000001FF\n") << true << QByteArray("1");
        QTest::newRow("cut short, cancelled")
            << "cut.hex" << QByteArray(":0100000055AA\n") << false << QByteArray("2");
    }
    void commandLineFiles() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, loads);
        QFETCH(QByteArray, answer);
        MainFixture fixture;
        QVERIFY(fixture.valid());
        const QString file = fixture.writeFile(name, content);
        const CommandLine line = ParseCommandLine(QLatin1Char('"') + file + QLatin1Char('"'));
        QCOMPARE(line.File, file);
        qputenv("KORVAN_MESSAGE_ANSWER", answer);
        MainWindow* window = fixture.openWindow(line);
        qputenv("KORVAN_MESSAGE_ANSWER", "1");
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

    // The menu bar's entries as the program names them (order: file, edit, view, port, tools,
    // help).
    void menuCaptions_data() {
        QTest::addColumn<int>("menu");
        QTest::addColumn<QString>("caption");
        QTest::newRow("settings") << 4 << "选项(&O)";
        QTest::newRow("calculator") << 4 << "计算器";
        QTest::newRow("production record") << 4 << "生产记录";
        QTest::newRow("IDE entry") << 4 << "Keil 嵌入设置";
        QTest::newRow("help") << 5 << "帮助";
        QTest::newRow("support") << 5 << "技术支持";
        QTest::newRow("about") << 5 << "关于(&A)...";
    }
    void menuCaptions() {
        QFETCH(int, menu);
        QFETCH(QString, caption);
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        QMenu* entries = window->menuBar()->actions().at(menu)->menu();
        QVERIFY2(Entry(entries, caption), qPrintable(Captions(entries).join(" | ")));
    }

    // The frame's own look first, the engine's skins only with the engine; no name twice.
    void skinMenuOffersTheDefaultLookAndTheEngines_data() {
        QTest::addColumn<bool>("withEngine");
        QTest::newRow("no engine") << false;
        QTest::newRow("engine") << true;
    }
    void skinMenuOffersTheDefaultLookAndTheEngines() {
        QFETCH(bool, withEngine);
        std::unique_ptr<kui::SkinEngine> engine;
        if (withEngine) {
            engine = std::make_unique<kui::SkinEngine>(kui::CreateSkinObject());
            if (!engine->isValid()) QSKIP("the skin engine library is not built");
        }
        MainFixture fixture;
        QVERIFY(fixture.valid());
        Shell().SkinEngine = engine.get();
        Shell().SkinIndex = -1;
        MainWindow* window = fixture.openWindow();
        Shell().SkinEngine = nullptr;
        QVERIFY(window);
        const QStringList captions = Captions(window->skinMenu());
        QCOMPARE(captions.first(), QStringLiteral("默认界面"));
        QCOMPARE(captions.size(), 1 + (engine ? engine->SkinCount() : 0));
        QCOMPARE(QSet<QString>(captions.begin(), captions.end()).size(), captions.size());
        QVERIFY(window->skinMenu()->actions().first()->isChecked());
    }

    void calculatorMissingSaysSo() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        QAction* calculator = Entry(window->menuBar()->actions().at(4)->menu(), "计算器");
        QVERIFY(calculator);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", fixture.path(QStringLiteral("no-programs")).toLocal8Bit());
        const QString said = StandardErrorOf([&] { calculator->trigger(); });
        qputenv("PATH", path);
        QVERIFY2(said.contains(QStringLiteral("KORVAN message 11 : 未找到计算器程序")),
                 qPrintable(said));
    }

    // Qt's own dialogs speak the Chinese of KORVAN's windows, whatever the user's language.
    void qtDialogsSpeakChinese_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("dialogs");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("English") << "en_US"
                                 << "zh_CN"
                                 << "取消";
        QTest::newRow("German") << "de_DE"
                                << "zh_CN"
                                << "取消";
        QTest::newRow("simplified Chinese") << "zh_CN"
                                            << "zh_CN"
                                            << "取消";
        QTest::newRow("traditional Chinese") << "zh_TW"
                                             << "zh_TW"
                                             << "取消";
    }
    void qtDialogsSpeakChinese() {
        QFETCH(QString, user);
        QFETCH(QString, dialogs);
        QFETCH(QString, cancel);
        QCOMPARE(DialogLocale(QLocale(user)).name(), dialogs);
        std::unique_ptr<QTranslator> translator(InstallQtTranslations(*qApp, QLocale(user)));
        if (!translator) QSKIP("Qt's translations are not installed (qt6-translations-l10n)");
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), cancel);
    }

    // ---- buttons beside the pages ----------------------------------------------------------

    void secondDownloadButtonAndTheResetButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::newRow("CmdDown(4)") << "down4"
                                    << "常用(&N)";
        QTest::newRow("CmdUset") << "presets"
                                 << "协议(&L)";
        QTest::newRow("CmdCode") << "history"
                                 << "历史(&I)";
    }
    void secondDownloadButtonAndTheResetButtons() {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        MainFixture fixture;
        MainWindow* window = fixture.shownWindow();
        QVERIFY(window);
        if (button == "down4") {
            kui::Cmd* second = window->downButton(jobs::JobController::kSecond);
            QCOMPARE(second->Caption(), caption);
            // It downloads as the first one does: without code, it says so.
            // The message comes once the click's handler has returned.
            const QString said = StandardErrorOf([&] {
                emit second->Click();
                QCoreApplication::processEvents();
            });
            QVERIFY2(said.contains(QStringLiteral("文件未打开")), qPrintable(said));
            return;
        }
        window->selectPage(1);
        kui::Cmd* cmd = button == "presets" ? window->presetButton() : window->historyButton();
        QCOMPARE(cmd->Caption(), caption);
        emit cmd->Click();
        QTRY_VERIFY(QApplication::activePopupWidget());
        auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(shown);
        if (button == "history") {
            QCOMPARE(shown, window->commandHistoryMenu());
        } else {
            QVERIFY(Entry(shown, QStringLiteral("&4 19200,N,8,1")));
        }
        shown->close();
    }

    // ---- the option page -------------------------------------------------------------------

    void theOptionEditorsFrameHandsTheFocusOn() {
        MainFixture fixture;
        MainWindow* window = fixture.shownWindow();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->selectOptionPage(0);
        kui::Frame* frame = window->optionFrame();
        QCOMPARE(frame->Caption(),
                 QStringLiteral("内核选项 - 若MCU不支持下面(部分或全部)参数则自动忽略"));
        QVERIFY(frame->focusProxy());
        frame->setFocus(Qt::OtherFocusReason);
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused && focused != frame);
        QVERIFY(focused == frame->focusProxy() || frame->focusProxy()->isAncestorOf(focused));
    }

    void checkButtonsOnlyOnTheChipPage_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("shown");
        QTest::newRow("内核选项") << 0 << false;
        QTest::newRow("参数检测") << 1 << true;
        QTest::newRow("自动增量") << 2 << false;
    }
    void checkButtonsOnlyOnTheChipPage() {
        QFETCH(int, page);
        QFETCH(bool, shown);
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        window->selectOptionPage(page);
        for (int i : {jobs::JobController::kCheck, jobs::JobController::kCancelCheck})
            QCOMPARE(window->checkButton(i)->isVisibleTo(window), shown);
    }

    // The tree is cleared by a double click only while a check could be started.
    void doubleClickClearsTheChipTreeOnlyWhileCheckIsOffered_data() {
        QTest::addColumn<bool>("checkEnabled");
        QTest::addColumn<int>("linesLeft");
        QTest::newRow("check offered") << true << 0;
        QTest::newRow("check not offered") << false << 2;
    }
    void doubleClickClearsTheChipTreeOnlyWhileCheckIsOffered() {
        QFETCH(bool, checkEnabled);
        QFETCH(int, linesLeft);
        MainFixture fixture;
        MainWindow* window = fixture.shownWindow();
        QVERIFY(window);
        window->selectOptionPage(1);
        ChipTreeView* tree = window->chipTree();
        tree->AddTreeLine(QStringLiteral("MCU 内核"), 4, false);
        tree->AddTreeLine(QStringLiteral("MCU 版本：  7.1"), 1, true);
        window->checkButton(jobs::JobController::kCheck)->setEnabled(checkEnabled);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton);
        QCOMPARE(tree->lines().size(), linesLeft);
    }

    // ---- history menus ---------------------------------------------------------------------

    void anEmptyHistorySaysSo() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        for (QMenu* menu : {window->fileHistoryMenu(), window->commandHistoryMenu()}) {
            QCOMPARE(Captions(menu), QStringList{QStringLiteral("&1 暂无记录")});
            QVERIFY(!menu->actions().first()->isEnabled());
        }
    }

    void aChosenCommandMovesToTheHead() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        fixture.writeConfig(QStringLiteral(
            "[ListCode]\nList0=\"AA 01;9600,N,8,1\"\nList1=\"BB 02;19200,E,7,1\"\n"));
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        QMenu* history = window->commandHistoryMenu();
        QCOMPARE(Captions(history), (QStringList{QStringLiteral("&1 AA 01;9600,N,8,1"),
                                                 QStringLiteral("&2 BB 02;19200,E,7,1")}));
        Entry(history, QStringLiteral("&2 BB 02;19200,E,7,1"))->trigger();
        QCOMPARE(window->terminalPage()->settingsLabel()->text(),
                 QStringLiteral("串口参数：19200,E,7,1"));
        QTRY_COMPARE(Captions(history), (QStringList{QStringLiteral("&1 BB 02;19200,E,7,1"),
                                                     QStringLiteral("&2 AA 01;9600,N,8,1")}));
        // Kept for the next start.
        MainWindow* next = fixture.openWindow();
        QVERIFY(next);
        QCOMPARE(Captions(next->commandHistoryMenu()).first(),
                 QStringLiteral("&1 BB 02;19200,E,7,1"));
    }

    // ---- layout ----------------------------------------------------------------------------

    // At the smallest size every label and box above the pages shows whole and apart, and
    // every tab of the first strip fits.
    void nothingOverlapsAtTheSmallestSize() {
        MainFixture fixture;
        MainWindow* window = fixture.shownWindow();
        QVERIFY(window);
        QCOMPARE(window->minimumSize(), QSize(461, 355));
        window->resize(window->minimumSize());
        QTRY_COMPARE(window->size(), QSize(461, 355));
        QCoreApplication::processEvents();
        // The labels and boxes above the pages, and those of the increment page (which
        // scrolls where its rows do not fit).
        window->selectOptionPage(2);
        QCoreApplication::processEvents();
        const struct {
            QWidget* area;
            int parts;
        } areas[] = {{window->fileBox()->parentWidget(), 10},
                     {window->incrementPage()->addressBox()->parentWidget(), 10}};
        for (const auto& area : areas) {
            QWidget* top = area.area;
            QList<QWidget*> parts;
            for (QWidget* child : top->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (child->isVisible() &&
                    (qobject_cast<QLabel*>(child) || qobject_cast<QLineEdit*>(child)))
                    parts << child;
            QVERIFY(parts.size() >= area.parts);
            QVERIFY(top->width() <= top->parentWidget()->width());  // no sideways scrolling
            for (QWidget* part : parts) {
                // A label shows whole on one line, or on as many as it breaks into.
                if (auto* label = qobject_cast<QLabel*>(part))
                    QVERIFY2(label->width() >= label->sizeHint().width() ||
                                 (label->wordWrap() &&
                                  label->height() >= label->heightForWidth(label->width())),
                             qPrintable(label->text()));
                if (auto* box = qobject_cast<QLineEdit*>(part))
                    QVERIFY2(box->height() >= box->minimumSizeHint().height(),
                             qPrintable(box->objectName()));
                QVERIFY(top->rect().contains(part->geometry()));
                for (QWidget* other : parts)
                    if (other != part)
                        QVERIFY2(!part->geometry().intersects(other->geometry()),
                                 qPrintable(part->objectName() + part->metaObject()->className()));
            }
        }
        // The size boxes show a whole checksum, the increment's box the largest number.
        const QFontMetrics metrics(window->sumBox()->font());
        QVERIFY(window->sumBox()->width() > metrics.horizontalAdvance(QStringLiteral("0000000A")));
        QVERIFY(window->incrementPage()->nextBox()->width() >
                metrics.horizontalAdvance(QStringLiteral("999999999")));
        kui::vTab* tabs = window->pageTabs();
        const int count = int(tabs->TabList().size());
        QVERIFY(tabs->TabLeft() + count * tabs->TabWidth() + (count - 1) * tabs->TabStep() <=
                tabs->width());
        // The buttons beside the pages keep their height and their distance.
        for (int i = 0; i < 4; ++i) {
            const QRect upper = window->downButton(i)->geometry();
            const QRect lower = window->downButton(i + 1)->geometry();
            QVERIFY(upper.bottom() < lower.top());
            QCOMPARE(lower.height(), upper.height());
        }
        // The rows of the pages that scroll show whole, inside the window, once scrolled to;
        // the soft-start command keeps room for a command.
        auto* command = window->findChild<QLineEdit*>(QStringLiteral("txtTest"));
        QVERIFY(command);
        TerminalPage* terminal = window->terminalPage();
        const struct {
            const char* name;
            int page;
            QWidget* part;
            int minWidth;
        } rows[] = {
            {"soft-start command", 1, command,
             metrics.horizontalAdvance(QStringLiteral("AT+RST=1"))},
            {"hex", 4, terminal->hexBox(), 0},
            {"line break", 4, terminal->lineBreakBox(), 0},
            {"auto send", 4, terminal->autoSendBox(), 0},
        };
        const QWidget* client = window->findChild<QWidget*>(QStringLiteral("backWindow"));
        QVERIFY(client);
        for (const auto& row : rows) {
            window->selectPage(row.page);
            QCoreApplication::processEvents();
            QScrollArea* scroll = nullptr;
            for (QWidget* w = row.part; w && !scroll; w = w->parentWidget())
                scroll = qobject_cast<QScrollArea*>(w);
            QVERIFY2(scroll, row.name);
            scroll->ensureWidgetVisible(row.part, 0, 0);
            QCoreApplication::processEvents();
            const QRect inViewport(row.part->mapTo(scroll->viewport(), QPoint()), row.part->size());
            // Nothing runs off the right edge, where the page does not scroll.
            QVERIFY2(scroll->widget()->width() <= scroll->viewport()->width(), row.name);
            QVERIFY2(scroll->viewport()->rect().contains(inViewport), row.name);
            const QRect inClient(row.part->mapTo(client, QPoint()), row.part->size());
            QVERIFY2(client->rect().contains(inClient), row.name);
            QVERIFY2(row.part->width() >= row.minWidth, row.name);
        }
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
