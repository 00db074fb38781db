#include <QSignalSpy>
#include <QtTest>

#include "rendercheck.h"
#include "ui/controls/cmd.h"
#include "ui/controls/vtab.h"
#include "ui/core/propertybag.h"

using namespace kui;
using kui::test::at;
using kui::test::render;

namespace {
const QChar kSep(1);
QString entry(const QString& caption, bool enabled) {
    return caption + kSep + (enabled ? "1" : "0");
}
}  // namespace

class TestVTab : public QObject {
    Q_OBJECT

  private:
    QWidget* m_window = nullptr;
    vTab* m_tab = nullptr;

  private slots:
    void init() {
        m_window = new QWidget;
        m_window->resize(500, 300);
        m_tab = new vTab(m_window);
        m_tab->setGeometry(10, 10, 400, 200);
        m_tab->setTabList({{"常规下载", true}, {"自定下载", true}, {"MCU 选项", true}});
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() {
        delete m_window;
        m_window = nullptr;
    }

    void selectedAssignment_data() {
        QTest::addColumn<int>("disabledTab");
        QTest::addColumn<int>("assign");
        QTest::addColumn<int>("expected");
        QTest::newRow("99 means the last tab") << -1 << 99 << 2;
        QTest::newRow("plain") << -1 << 1 << 1;
        QTest::newRow("disabled keeps the selection") << 1 << 1 << 0;
        QTest::newRow("99 on a disabled last tab") << 2 << 99 << 0;
        QTest::newRow("same tab") << -1 << 0 << 0;
    }
    void selectedAssignment() {
        QFETCH(int, disabledTab);
        QFETCH(int, assign);
        if (disabledTab >= 0) m_tab->Change(disabledTab, QString(), false);
        QSignalSpy selected(m_tab, &vTab::TabSelected);
        m_tab->setSelected(assign);
        QTEST(m_tab->Selected(), "expected");
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.first().first().toInt(), m_tab->Selected());
    }

