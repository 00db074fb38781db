// The language chosen in the View menu: kept in Config.ini, taken at once by every caption of
// the main window (Alt keys included), with Lang.ini's captions still over it, and back.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QtTest>

#include "core/inifile.h"
#include "core/programconfig.h"
#include "main/terminalpage.h"
#include "mainfixture.h"
#include "mnemonickey.h"
#include "stderrcapture.h"
#include "translations.h"
#include "ui/controls/cmd.h"
#include "ui/controls/frame.h"
#include "ui/controls/vtab.h"
#include "windows/chiptreeview.h"
#include "windows/shellstate.h"

using namespace korvan;
using namespace korvan::testing;

namespace {

const QRegularExpression kChinese(QStringLiteral("[\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));

// Every caption the window shows outside the ZEL control (whose texts are its own), as
// "kind name: text", so that a difference names its place.
QStringList CaptionsOf(MainWindow* window, QWidget* control) {
    QStringList shown;
    const auto outsideControl = [control](const QWidget* w) {
        return !control || (w != control && !control->isAncestorOf(w));
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!outsideControl(w)) continue;
        const QString where = QString::fromLatin1(w->metaObject()->className()) + ' ';
        if (auto* cmd = qobject_cast<kui::Cmd*>(w)) shown << where + cmd->Caption();
        if (auto* frame = qobject_cast<kui::Frame*>(w)) shown << where + frame->Caption();
        if (auto* tabs = qobject_cast<kui::vTab*>(w))
            for (const kui::vTab::TabEntry& tab : tabs->TabList()) shown << where + tab.caption;
        if (auto* button = qobject_cast<QAbstractButton*>(w)) shown << where + button->text();
        if (auto* label = qobject_cast<QLabel*>(w)) shown << where + label->text();
        if (!w->toolTip().isEmpty()) shown << where + w->toolTip();
    }
    for (QAction* top : window->menuBar()->actions()) {
        shown << QStringLiteral("menu ") + top->text();
        for (QAction* entry : top->menu()->actions()) {
            shown << QStringLiteral("entry ") + entry->text();
            if (entry->menu())
                for (QAction* sub : entry->menu()->actions())
                    shown << QStringLiteral("entry ") + sub->text();
        }
    }
    return shown;
}

QAction* LanguageEntry(MainWindow* window, const QString& name) {
    for (QAction* action : window->languageActions())
        if (action->text() == name) return action;
    return nullptr;
}

// What a caption of the window is now.
QString CaptionNow(MainWindow* window, const QString& which) {
    if (which == "CmdDown(0)") return window->downButton(0)->Caption();
    if (which == "CmdCheck(2)") return window->checkButton(2)->Caption();
    if (which == "Check1") return window->checkBox(1)->text();
    if (which == "first tab") return window->pageTabs()->TabList().at(0).caption;
    if (which == "option frame") return window->optionFrame()->Caption();
    if (which == "series list") return window->seriesList(1)->currentText();
    if (which == "chip option") {
        // zel.db's words, as the control reports an identified chip's options.
        jobs::ChipRecord chip;
        chip.model = QStringLiteral("ZEL51D103");
        chip.options = {QStringLiteral("MCU 时钟源：  内部RC振荡器")};
        window->chipTree()->ShowChipInfo(chip);
        return window->chipTree()->lines().last().trimmed();
    }
    if (which == "File menu") return window->menuBar()->actions().at(0)->text();
    if (which == "terminal send") {
        for (auto* b : window->terminalPage()->findChildren<QAbstractButton*>())
            if (b->text().contains('&')) return b->text();
    }
    return {};
}

}  // namespace

class MainLanguageTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { i18n::installTranslations(i18n::Language::Chinese); }

