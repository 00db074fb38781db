#include <QMainWindow>
#include <QMenuBar>
#include <QSignalSpy>
#include <QtTest>

#include "rendercheck.h"
#include "ui/controls/vsmenu.h"
#include "ui/controls/vsmenustyle.h"
#include "ui/core/propertybag.h"

using namespace kui;
using kui::test::at;

class TestVsMenu : public QObject {
    Q_OBJECT

  private:
    QMainWindow* m_host = nullptr;
    QMenu* m_file = nullptr;
    QAction* m_checked = nullptr;
    QAction* m_plain = nullptr;
    QAction* m_disabled = nullptr;
    VsMenu* m_vs = nullptr;

    QImage popupAndGrab(QAction* active) {
        m_file->popup(m_host->mapToGlobal(QPoint(20, 40)));
        m_file->setActiveAction(active);
        return m_file->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

  private slots:
    void init() {
        m_host = new QMainWindow;
        m_host->resize(400, 300);
        m_file = m_host->menuBar()->addMenu("文件(&F)");
        m_checked = m_file->addAction("自动下载(&A)");
        m_checked->setCheckable(true);
        m_checked->setChecked(true);
        m_plain = m_file->addAction("打开(&O)\tCtrl+O");
        m_file->addSeparator();
        m_disabled = m_file->addAction("保存");
        m_disabled->setEnabled(false);
        m_file->addMenu("历史文件记录")->addAction("&1 暂无记录");
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host));
        m_vs = new VsMenu;
        QVERIFY(m_vs->Init(m_host));
    }
    void cleanup() {
        delete m_vs;
        m_vs = nullptr;
        delete m_host;
        m_host = nullptr;
    }

    void attachesBarAndMenus() {
        QCOMPARE(m_vs->MenuBar(), m_host->menuBar());
        QCOMPARE(m_host->menuBar()->style(), m_vs->Style());
        QCOMPARE(m_file->style(), m_vs->Style());
        // A menu built after Init is adopted when it is first polished.
        QMenu* later = m_host->menuBar()->addMenu("帮助");
        later->addAction("关于");
        later->popup(QPoint(10, 10));
        QCOMPARE(later->style(), m_vs->Style());
        later->hide();
    }

    void highlightedItemFrameAndBackground() {
        const QImage image = popupAndGrab(m_plain);
        const QRect item = m_file->actionGeometry(m_plain);
        const VsMenuColors& c = m_vs->Colors();
        QCOMPARE(at(image, item.left() + 1, item.center().y()), c.selMenuBorder);
        QCOMPARE(at(image, item.center().x(), item.top()), c.selMenuBorder);
        QCOMPARE(at(image, item.left() + 3, item.top() + 2), c.selMenuBack);
        // The pop-up frame and an unhighlighted item's background.
        QCOMPARE(at(image, 0, image.height() / 2), c.menuBorder);
        const QRect other = m_file->actionGeometry(m_checked);
        QCOMPARE(at(image, other.right() - 4, other.top() + 2), c.menuBack);
    }

    void checkFieldColours() {
        const VsMenuColors& c = m_vs->Colors();
        const int field = 4;  // inside the check field, clear of the mark
        QImage image = popupAndGrab(m_plain);
        QRect item = m_file->actionGeometry(m_checked);
        QCOMPARE(at(image, item.left() + field, item.top() + 3), c.checkBack);
        QCOMPARE(at(image, item.left() + 3, item.top() + 2), c.selMenuBorder);
        image = popupAndGrab(m_checked);
        QCOMPARE(at(image, item.left() + field, item.top() + 3), c.selCheckBack);
    }

    void disabledItemHighlightFollowsSelectDisabled() {
        const VsMenuColors& c = m_vs->Colors();
        const QRect item = m_file->actionGeometry(m_disabled);
        QImage image = popupAndGrab(m_disabled);
        QCOMPARE(at(image, item.left() + 1, item.center().y()), resolveColor(c.disabledMenuBorder));
        QCOMPARE(at(image, item.left() + 3, item.top() + 2), c.disabledMenuBack);
        m_file->hide();
        m_vs->setSelectDisabled(false);
        image = popupAndGrab(m_disabled);
        QCOMPARE(at(image, item.left() + 3, item.top() + 2), c.menuBack);
    }

    void changeColorRedraws() {
        VsMenuColors colors = m_vs->Colors();
        colors.selMenuBorder = rgb(255, 0, 0);
        colors.selMenuBack = rgb(0, 255, 0);
        m_vs->ChangeColor(colors);
        const QImage image = popupAndGrab(m_plain);
        const QRect item = m_file->actionGeometry(m_plain);
        QCOMPARE(at(image, item.left() + 1, item.center().y()), rgb(255, 0, 0));
        QCOMPARE(at(image, item.left() + 3, item.top() + 2), rgb(0, 255, 0));
    }

    void menuBarGradient() {
        m_vs->ChangeColor(SysMenuText, rgb(255, 255, 255), rgb(0, 0, 200), rgb(106, 140, 203),
                          true);
        QMenuBar* bar = m_host->menuBar();
        const QImage image = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int x = image.width() - 3;
        QCOMPARE(at(image, x, 0), rgb(255, 255, 255));
        QCOMPARE(at(image, x, image.height() - 1), rgb(0, 0, 200));
        m_vs->setShowMenuBarGradient(false);
        const QImage flat = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(at(flat, x, 0), at(flat, x, flat.height() - 1));
    }

    void highlightEventFollowsTheMenu() {
        QSignalSpy highlight(m_vs, &VsMenu::Highlight);
        m_file->popup(m_host->mapToGlobal(QPoint(20, 40)));
        m_file->setActiveAction(m_plain);
        QVERIFY(!highlight.isEmpty());
        QCOMPARE(highlight.last().first().toString(), QString("打开(O)"));
        m_file->hide();
        QTRY_COMPARE(highlight.last().first().toString(), QString());
    }

    void rightClickOnItem() {
        QSignalSpy right(m_vs, &VsMenu::ItemRightClick);
        m_file->popup(m_host->mapToGlobal(QPoint(20, 40)));
        const QRect item = m_file->actionGeometry(m_plain);
        QTest::mouseMove(m_file, item.center());
        QTest::mouseRelease(m_file, Qt::RightButton, {}, item.center());
        QCOMPARE(right.count(), 1);
        QCOMPARE(right.first().first().toString(), QString("打开(O)"));
    }

    void widgetsGetTheirStyleBackWhenDetached() {
        delete m_vs;
        m_vs = nullptr;
        QVERIFY(m_file->style() != nullptr);
        QVERIFY(!qobject_cast<VsMenuStyle*>(m_file->style()));
        QVERIFY(!qobject_cast<VsMenuStyle*>(m_host->menuBar()->style()));
        m_file->popup(QPoint(10, 10));  // must not touch a deleted style
        m_file->hide();
    }

    void propertiesRoundTrip() {
        PropertyBag bag;
        m_vs->WriteProperties(bag);
        QVERIFY2(bag.isEmpty(), qPrintable(bag.storedNames().join(",")));
        m_vs->setMenuBack(rgb(1, 2, 3));
        m_vs->setBitmapSize(20);
        m_vs->setShowMenuBarGradient(true);
        m_vs->WriteProperties(bag);
        QCOMPARE(bag.storedNames().size(), 3);
        VsMenu copy;
        copy.ReadProperties(bag);
        QCOMPARE(copy.MenuBack(), rgb(1, 2, 3));
        QCOMPARE(copy.BitmapSize(), 20);
        QVERIFY(copy.ShowMenuBarGradient());
        QCOMPARE(copy.SelMenuBorder(), rgb(49, 106, 197));
    }
};

QTEST_MAIN(TestVsMenu)
#include "test_vsmenu.moc"
