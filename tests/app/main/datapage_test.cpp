// The page "缓存数据" inside the main window: the grid over a loaded file, the row editor
// writing into the code buffer, the search with its end message, the Edit menu by page, and
// its entries for the terminal's receive box.
#include <unistd.h>

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTableView>
#include <QtTest>
#include <cstdio>

#include "main/datapage.h"
#include "main/terminalpage.h"
#include "mainfixture.h"
#include "ptypeer.h"
#include "stderrcapture.h"
#include "ui/controls/vtab.h"

using namespace korvan;
using namespace korvan::testing;

namespace {

constexpr int kTailSize = 0x12345;

}  // namespace

class DataPageTest : public QObject {
    Q_OBJECT

    MainWindow* openTail(MainFixture& fixture) {
        QByteArray code = SampleCode(kTailSize);
        code.replace(0x100, 3, QByteArray::fromHex("AB00CD"));
        const QString file = fixture.writeFile(QStringLiteral("tail.bin"), code);
        MainWindow* window = fixture.openWindow(ParseCommandLine(file));
        if (!window) return nullptr;
        window->show();
        window->pageTabs()->setSelected(DataPage::kGridPage);
        if (!QTest::qWaitForWindowActive(window)) return nullptr;
        return window;
    }

    static QString RowData(DataPage* page, int row) {
        return page->grid()->model()->index(row, 1).data().toString();
    }

