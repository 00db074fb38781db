// The settings dialog offscreen, over a scratch settings folder: what the user types and moves,
// and what OK and Cancel leave in Config.ini and on the main window.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "core/inidocument.h"
#include "core/valueforms.h"
#include "mnemonickey.h"
#include "record/recordtexts.h"
#include "settings/settingsdialog.h"
#include "settings/settingstexts.h"
#include "ui/controls/cmd.h"
#include "ui/controls/vtab.h"
#include "windows/shellstate.h"

using namespace korvan;

namespace {

void LeaveControl(QWidget* control) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(control, &out);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the dialog's actions were asked to do.
struct Recorded {
    int counterClears = 0;
    std::vector<std::array<int, 3>> adjustments;
    std::vector<bool> ideTool;
    std::vector<std::pair<int, bool>> associations;
};

SettingsActions RecordInto(Recorded& recorded) {
    SettingsActions actions;
    actions.ClearCounter = [&recorded] { ++recorded.counterClears; };
    actions.AdjustMainWindow = [&recorded](const std::array<int, 3>& p) {
        recorded.adjustments.push_back(p);
    };
    actions.SetIdeTool = [&recorded](bool on) { recorded.ideTool.push_back(on); };
    actions.SetAssociation = [&recorded](int row, bool on) {
        recorded.associations.emplace_back(row, on);
    };
    return actions;
}

}  // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QVERIFY(m_home.isValid());
        m_before = CurrentAppPaths();
        AppPaths paths = m_before;
        paths.AppPath = m_home.path() + "/";
        SetCurrentAppPaths(paths);
        QFile::remove(paths.configFile());
        QFile config(paths.configFile());
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(
            "[Config]\r\nComPort=2\r\nDownCount=9\r\nErrTim=30\r\nMaxBaud=19200\r\n"
            "ReCount=4\r\n[Color]\r\nOpen=True\r\nRed=10\r\nGreen=0\r\nBlue=-5\r\n");
        config.close();
        Shell() = ShellState();
        // No shipped sounds: what the dialog writes must not depend on the build tree.
        Shell().Config.set(LoadConfig(paths, {}, QString()));
    }
    void cleanup() { SetCurrentAppPaths(m_before); }

    void showsTheFourPages() {
        Recorded recorded;
        SettingsDialog dialog(LoadSettingsForm(Shell().Config.value(), false, {false, true}),
                              RecordInto(recorded));
        QCOMPARE(dialog.windowTitle(), settingstext::kCaption);
        QCOMPARE(dialog.tabs()->TabCount(), 4);
        QCOMPARE(dialog.secondsCombo()->currentText(), QStringLiteral("30 秒"));
        QCOMPARE(dialog.baudCombo()->currentText(), QStringLiteral("19200"));
        QCOMPARE(dialog.baudCombo()->count(), 10);  // the designed seven and three fast rates
        QCOMPARE(dialog.secondsCombo()->itemText(6), QStringLiteral("300 秒"));
        QCOMPARE(dialog.repeatCountBox()->text(), QStringLiteral("4"));
        QCOMPARE(dialog.sliderLabel(0)->text(), QStringLiteral("0.10"));
        QCOMPARE(dialog.slider(2)->toolTip(), QStringLiteral("-0.05"));
        QVERIFY(dialog.slider(1)->isEnabled());
        QCOMPARE(dialog.fileTypes()->topLevelItemCount(), 2);
        QCOMPARE(dialog.fileTypes()->topLevelItem(1)->checkState(0), Qt::Checked);
        QCOMPARE(dialog.previewed(), (std::array<int, 3>{10, 0, -5}));
    }

    void typedSecondsAreSavedAsTheirNumber() {
        Recorded recorded;
        SettingsDialog dialog(LoadSettingsForm(Shell().Config.value(), false, {}),
                              RecordInto(recorded));
        dialog.secondsCombo()->setCurrentText(QStringLiteral("45"));
        LeaveControl(dialog.secondsCombo()->lineEdit());
        QCOMPARE(dialog.secondsCombo()->currentText(), QStringLiteral("45 秒"));
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const IniDocument doc = IniDocument::load(CurrentAppPaths().configFile());
        QCOMPARE(doc.value("Config", "ErrTim"), std::optional<QString>("45"));
        QCOMPARE(Shell().Config.value().ErrTim, 45);
    }

    void repeatCountBelowOneBecomesOneOnLeaving() {
        for (const QString& typed : {QStringLiteral("0"), QStringLiteral("abc")}) {
            Recorded recorded;
            SettingsDialog dialog(LoadSettingsForm(Shell().Config.value(), false, {}),
                                  RecordInto(recorded));
            dialog.repeatCountBox()->setText(typed);
            LeaveControl(dialog.repeatCountBox());
            QCOMPARE(dialog.repeatCountBox()->text(), QStringLiteral("1"));
        }
    }

    void cancelAfterMovingASliderChangesNothing() {
        const QByteArray before = ReadFile(CurrentAppPaths().configFile());
        const ProgramConfig config = Shell().Config.value();
        Recorded recorded;
        SettingsDialog dialog(LoadSettingsForm(config, false, {}), RecordInto(recorded));
        dialog.slider(0)->setValue(60);
        QCOMPARE(dialog.sliderLabel(0)->text(), QStringLiteral("0.60"));
        QCOMPARE(dialog.slider(0)->toolTip(), QStringLiteral("0.60"));
        QCOMPARE(dialog.previewed(), (std::array<int, 3>{60, 0, -5}));
        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(ReadFile(CurrentAppPaths().configFile()), before);
        QCOMPARE(Shell().Config.value().Red, config.Red);
        QVERIFY(recorded.adjustments.empty());
        QVERIFY(recorded.associations.empty());
        QVERIFY(recorded.ideTool.empty());
    }

    void colourSwitchPreviewsWithOrWithoutTheSliders() {
        Recorded recorded;
        SettingsDialog dialog(LoadSettingsForm(Shell().Config.value(), false, {}),
                              RecordInto(recorded));
        dialog.colorSwitch()->setChecked(false);
        QVERIFY(!dialog.slider(0)->isEnabled());
        QCOMPARE(dialog.previewed(), (std::array<int, 3>{0, 0, 0}));
        dialog.colorSwitch()->setChecked(true);
        QVERIFY(dialog.slider(2)->isEnabled());
        QCOMPARE(dialog.previewed(), (std::array<int, 3>{10, 0, -5}));
    }

    void okWritesEveryKeyAndAppliesTheRest() {
        const ProgramConfig loaded = Shell().Config.value();
        Recorded recorded;
        SettingsDialog dialog(LoadSettingsForm(Shell().Config.value(), true, {true, false}),
                              RecordInto(recorded));
        dialog.baudCombo()->setCurrentText(QStringLiteral("115200"));
        dialog.repeatCountBox()->setText(QStringLiteral("7"));
        dialog.soundBox(0)->setText(CurrentAppPaths().AppPath + "ok.wav");
        dialog.soundBox(2)->setText(QStringLiteral("/tmp/err.wav"));
        dialog.slider(1)->setValue(25);
        QTest::mouseClick(dialog.untickAllButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        const IniDocument doc = IniDocument::load(CurrentAppPaths().configFile());
        const struct {
            const char* section;
            const char* key;
            QString value;
        } expected[] = {
            // not on the file before: written with the values opening showed
            {"Config", "OpenRts", BoolText(loaded.OpenRts)},
            {"Config", "OpenLast", BoolText(loaded.OpenLast)},
            {"Config", "AutoClose", BoolText(loaded.AutoClose)},
            {"Config", "Count", BoolText(loaded.Count)},
            {"Sound", "Open", BoolText(loaded.SoundOpen)},
            {"Config", "ErrTim", "30"},
            {"Config", "MaxBaud", "115200"},
            {"Config", "ReCount", "7"},
            {"Config", "DownCount", "9"},
            {"Config", "ComPort", "2"},
            {"Sound", "Msg0", "%AppPath%ok.wav"},
            {"Sound", "Msg1", ""},
            {"Sound", "Msg2", "/tmp/err.wav"},
            {"Color", "Open", "True"},
            {"Color", "Red", "10"},
            {"Color", "Green", "25"},
            {"Color", "Blue", "-5"},
        };
        for (const auto& e : expected)
            QVERIFY2(doc.value(e.section, e.key) == e.value,
                     qPrintable(QString("%1/%2 = %3")
                                    .arg(e.section, e.key, doc.read(e.section, e.key, "<none>"))));
        QCOMPARE(recorded.adjustments.size(), size_t(1));
        QCOMPARE(recorded.adjustments[0], (std::array<int, 3>{10, 25, -5}));
        QCOMPARE(recorded.ideTool, std::vector<bool>{true});
        QCOMPARE(recorded.associations,
                 (std::vector<std::pair<int, bool>>{{0, false}, {1, false}}));
    }

    // The database box is read at OK as the record reads it: a text it cannot use keeps the
    // dialog open on the general page, says why under the box and stores nothing.
    void databaseTextIsCheckedAtOk_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");   // [Production] Database afterwards
        QTest::addColumn<QString>("problem");  // under the box; "" = accepted
        QTest::newRow("empty: the local record") << " "
                                                 << "<none>"
                                                 << "";
        QTest::newRow("shared server") << " postgresql://line@db:6543/prod "
                                       << "postgresql://line@db:6543/prod"
                                       << "";
        QTest::newRow("a password") << "postgresql://line:secret@db/prod"
                                    << "<none>" << QString(record::text::kUrlPassword);
        QTest::newRow("unknown kind") << "mysql://db/prod"
                                      << "<none>" << record::text::UrlScheme("mysql://db/prod");
    }
    void databaseTextIsCheckedAtOk() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, problem);
        Recorded recorded;
        SettingsDialog dialog(LoadSettingsForm(Shell().Config.value(), false, {}),
                              RecordInto(recorded));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.tabs()->setSelected(3);
        dialog.databaseBox()->setText(typed);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        const IniDocument doc = IniDocument::load(CurrentAppPaths().configFile());
        QCOMPARE(doc.read("Production", "Database", "<none>"), stored);
        if (problem.isEmpty()) {
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(!dialog.databaseProblem()->isVisible());
            return;
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.tabs()->Selected(), 0);
        QVERIFY(dialog.databaseProblem()->isVisible());
        QCOMPARE(dialog.databaseProblem()->toolTip(), problem);
        const QString shown = dialog.databaseProblem()->text();
        QVERIFY2(shown == problem || problem.startsWith(shown.chopped(1)), qPrintable(shown));
        QCOMPARE(dialog.databaseBox()->selectedText(), typed);
        QVERIFY(recorded.adjustments.empty());
        // Typing again takes the problem away; a good text then closes the dialog.
        dialog.databaseBox()->clear();
        QTest::keyClicks(dialog.databaseBox(), QStringLiteral("postgresql://line@db/prod"));
        QVERIFY(!dialog.databaseProblem()->isVisible());
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Shell().Config.value().Database, QStringLiteral("postgresql://line@db/prod"));
    }

    // The designed rates keep their order; the fast ones follow and are stored as chosen.
    void fastRatesAreOfferedAfterTheDesignedOnesAndStored() {
        for (const char* rate : {"230400", "460800", "921600"}) {
            Recorded recorded;
            SettingsDialog dialog(LoadSettingsForm(Shell().Config.value(), false, {}),
                                  RecordInto(recorded));
            QStringList offered;
            for (int i = 0; i < dialog.baudCombo()->count(); ++i)
                offered << dialog.baudCombo()->itemText(i);
            QCOMPARE(offered, QStringList({"1200", "4800", "9600", "19200", "38400", "57600",
                                           "115200", "230400", "460800", "921600"}));
            dialog.baudCombo()->setCurrentIndex(offered.indexOf(rate));
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            QCOMPARE(IniDocument::load(CurrentAppPaths().configFile()).value("Config", "MaxBaud"),
                     QString(rate));
            QCOMPARE(Shell().Config.value().MaxBaud, QString(rate).toInt());
            // Opened again, the dialog shows the stored rate.
            SettingsDialog again(LoadSettingsForm(Shell().Config.value(), false, {}),
                                 RecordInto(recorded));
            QCOMPARE(again.baudCombo()->currentText(), QString(rate));
        }
    }

    void okWithTheColoursOffRestoresTheMainWindow() {
        Recorded recorded;
        SettingsDialog dialog(LoadSettingsForm(Shell().Config.value(), false, {}),
                              RecordInto(recorded));
        dialog.colorSwitch()->setChecked(false);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(recorded.adjustments, (std::vector<std::array<int, 3>>{{0, 0, 0}}));
        QVERIFY(!Shell().Config.value().ColorOpen);
    }

    void tickAllAndClearCounter() {
        Recorded recorded;
        SettingsDialog dialog(LoadSettingsForm(Shell().Config.value(), false, {false, false}),
                              RecordInto(recorded));
        QTest::mouseClick(dialog.tickAllButton(), Qt::LeftButton);
        for (int i = 0; i < 2; ++i)
            QCOMPARE(dialog.fileTypes()->topLevelItem(i)->checkState(0), Qt::Checked);
        QTest::mouseClick(dialog.clearCounterButton(), Qt::LeftButton);
        QCOMPARE(recorded.counterClears, 1);
    }

    // Every captioned button answers its own Alt key: the keys differ within a page (the
    // dialog's own buttons included), and a key presses the button of the page shown.
    void everyCaptionedButtonHasItsOwnAltKey() {
        Recorded recorded;
        SettingsDialog dialog(LoadSettingsForm(Shell().Config.value(), false, {false, false}),
                              RecordInto(recorded));
        const auto pageOf = [&dialog](const QWidget* button) {
            for (int i = 0; i < dialog.pages().size(); ++i)
                if (dialog.pages()[i]->isAncestorOf(button)) return i;
            return -1;  // the dialog's own
        };
        QCOMPARE(dialog.pages().size(), dialog.tabs()->TabCount());
        for (int page = 0; page < dialog.tabs()->TabCount(); ++page) {
            QSet<QString> keys;
            for (kui::Cmd* button : dialog.findChildren<kui::Cmd*>()) {
                const QString caption = button->Caption();
                if (caption == settingstext::kBrowse) continue;  // no words, no key
                // The tabs are chosen with the mouse, as their captions are fixed.
                if (pageOf(button) == -1 && dialog.tabs()->isAncestorOf(button)) continue;
                if (pageOf(button) != page && pageOf(button) != -1) continue;
                const QKeySequence key = QKeySequence::mnemonic(caption);
                QVERIFY2(!key.isEmpty(), qPrintable(caption));
                QVERIFY2(!keys.contains(key.toString()), qPrintable(caption));
                keys.insert(key.toString());
            }
        }

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.tabs()->setSelected(0);
        PressAltKey(&dialog, Qt::Key_L);
        QCOMPARE(recorded.counterClears, 1);
        dialog.tabs()->setSelected(2);
        PressAltKey(&dialog, Qt::Key_Q);
        for (int i = 0; i < 2; ++i)
            QCOMPARE(dialog.fileTypes()->topLevelItem(i)->checkState(0), Qt::Checked);
        PressAltKey(&dialog, Qt::Key_B);
        for (int i = 0; i < 2; ++i)
            QCOMPARE(dialog.fileTypes()->topLevelItem(i)->checkState(0), Qt::Unchecked);
        // The clear-counter button's page is hidden now: its key does nothing.
        PressAltKey(&dialog, Qt::Key_L);
        QCOMPARE(recorded.counterClears, 1);
    }

  private:
    QTemporaryDir m_home;
    AppPaths m_before;
};

QTEST_MAIN(SettingsDialogTest)
#include "settingsdialog_test.moc"
