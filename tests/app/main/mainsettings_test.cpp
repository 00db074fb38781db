// The main window's Tools menu: the settings dialog it opens and the on-top choice it keeps;
// the custom download page's reset sequence, kept in Config.ini.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>
#include <functional>

#include "core/inidocument.h"
#include "core/resetsequence.h"
#include "mainfixture.h"
#include "settings/settingsdialog.h"
#include "stderrcapture.h"
#include "ui/controls/cmd.h"
#include "windows/chiptreeview.h"
#include "windows/shellstate.h"

using namespace korvan;
using namespace korvan::testing;

namespace {

// Opens the settings dialog from the Tools menu, lets `choose` set its controls and presses OK.
bool AnswerSettings(MainWindow* window, const std::function<void(SettingsDialog*)>& choose) {
    QMenu* tools = window->menuBar()->actions().at(4)->menu();
    QAction* settings = nullptr;
    for (QAction* action : tools->actions())
        if (action->text() == QStringLiteral("选项(&O)")) settings = action;
    if (!settings) return false;
    bool opened = false;
    // The dialog lets pending events run before it exists: answer it once it is modal.
    std::function<void()> answer = [&] {
        auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(0, window, answer);
            return;
        }
        opened = true;
        choose(dialog);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    };
    QTimer::singleShot(0, window, answer);
    settings->trigger();
    return opened;
}

}  // namespace

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
        QAction* topMost = nullptr;
        for (QAction* action : tools->actions())
            if (action->text() == QStringLiteral("窗口置顶")) topMost = action;
        QVERIFY(AnswerSettings(window, [](SettingsDialog* dialog) {
            dialog->secondsCombo()->setCurrentText(QStringLiteral("45"));
        }));
        QCOMPARE(Shell().Config.value().ErrTim, 45);
        QCOMPARE(IniDocument::load(CurrentAppPaths().configFile()).value("Config", "ErrTim"),
                 std::optional<QString>("45"));

        QVERIFY(topMost);
        const bool before = topMost->isChecked();
        topMost->trigger();
        QCOMPARE(Shell().TopMost, !before);
        QCOMPARE(IniDocument::load(CurrentAppPaths().configFile()).value("Config", "SetTop"),
                 std::optional<QString>(before ? "False" : "True"));
    }
    // OK in the settings dialog reaches the next job with no restart: the wait for the chip,
    // the highest rate and the repeat limit.
    void settingsDialogOkReachesTheNextJob() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        const QString hex = fixture.writeFile(QStringLiteral("fw.hex"), IntelHex(SampleCode(64)));
        // The port is offered at load only when its device is there.
        QVERIFY(fixture.startChipForSeveral());
        MainWindow* window = fixture.shownWindow(ParseCommandLine(hex));
        QVERIFY(window);
        QVERIFY(AnswerSettings(window, [](SettingsDialog* dialog) {
            dialog->secondsCombo()->setCurrentText(QStringLiteral("7"));
            dialog->baudCombo()->setCurrentText(QStringLiteral("9600"));
            dialog->repeatCountBox()->setText(QStringLiteral("2"));
        }));

        // The check buttons are on the chip page, and shown only with it.
        window->selectOptionPage(1);
        kui::Cmd* check = window->checkButton(jobs::JobController::kCheck);
        QTest::mouseClick(check, Qt::LeftButton, {}, check->rect().center());
        // The countdown starts at the new wait.
        QVERIFY2(window->chipTree()->lines().contains(QStringLiteral("检测单片机启动标志... 7")),
                 qPrintable(window->chipTree()->lines().join('|')));
        QTRY_VERIFY_WITH_TIMEOUT(window->controller().quiet() && check->isEnabled(), 60000);

        kui::Cmd* repeat = window->downButton(jobs::JobController::kRepeat);
        QTest::mouseClick(repeat, Qt::LeftButton, {}, repeat->rect().center());
        QTRY_VERIFY_WITH_TIMEOUT(window->controller().quiet() && repeat->isEnabled(), 120000);
        const QString log = LogTexts(window->logView()).join('\n');
        QVERIFY2(log.contains(QStringLiteral("设置波特率：9600bps")), qPrintable(log));
        QVERIFY2(!log.contains(QStringLiteral("115200bps")), qPrintable(log));
        QVERIFY2(log.contains(QStringLiteral("共 2 次重复下载已全部完成")), qPrintable(log));
        QCOMPARE(log.count(QStringLiteral("次下载成功完成")), 2);
    }

    void customPageKeepsTheResetSequence() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        fixture.writeConfig(QStringLiteral("ResetSeq=dtr-power"));
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        auto* box = window->findChild<QComboBox*>(QStringLiteral("cboResetSeq"));
        QVERIFY(box);
        QCOMPARE(box->currentText(), QStringLiteral("dtr-power"));
        const ResetSequence power{
            {ResetStep::Kind::Dtr, 0}, {ResetStep::Kind::Wait, 300}, {ResetStep::Kind::Dtr, 1}};
        QCOMPARE(window->controller().settings().resetSequence, power);

        // The user's own steps: in force for the next job and saved at once.
        box->setEditText(QStringLiteral("R1,W50,D1"));
        emit box->lineEdit()->editingFinished();
        const ResetSequence own{
            {ResetStep::Kind::Rts, 1}, {ResetStep::Kind::Wait, 50}, {ResetStep::Kind::Dtr, 1}};
        QCOMPARE(window->controller().settings().resetSequence, own);
        QCOMPARE(IniDocument::load(CurrentAppPaths().configFile()).value("Config", "ResetSeq"),
                 std::optional<QString>("R1,W50,D1"));

        // A bad text is refused with its reason (the message window, answered by the fixture's
        // KORVAN_MESSAGE_ANSWER, prints it); the last good choice stays.
        const QString shown = StandardErrorOf([&] {
            box->setEditText(QStringLiteral("R1,W50,D2"));
            emit box->lineEdit()->editingFinished();
        });
        QVERIFY2(shown.contains(QStringLiteral(
                     "KORVAN message 11 : 复位序列第 9 个字符：DTR 电平只能是 0 或 1")),
                 qPrintable(shown));
        QCOMPARE(box->currentText(), QStringLiteral("R1,W50,D1"));
        QCOMPARE(window->controller().settings().resetSequence, own);

        // A window opened later finds the choice again.
        window = fixture.openWindow();
        QVERIFY(window);
        box = window->findChild<QComboBox*>(QStringLiteral("cboResetSeq"));
        QCOMPARE(box->currentText(), QStringLiteral("R1,W50,D1"));
        QCOMPARE(window->controller().settings().resetSequence, own);
    }

    void olderConfigWithoutTheKeyHasNoResetSequence() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        auto* box = window->findChild<QComboBox*>(QStringLiteral("cboResetSeq"));
        QVERIFY(box);
        QCOMPARE(box->currentText(), QString());
        QVERIFY(window->controller().settings().resetSequence.empty());
    }
};

QTEST_MAIN(MainSettingsTest)
#include "mainsettings_test.moc"
