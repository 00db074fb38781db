// The port menu of the main window over real devices: the refresh that hides an absent port,
// the device path beside each number, the presets that set the terminal's settings, and the
// terminal's port button that offers the menu without its refresh.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QtTest>

#include "core/inidocument.h"
#include "faketree.h"
#include "main/terminalpage.h"
#include "mainfixture.h"
#include "ptypeer.h"
#include "ui/controls/cmd.h"
#include "ui/skin/skin.h"
#include "windows/shellstate.h"

using namespace korvan;
using namespace korvan::testing;

class PortMenuTest : public QObject {
    Q_OBJECT

  private slots:
    void refreshHidesAConfiguredButAbsentPort() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        QVERIFY(fixture.startChip());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        QMenu* ports = window->menuBar()->actions().at(3)->menu();
        QAction* refresh = Entry(ports, QStringLiteral("更新端口"));
        QVERIFY(refresh);
        Shell().Config.update([](ProgramConfig& c) { c.ComPort = MainFixture::kNowherePort; });
        refresh->trigger();
        const QList<QAction*> entries = window->portActions();
        QVERIFY(!entries[MainFixture::kNowherePort - 1]->isVisible());
        QCOMPARE(Shell().Config.value().ComPort, 1);
        QVERIFY(entries[0]->isChecked());
        QVERIFY(entries[kSimPort - 1]->isVisible());
        QCOMPARE(entries[kSimPort - 1]->text(),
                 QStringLiteral("COM&%1  %2").arg(kSimPort).arg(fixture.path("chip")));
    }

    // At load the menu names the devices of [Ports] and offers those that are there, without
    // opening any; a kept port whose device is gone falls back to COM1 for this run only.
    void theMenuAtLoadListsTheMappedDevices_data() {
        QTest::addColumn<bool>("chipThere");
        QTest::addColumn<int>("port");
        QTest::newRow("device there") << true << kSimPort;
        QTest::newRow("device gone") << false << 1;
    }
    void theMenuAtLoadListsTheMappedDevices() {
        QFETCH(bool, chipThere);
        QFETCH(int, port);
        MainFixture fixture;
        QVERIFY(fixture.valid());
        if (chipThere) QVERIFY(fixture.startChip());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        const QList<QAction*> entries = window->portActions();
        QCOMPARE(entries[kSimPort - 1]->text(),
                 QStringLiteral("COM&%1  %2").arg(kSimPort).arg(fixture.path("chip")));
        QCOMPARE(entries[kSimPort - 1]->isVisible(), chipThere);
        QCOMPARE(entries[MainFixture::kChipAgainPort - 1]->isVisible(), chipThere);
        QVERIFY(!entries[MainFixture::kNowherePort - 1]->isVisible());
        QCOMPARE(Shell().Config.value().ComPort, port);
        QVERIFY(entries[port - 1]->isChecked());
        QCOMPARE(window->terminalPage()->portButton()->Caption(),
                 QStringLiteral("COM%1").arg(port));
        const IniDocument config = IniDocument::load(CurrentAppPaths().configFile());
        QCOMPARE(config.value("Config", "ComPort"),
                 std::optional<QString>(QString::number(kSimPort)));
    }

    // The terminal holds the old port: it closes before the change, so that the menu, the
    // terminal's button, the control and Config.ini all name the new one.
    void aPortChangeClosesTheOpenTerminalFirst() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        QVERIFY(fixture.startChip());
        Peer other;
        QVERIFY(other.valid());
        QVERIFY(QFile::link(other.path(), fixture.path(QStringLiteral("nothing"))));
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        TerminalPage* terminal = window->terminalPage();
        terminal->openTerminal(true, true);
        QVERIFY(terminal->terminalOpen());

        window->selectPort(MainFixture::kNowherePort);
        QVERIFY(!terminal->terminalOpen());
        QCOMPARE(Shell().Config.value().ComPort, MainFixture::kNowherePort);
        QVERIFY(window->portActions()[MainFixture::kNowherePort - 1]->isChecked());
        QCOMPARE(terminal->portButton()->Caption(),
                 QStringLiteral("COM%1").arg(MainFixture::kNowherePort));
        // The terminal opens on the new port now.
        terminal->openTerminal(true, true);
        QVERIFY(terminal->terminalOpen());
        terminal->hexBox()->setChecked(false);
        terminal->sendBox()->setPlainText(QStringLiteral("hi"));
        terminal->sendTerminal();
        QByteArray arrived;
        QTRY_VERIFY_WITH_TIMEOUT((arrived += other.read()).contains("hi"), 10000);
        terminal->openTerminal(true, false);
        QFile::remove(fixture.path(QStringLiteral("nothing")));
    }

    // Adapters plugged in and pulled out while the window is open: the menu follows within
    // the bound, names each adapter, and the selected one comes back under its number.
    void theMenuFollowsAdaptersPluggedAndPulled() {
        using kserial::testing::Ch340;
        using kserial::testing::Cp2102;
        kserial::testing::FakeTree tree;
        QVERIFY(tree.ok());
        Peer line;
        QVERIFY(line.valid());
        const QMap<int, QString> map = kserial::MSComm::portMap();
        kserial::MSComm::setScanDirectories(tree.devDir(), tree.sysTtyDir());
        auto restore = qScopeGuard([&] {
            kserial::MSComm::setScanDirectories(QStringLiteral("/dev"),
                                                QStringLiteral("/sys/class/tty"));
            kserial::MSComm::setPortMap(map);
        });
        MainFixture fixture;
        QVERIFY(fixture.valid());
        QVERIFY(fixture.startChip());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        const QList<QAction*> entries = window->portActions();
        QVERIFY(!entries[0]->isVisible());  // COM1, 4 and 5 are free for adapters

        kserial::testing::FakeAdapter ch340 = Ch340();
        ch340.node = line.path();
        QVERIFY(tree.plug(ch340) && tree.plug(Cp2102()));
        const QString ch340Caption =
            QStringLiteral("COM&1  %1  CH340 (1a86:7523)").arg(tree.device("ttyUSB0"));
        QTRY_COMPARE_WITH_TIMEOUT(entries[0]->text(), ch340Caption, 10000);
        QVERIFY(entries[0]->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(entries[3]->isVisible(), 10000);
        QCOMPARE(entries[3]->text(),
                 QStringLiteral("COM&4  %1  CP2102 USB to UART Bridge Controller (10c4:ea60)")
                     .arg(tree.device("ttyUSB1")));
        if (const QByteArray shots = qgetenv("KORVAN_SCREENSHOT_DIR"); !shots.isEmpty()) {
            QMenu* menu = window->menuBar()->actions().at(3)->menu();
            menu->popup(QPoint(0, 0));
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            menu->grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/portmenu.png"));
            menu->hide();
        }

        window->selectPort(1);
        QCOMPARE(Shell().Config.value().ComPort, 1);
        // Pulled out: the entry goes and the status bar says so.
        QVERIFY(tree.unplug(ch340));
        QTRY_VERIFY_WITH_TIMEOUT(!entries[0]->isVisible(), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(window->skin()->panelText(0),
                                  QStringLiteral("COM1 的串口适配器已断开"), 10000);
        // Back under another kernel name, it is COM1 again by its by-id name.
        ch340.tty = QStringLiteral("ttyUSB3");
        QVERIFY(tree.plug(ch340));
        QTRY_VERIFY_WITH_TIMEOUT(entries[0]->isVisible(), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(window->skin()->panelText(0),
                                  QStringLiteral("COM1 的串口适配器已重新连接"), 10000);
        QCOMPARE(entries[0]->text(),
                 QStringLiteral("COM&1  %1  CH340 (1a86:7523)").arg(tree.device("ttyUSB3")));
        QVERIFY(entries[0]->isChecked());
        QCOMPARE(Shell().Config.value().ComPort, 1);
    }

    void aPresetSetsTheTerminalsSettings() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        QMenu* ports = window->menuBar()->actions().at(3)->menu();
        QAction* presetsEntry = Entry(ports, QStringLiteral("常用协议  "));
        QVERIFY(presetsEntry && presetsEntry->menu());
        QAction* preset = Entry(presetsEntry->menu(), QStringLiteral("&5 19200,E,7,1"));
        QVERIFY(preset);
        preset->trigger();
        TerminalPage* terminal = window->terminalPage();
        QCOMPARE(terminal->settingsLabel()->text(), QStringLiteral("串口参数：19200,E,7,1"));
        QCOMPARE(terminal->combo(TerminalSettings::DataBits)->currentText(),
                 QStringLiteral("7 位"));
    }

    // The port settings stored with the reset command reach the terminal, and the terminal's
    // settings go back into them.
    void theStoredPortSettingsAreTheTerminals() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        fixture.writeConfig(QStringLiteral("[UserDown]\nRest=01 02;38400,O,7,2"));
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        TerminalPage* terminal = window->terminalPage();
        QCOMPARE(terminal->settingsLabel()->text(), QStringLiteral("串口参数：38400,O,7,2"));
        terminal->combo(TerminalSettings::Baud)->setCurrentIndex(0);
        window->close();
        QCOMPARE(window->workspace().settings().Rest, QStringLiteral("01 02;1200,O,7,2"));
    }
    void thePortButtonShowsThePortAndPopsTheMenuWithoutRefresh() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        QVERIFY(fixture.startChip());
        MainWindow* window = fixture.shownWindow();
        QVERIFY(window);
        kui::Cmd* button = window->terminalPage()->portButton();
        QCOMPARE(button->Caption(), QStringLiteral("COM%1").arg(kSimPort));
        window->selectPort(MainFixture::kChipAgainPort);
        QCOMPARE(button->Caption(), QStringLiteral("COM%1").arg(MainFixture::kChipAgainPort));

        QMenu* ports = window->menuBar()->actions().at(3)->menu();
        QAction* refresh = Entry(ports, QStringLiteral("更新端口"));
        const QList<QAction*> entries = ports->actions();
        QAction* separatorAbove = entries.at(entries.indexOf(refresh) - 1);
        QVERIFY(separatorAbove->isSeparator());
        emit button->Click();
        QTRY_VERIFY(ports->isVisible());
        QVERIFY(!refresh->isVisible() && !separatorAbove->isVisible());
        QVERIFY(Entry(ports, QStringLiteral("常用协议  "))->isVisible());
        ports->close();
        QTRY_VERIFY(!ports->isVisible());
        QVERIFY(refresh->isVisible() && separatorAbove->isVisible());
    }
    // The terminal's check boxes, period and send text come from the user settings and go
    // back into them.
    void theTerminalsOwnSettingsAreKept() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        fixture.writeConfig(QStringLiteral("[Comm]\nHex=0\nCrlf=0\nTimer=250\nSend=\"ab cd\"\n"));
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        TerminalPage* terminal = window->terminalPage();
        QVERIFY(!terminal->hexBox()->isChecked());
        QVERIFY(!terminal->lineBreakBox()->isChecked());
        QCOMPARE(terminal->periodBox()->text(), QStringLiteral("250"));
        QCOMPARE(terminal->sendBox()->toPlainText(), QStringLiteral("ab cd"));
        terminal->hexBox()->setChecked(true);
        terminal->periodBox()->setText(QStringLiteral("500"));
        emit terminal->periodBox()->editingFinished();
        terminal->sendBox()->setPlainText(QStringLiteral("12 34"));
        window->close();
        const IniDocument saved = IniDocument::load(CurrentAppPaths().configFile());
        QCOMPARE(saved.value("Comm", "Hex"), std::optional<QString>("1"));
        QCOMPARE(saved.value("Comm", "CrLf"), std::optional<QString>("0"));
        QCOMPARE(saved.value("Comm", "Timer"), std::optional<QString>("500"));
        QCOMPARE(saved.value("Comm", "Send"), std::optional<QString>("12 34"));
    }
};

QTEST_MAIN(PortMenuTest)
#include "portmenu_test.moc"