    // One caption of each kind: Chinese, English after View > English, Chinese again after
    // View > 中文. A Lang.ini text stays over both.
    void aCaptionFollowsTheLanguage_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QByteArray>("langIni");
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::newRow("CmdDown(0)") << "CmdDown(0)" << QByteArray() << "下载(&D)"
                                    << "&Download";
        QTest::newRow("CmdCheck(2)") << "CmdCheck(2)" << QByteArray() << "取消(&X)"
                                     << "Cancel (&X)";
        QTest::newRow("check box") << "Check1" << QByteArray() << "使用软启动命令(&U)"
                                   << "&Use a soft-start command";
        QTest::newRow("tab") << "first tab" << QByteArray() << "常规下载"
                             << "Log";
        QTest::newRow("frame") << "option frame" << QByteArray()
                               << "内核选项 - 若MCU不支持下面(部分或全部)参数则自动忽略"
                               << "Core options - options the MCU does not support are ignored";
        QTest::newRow("series list") << "series list" << QByteArray() << "ZEL51B 系列"
                                     << "ZEL51B series";
        QTest::newRow("chip option") << "chip option" << QByteArray()
                                     << "MCU 时钟源：  内部RC振荡器" << "Clock source: Internal RC";
        QTest::newRow("menu") << "File menu" << QByteArray() << "文件(&F)"
                              << "&File";
        QTest::newRow("terminal") << "terminal send" << QByteArray() << "发送(&N)"
                                  << "Se&nd";
        QTest::newRow("Lang.ini wins")
            << "CmdDown(0)" << QByteArray("[Lang]\n101=Go (&G)\n") << "Go (&G)"
            << "Go (&G)";
    }
    void aCaptionFollowsTheLanguage() {
        QFETCH(QString, which);
        QFETCH(QByteArray, langIni);
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        MainFixture fixture;
        QVERIFY(fixture.valid());
        fixture.writeConfig();
        if (!langIni.isEmpty()) fixture.writeFile(QStringLiteral("Lang.ini"), langIni);
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        QCOMPARE(CaptionNow(window, which), chinese);
        QVERIFY(LanguageEntry(window, QStringLiteral("中文"))->isChecked());

        LanguageEntry(window, QStringLiteral("English"))->trigger();
        QTRY_COMPARE(CaptionNow(window, which), english);
        QVERIFY(LanguageEntry(window, QStringLiteral("English"))->isChecked());
        QCOMPARE(ReadConfig(QStringLiteral("Config"), QStringLiteral("Language"), {}),
                 QStringLiteral("en"));

        LanguageEntry(window, QStringLiteral("中文"))->trigger();
        QTRY_COMPARE(CaptionNow(window, which), chinese);
        QCOMPARE(ReadConfig(QStringLiteral("Config"), QStringLiteral("Language"), {}),
                 QStringLiteral("zh"));
    }

    // In English the first download button still answers Alt+D, and what it says is English.
    void theDownloadButtonKeepsItsAltKeyInEnglish() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        fixture.writeConfig();
        MainWindow* window = fixture.shownWindow();
        QVERIFY(window);
        LanguageEntry(window, QStringLiteral("English"))->trigger();
        QTRY_COMPARE(window->downButton(0)->Caption(), QStringLiteral("&Download"));
        QVERIFY(QTest::qWaitForWindowActive(window));
        const QString said = StandardErrorOf([&] {
            PressAltKey(window, Qt::Key_D);
            QCoreApplication::processEvents();
        });
        QVERIFY2(said.contains(QStringLiteral("No file is open")), qPrintable(said));
    }

    // Every caption of the window (outside the ZEL control) leaves Chinese for English, and
    // comes back exactly; the choice is read again at the next start.
    void everyCaptionGoesToEnglishAndBack() {
        MainFixture fixture;
        QVERIFY(fixture.valid());
        fixture.writeConfig();
        MainWindow* window = fixture.openWindow();
        QVERIFY(window);
        QWidget* control =
            window->optionFrame()->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        const QStringList chinese = CaptionsOf(window, control);
        QVERIFY(chinese.filter(kChinese).size() > 60);

        LanguageEntry(window, QStringLiteral("English"))->trigger();
        QTRY_COMPARE(window->downButton(0)->Caption(), QStringLiteral("&Download"));
        QStringList left = CaptionsOf(window, control).filter(kChinese);
        left.removeAll(QStringLiteral("entry 中文"));  // each language is named in itself
        QVERIFY2(left.isEmpty(), qPrintable(left.join('\n')));

        LanguageEntry(window, QStringLiteral("中文"))->trigger();
        QTRY_COMPARE(window->downButton(0)->Caption(), QStringLiteral("下载(&D)"));
        // The same captions (a frame's tip of its whole caption comes and goes with its size).
        QStringList again = CaptionsOf(window, control);
        QStringList before = chinese;
        for (QStringList* list : {&again, &before}) {
            list->sort();
            list->removeDuplicates();
        }
        QCOMPARE(again, before);

        // The next window reads the choice from Config.ini.
        LanguageEntry(window, QStringLiteral("English"))->trigger();
        window = fixture.openWindow();
        QVERIFY(window);
        QCOMPARE(Shell().Config.value().Language, i18n::Language::English);
        QTRY_COMPARE(window->downButton(0)->Caption(), QStringLiteral("&Download"));
    }
};

QTEST_MAIN(MainLanguageTest)
#include "mainlanguage_test.moc"