  private slots:
    void theGridShowsTheBufferWithWideAddresses() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = openTail(fixture);
        QVERIFY(window);
        const QAbstractItemModel* model = window->dataPage()->grid()->model();
        QCOMPARE(model->rowCount(), 0x1235);
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("00000 "));
        QCOMPARE(model->index(0x1234, 0).data().toString(), QStringLiteral("12340 "));
        const QByteArray tail = SampleCode(kTailSize).right(5);
        QCOMPARE(RowData(window->dataPage(), 0x1234),
                 QString::fromLatin1(tail.toHex(' ').toUpper()));
        QVERIFY(!model->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    }

    void editingTheTailKeepsItsBytes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("more than fits is cut")
            << "a1 a2 a3 a4 a5 a6 a7" << QByteArray::fromHex("A1A2A3A4A5");
        QTest::newRow("one alone") << "1" << QByteArray::fromHex("0100000000");
        QTest::newRow("refused keys dropped") << "1g2 z" << QByteArray::fromHex("1200000000");
    }
    void editingTheTailKeepsItsBytes() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, written);
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = openTail(fixture);
        QVERIFY(window);
        DataPage* page = window->dataPage();
        page->grid()->setCurrentIndex(page->grid()->model()->index(0x1234, 1));
        page->beginEdit();
        QVERIFY(page->editor()->isVisible());
        QVERIFY(page->editor()->hasFocus());
        QCOMPARE(page->addressPanel()->findChild<QLabel*>()->text(), QStringLiteral("12340"));
        QCOMPARE(page->editor()->selectedText().size(), 14);
        QTest::keyClicks(page->editor(), typed);
        QTest::keyClick(page->editor(), Qt::Key_Return);
        QVERIFY(!page->editor()->isVisible());
        const CodeBuffer& buffer = window->workspace().codeBuffer();
        QCOMPARE(buffer.size(), size_t(kTailSize));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(buffer.data()) + 0x12340, 5), written);
        QCOMPARE(RowData(page, 0x1234), QString::fromLatin1(written.toHex(' ').toUpper()));
        QCOMPARE(window->sumBox()->text(), window->workspace().sumText());
    }

    void leavingTheEditorDropsTheChange() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = openTail(fixture);
        QVERIFY(window);
        DataPage* page = window->dataPage();
        const CodeBuffer before = window->workspace().codeBuffer();
        page->grid()->setCurrentIndex(page->grid()->model()->index(2, 1));
        page->beginEdit();
        QTest::keyClicks(page->editor(), QStringLiteral("FF"));
        page->grid()->setFocus();
        QVERIFY(!page->editor()->isVisible());
        QVERIFY(!page->addressPanel()->isVisible());
        QVERIFY(window->workspace().codeBuffer() == before);
    }

    void findDataWalksTheRowsInExactCase() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = openTail(fixture);
        QVERIFY(window);
        DataPage* page = window->dataPage();
        page->setSearchText(QStringLiteral("AB 00 CD"));
        page->findData(true);
        QCOMPARE(page->lastHit(), 0x11);  // the data starts with the text
        QCOMPARE(page->grid()->currentIndex().row(), 0x10);

        page->setSearchText(QStringLiteral("ab"));
        const QString said = StandardErrorOf([page] { page->findData(true); });
        QCOMPARE(page->lastHit(), 0);
        QVERIFY2(said.contains(QStringLiteral("已全部查找完毕")), qPrintable(said));
        // F3 is 查找下一个: it goes on from the last hit.
        page->setSearchText(QStringLiteral("AB 00 CD"));
        QTest::keyClick(page->grid(), Qt::Key_F3);
        QCOMPARE(page->lastHit(), 0x11);
    }

    void theEditMenuFollowsThePage() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = openTail(fixture);
        QVERIFY(window);
        QMenu* edit = window->menuBar()->actions().at(1)->menu();
        QAction* editRow = Entry(edit, QStringLiteral("编辑缓存数据"));
        QAction* clear = Entry(edit, QStringLiteral("清空接收区"));
        QAction* copy = Entry(edit, QStringLiteral("复制(&C)"));
        QVERIFY(editRow && clear && copy && Entry(edit, QStringLiteral("查找(&F)")) &&
                Entry(edit, QStringLiteral("查找下一个")));
        QVERIFY(editRow->isVisible() && !clear->isVisible() && !copy->isEnabled());
        window->pageTabs()->setSelected(DataPage::kTerminalPage);
        QVERIFY(!editRow->isVisible() && clear->isVisible() && copy->isEnabled());
        window->pageTabs()->setSelected(0);
        QVERIFY(!editRow->isVisible() && !clear->isVisible() && !copy->isEnabled());

        window->pageTabs()->setSelected(DataPage::kGridPage);
        QWidget* viewport = page(window)->grid()->viewport();
        QTest::mouseRelease(viewport, Qt::RightButton, {}, QPoint(20, 5));
        QTRY_VERIFY(edit->isVisible());
        edit->close();
    }

    // A right-button press on the receive box opens the Edit menu, whose entries copy the
    // selection or the whole text and empty the box without touching the counters.
    void theReceiveBoxMenuCopiesAndClears() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        fixture.writeConfig(QStringLiteral("[Comm]\nHex=0\n"));
        Peer peer;
        QVERIFY(peer.valid());
        QFile::remove(fixture.path(QStringLiteral("chip")));
        QVERIFY(QFile::link(peer.path(), fixture.path(QStringLiteral("chip"))));
        MainWindow* window = fixture.shownWindow();
        QVERIFY(window);
        window->pageTabs()->setSelected(DataPage::kTerminalPage);
        QVERIFY(QTest::qWaitForWindowActive(window));
        TerminalPage* terminal = window->terminalPage();
        terminal->openTerminal(true, true);
        QVERIFY(terminal->terminalOpen());
        QCOMPARE(peer.writeSome("hello\r\nworld"), 12);
        QTRY_COMPARE(terminal->receivedCount(), 12u);
        terminal->flushReceived();
        QPlainTextEdit* box = terminal->receiveBox();
        QCOMPARE(box->toPlainText(), QStringLiteral("hello\nworld"));

        QMenu* edit = window->menuBar()->actions().at(1)->menu();
        QTest::mousePress(box->viewport(), Qt::RightButton, {}, QPoint(10, 5));
        QTRY_VERIFY(edit->isVisible());
        QVERIFY(box->hasFocus());
        edit->close();

        QTextCursor cursor = box->textCursor();
        cursor.setPosition(6);
        cursor.setPosition(11, QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
        Entry(edit, QStringLiteral("复制(&C)"))->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("world"));
        cursor.clearSelection();
        box->setTextCursor(cursor);
        Entry(edit, QStringLiteral("复制(&C)"))->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("hello\nworld"));

        Entry(edit, QStringLiteral("清空接收区"))->trigger();
        QCOMPARE(box->toPlainText(), QString());
        QCOMPARE(terminal->receivedCount(), 12u);
        QCOMPARE(terminal->receivedLabel()->text(), QStringLiteral("接收: 12"));
        // What arrives next starts the box anew.
        QCOMPARE(peer.writeSome("!"), 1);
        QTRY_COMPARE(terminal->receivedCount(), 13u);
        terminal->flushReceived();
        QCOMPARE(box->toPlainText(), QStringLiteral("!"));
    }

  private:
    static DataPage* page(MainWindow* window) { return window->dataPage(); }
};

QTEST_MAIN(DataPageTest)
#include "datapage_test.moc"
