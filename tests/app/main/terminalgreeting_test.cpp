// The example firmware downloaded through the main window into zel-sim, which runs it in s51:
// the after-download action "APP" with "OPENCOM" opens the terminal, and the firmware's
// greeting arrives in the receive box, letter for letter.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "main/datapage.h"
#include "main/terminalpage.h"
#include "mainfixture.h"
#include "ui/controls/cmd.h"
#include "ui/controls/vtab.h"
#include "zelsim/programrunner.h"

using namespace korvan;
using namespace korvan::testing;

namespace {

const QString kGreeting = QStringLiteral("Hello from KORVAN!");

// The box shows each line end the firmware sends as one; a terminal opened in the middle of a
// greeting sees its end first.
bool HoldsOnlyGreetings(const QString& shown, int* complete) {
    const QStringList lines = shown.split(QLatin1Char('\n'));
    *complete = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool first = i == 0, last = i == lines.size() - 1;
        if (first && !last && !kGreeting.endsWith(lines[i])) return false;
        if (first && last && !kGreeting.endsWith(lines[i]) && !kGreeting.startsWith(lines[i]))
            return false;
        if (!first && last && !kGreeting.startsWith(lines[i])) return false;
        if (!first && !last && lines[i] != kGreeting) return false;
        if (!last && lines[i] == kGreeting) ++*complete;
    }
    return true;
}

}  // namespace

class TerminalGreetingTest : public QObject {
    Q_OBJECT

  private slots:
    void theFirmwareGreetsInTheReceiveBoxAfterTheDownload() {
        if (!zelsim::ProgramRunner::available()) QSKIP("s51 is not installed");
        MainFixture fixture;
        QVERIFY(fixture.valid());
        fixture.writeConfig(
            QStringLiteral("[UserDown]\nRun=1\nExe=APP\nCmd=OPENCOM\n"
                           "[Comm]\nHex=0\n"));
        // The chip's port is there before the window lists the ports.
        QVERIFY(fixture.startRunningChip());
        MainWindow* window = fixture.shownWindow(ParseCommandLine(QStringLiteral(BLINK_HEX)));
        QVERIFY(window);
        TerminalPage* terminal = window->terminalPage();
        QVERIFY(!terminal->terminalOpen());

        kui::Cmd* download = window->downButton(jobs::JobController::kDownload);
        QTest::mouseClick(download, Qt::LeftButton, {}, download->rect().center());
        // While the job has the port, nothing on the page can use it.
        QVERIFY(!terminal->openButton()->isEnabled() && !terminal->portButton()->isEnabled() &&
                !terminal->hexBox()->isEnabled() && !terminal->autoSendBox()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(terminal->terminalOpen(), 120000);
        QVERIFY(terminal->openButton()->isEnabled() && terminal->portButton()->isEnabled() &&
                terminal->hexBox()->isEnabled() && terminal->autoSendBox()->isEnabled());
        QCOMPARE(window->pageTabs()->Selected(), DataPage::kTerminalPage);

        QTRY_VERIFY_WITH_TIMEOUT((terminal->flushReceived(),
                                  terminal->receiveBox()->toPlainText().contains(kGreeting + '\n')),
                                 120000);
        const QString shown = terminal->receiveBox()->toPlainText();
        int complete = 0;
        QVERIFY2(HoldsOnlyGreetings(shown, &complete), qPrintable(shown));
        QVERIFY2(complete > 0, qPrintable(shown));
    }
};

QTEST_MAIN(TerminalGreetingTest)
#include "terminalgreeting_test.moc"
