// The main window's Tools menu: the settings dialog it opens and the on-top choice it keeps.
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>
#include <functional>

#include "core/inidocument.h"
#include "mainfixture.h"
#include "settings/settingsdialog.h"
#include "ui/controls/cmd.h"
#include "windows/shellstate.h"

using namespace korvan;
using korvan::testing::MainFixture;

class MainSettingsTest : public QObject {
    Q_OBJECT

  private slots:
    void toolsMenuOpensTheSettingsAndKeepsTheTopMostChoice() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        QMenu* tools = window->menuBar()->actions().at(4)->menu();
        QVERIFY(tools);
        QAction* settings = nullptr;
        QAction* topMost = nullptr;
        for (QAction* action : tools->actions()) {
            if (action->text() == QStringLiteral("选项(&O)...")) settings = action;
            if (action->text() == QStringLiteral("窗口置顶")) topMost = action;
        }
        QVERIFY(settings && settings->isEnabled());
        bool opened = false;
        // The dialog lets pending events run before it exists: answer it once it is modal.
        std::function<void()> answer = [&] {
            auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                QTimer::singleShot(0, window, answer);
                return;
            }
            opened = true;
            dialog->secondsCombo()->setCurrentText(QStringLiteral("45"));
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        };
        QTimer::singleShot(0, window, answer);
        settings->trigger();
        QVERIFY(opened);
        QCOMPARE(Shell().Config.ErrTim, 45);
        QCOMPARE(IniDocument::load(CurrentAppPaths().configFile()).value("Config", "ErrTim"),
                 std::optional<QString>("45"));

        QVERIFY(topMost);
        const bool before = topMost->isChecked();
        topMost->trigger();
        QCOMPARE(Shell().TopMost, !before);
        QCOMPARE(IniDocument::load(CurrentAppPaths().configFile()).value("Config", "SetTop"),
                 std::optional<QString>(before ? "False" : "True"));
    }
};

QTEST_MAIN(MainSettingsTest)
#include "mainsettings_test.moc"
