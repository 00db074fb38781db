// The chip information tree: lines under the right top line, icons, clearing.
#include <QSignalSpy>
#include <QtTest>

#include "windows/chiptreeview.h"

using namespace korvan;

class ChipTreeViewTest : public QObject {
    Q_OBJECT

  private slots:
    void childrenHangUnderTheLatestTopLine() {
        ChipTreeView tree;
        tree.AddTreeLine("A", kIconCore, false);
        tree.AddTreeLine("a1", kIconLine, true);
        tree.AddTreeLine("B", kIconOptions, false);
        tree.AddTreeLine("b1", kIconLine, true);
        tree.AddTreeLine("b2", kIconNoOptions, true);
        QCOMPARE(tree.topLevelItemCount(), 2);
        QCOMPARE(tree.topLevelItem(0)->childCount(), 1);
        QCOMPARE(tree.topLevelItem(1)->childCount(), 2);
        QVERIFY(tree.topLevelItem(1)->isExpanded());
        QCOMPARE(tree.lines(), QStringList({"A", "  a1", "B", "  b1", "  b2"}));
    }

    void aChildBeforeAnyTopLineStandsAtTheTop() {
        ChipTreeView tree;
        tree.AddTreeLine("orphan", kIconLine, true);
        tree.AddTreeLine("child", kIconLine, true);
        QCOMPARE(tree.lines(), QStringList({"orphan", "  child"}));
    }

    void showsTheLinesOfAChipWithTheirIcons() {
        ChipTreeView tree;
        QPixmap red(16, 16);
        red.fill(Qt::red);
        tree.setIcons({{kIconCore, QIcon(red)}});
        jobs::ChipRecord chip;
        chip.model = "ZEL51D103";
        chip.version = "4.3C";
        chip.cpu = 11059200;
        chip.flash = 4096;
        chip.memory = 256;
        chip.eeprom = 1536;
        tree.ShowChipInfo(chip);
        QCOMPARE(tree.lines(),
                 QStringList({"MCU 内核", "  MCU 型号：  ZEL51D103", "  MCU 版本：  4.3C",
                              "  MCU 频率：  11.059200 MHz", "  存储空间：  4096 B  (4 KB)",
                              "  内存空间：  256 Bytes", "  EEPROM  ：  1536 B  (2 KB)", "MCU 选项",
                              "  此型号不支持用户选项"}));
        const QImage given = tree.topLevelItem(0)->icon(0).pixmap(16, 16).toImage();
        QCOMPARE(given.pixelColor(8, 8), QColor(Qt::red));
        QVERIFY(!tree.topLevelItem(1)->child(0)->icon(0).isNull());  // drawn for number 11
        // Shown again, the tree starts afresh.
        tree.ShowChipInfo(chip);
        QCOMPARE(tree.topLevelItemCount(), 2);
    }

    void aCheckCountsDownInItsWaitLine() {
        ChipTreeView tree;
        tree.ShowCheckStart(30);
        QCOMPARE(tree.lines(), QStringList({"检测单片机启动标志... 30"}));
        tree.ShowCheckWait(29);
        QCOMPARE(tree.lines(), QStringList({"等待启动标志... 29"}));
    }

    void doubleClickClearsOnlyWhileNoCheckRuns() {
        ChipTreeView tree;
        tree.resize(300, 200);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        bool checkRunning = true;
        tree.setClearAllowed([&] { return !checkRunning; });
        tree.ShowCheckStart(30);
        const QPoint first = tree.visualItemRect(tree.topLevelItem(0)).center();
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(tree.topLevelItemCount(), 1);
        checkRunning = false;
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(tree.topLevelItemCount(), 0);
    }
};

QTEST_MAIN(ChipTreeViewTest)
#include "chiptreeview_test.moc"