    void onlyTheSelectedEnabledTabIsHeldDown() {
        m_tab->setSelected(1);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(m_tab->TabButton(i)->UserDown(), i == 1);
            QVERIFY(m_tab->TabButton(i)->Keep());
        }
        QCOMPARE(m_tab->TabButton(1)->CurrentState(), Cmd::StateDown);
    }

    void pressingATabSelectsIt() {
        QSignalSpy selected(m_tab, &vTab::TabSelected);
        Cmd* third = m_tab->TabButton(2);
        QTest::mouseClick(third, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(m_tab->Selected(), 2);
        QCOMPARE(selected.count(), 1);
        QVERIFY(third->UserDown());
        QVERIFY(!m_tab->TabButton(0)->UserDown());
        // Moving over the tab that was held down must not show it pressed any more.
        kui::test::hover(m_tab->TabButton(0), QPoint(5, 5));
        QCOMPARE(m_tab->TabButton(0)->CurrentState(), Cmd::StateHover);
    }

    void changeWithNullCaptionChangesOnlyTheFlag() {
        m_tab->Change(1, QString(), false);
        QCOMPARE(m_tab->TabList()[1].caption, QString("自定下载"));
        QVERIFY(!m_tab->TabList()[1].enabled);
        QVERIFY(!m_tab->TabButton(1)->isEnabled());
        m_tab->Change(1, QString(""), true);
        QCOMPARE(m_tab->TabList()[1].caption, QString(""));
        QVERIFY(m_tab->TabList()[1].enabled);
        m_tab->Change(7, "nothing", true);
        QCOMPARE(m_tab->TabCount(), 3);
    }

    void tabsText() {
        QCOMPARE(m_tab->Tabs(), entry("常规下载", true) + ";" + entry("自定下载", true) + ";" +
                                    entry("MCU 选项", true));
        // A language text renames the tabs it reaches and keeps the rest.
        m_tab->setTabs("Normal;" + entry("Custom", false) + ";" + entry("Options", true) + ";" +
                       entry("Extra", true));
        QCOMPARE(m_tab->TabCount(), 3);
        QCOMPARE(m_tab->TabList()[0].caption, QString("Normal"));
        QVERIFY(m_tab->TabList()[0].enabled);
        QVERIFY(!m_tab->TabList()[1].enabled);
        m_tab->setTabs("Only");
        QCOMPARE(m_tab->TabList()[0].caption, QString("Only"));
        QCOMPARE(m_tab->TabList()[2].caption, QString("Options"));
    }

    void parseTabs_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<bool>>("enabled");
        QTest::newRow("default") << entry("Tab0", true) << QStringList{"Tab0"} << QList<bool>{true};
        QTest::newRow("two") << entry("a", false) + ";" + entry("b", true) << QStringList{"a", "b"}
                             << QList<bool>{false, true};
        QTest::newRow("empty") << QString() << QStringList{} << QList<bool>{};
        QTest::newRow("no flag") << "x;y" << QStringList{"x", "y"} << QList<bool>{true, true};
    }
    void parseTabs() {
        QFETCH(QString, text);
        QFETCH(QStringList, captions);
        QFETCH(QList<bool>, enabled);
        const auto tabs = vTab::parseTabs(text);
        QCOMPARE(tabs.size(), captions.size());
        for (int i = 0; i < tabs.size(); ++i) {
            QCOMPARE(tabs[i].caption, captions[i]);
            QCOMPARE(tabs[i].enabled, enabled[i]);
        }
    }

    void addAndRemove() {
        m_tab->Add("串口助手", true, -1);
        m_tab->Add("缓存数据", false, 3);
        QCOMPARE(m_tab->TabCount(), 5);
        QCOMPARE(m_tab->TabList()[3].caption, QString("缓存数据"));
        QCOMPARE(m_tab->TabList()[4].caption, QString("串口助手"));
        QCOMPARE(m_tab->TabButton(4)->x(), 2 + 4 * (70 + 8));
        QCOMPARE(m_tab->TabButton(4)->geometry().size(), QSize(70, 22));
        m_tab->setSelected(4);
        m_tab->Remove(4);
        QCOMPARE(m_tab->TabCount(), 4);
        QCOMPARE(m_tab->Selected(), 3);
        QVERIFY(m_tab->TabButton(4) == nullptr);
        m_tab->Remove(0);
        QCOMPARE(m_tab->TabList()[0].caption, QString("自定下载"));
        QCOMPARE(m_tab->TabButton(0)->Caption(), QString("自定下载"));
    }

    void pageGradientAndBorder() {
        m_tab->ChangeColor(rgb(200, 0, 0), rgb(255, 255, 255), rgb(0, 0, 255), rgb(255, 255, 255),
                           rgb(149, 181, 255), rgb(255, 255, 255), rgb(255, 215, 157),
                           rgb(254, 145, 78), rgb(255, 255, 255));
        const QImage image = render(*m_tab);
        const QRect page = m_tab->PageRect();
        QCOMPARE(page.top(), 1 + 22 - 1);
        QCOMPARE(at(image, 390, page.top()), rgb(200, 0, 0));
        QCOMPARE(at(image, 0, 100), rgb(200, 0, 0));
        QCOMPARE(at(image, 399, 100), rgb(200, 0, 0));
        QCOMPARE(at(image, 200, 199), rgb(200, 0, 0));
        // The selected tab opens into the page: no border line under it.
        QVERIFY(at(image, 30, page.top()) != rgb(200, 0, 0));
        QCOMPARE(at(image, 30 + 78, page.top()), rgb(200, 0, 0));
        m_tab->setShowBorder(false);
        const QImage bare = render(*m_tab);
        QVERIFY(at(bare, 0, 100) != rgb(200, 0, 0));
        QCOMPARE(at(bare, 300, page.top()), rgb(255, 255, 255));
        QCOMPARE(at(bare, 300, 199), rgb(0, 0, 255));
    }

    void propertiesRoundTrip() {
        PropertyBag bag;
        vTab fresh(m_window);
        fresh.WriteProperties(bag);
        QVERIFY2(bag.isEmpty(), qPrintable(bag.storedNames().join(",")));
        m_tab->Change(2, QString(), false);
        m_tab->setSelected(1);
        m_tab->setTabWidth(90);
        m_tab->WriteProperties(bag);
        vTab copy(m_window);
        copy.ReadProperties(bag);
        QCOMPARE(copy.Tabs(), m_tab->Tabs());
        QCOMPARE(copy.Selected(), 1);
        QCOMPARE(copy.TabWidth(), 90);
        QCOMPARE(copy.TabButton(2)->isEnabled(), false);
    }
};

QTEST_MAIN(TestVTab)
#include "test_vtab.moc"
