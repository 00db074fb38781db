// Pictures of the main window after a download, every page of both tab strips, with both
// built-in skins, in Chinese and in English, saved into the build tree to be looked at.
#include <QDir>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

#include "main/datapage.h"
#include "main/incrementpage.h"
#include "main/terminalpage.h"
#include "mainfixture.h"
#include "translations.h"
#include "ui/controls/vtab.h"
#include "windows/shellstate.h"

using namespace korvan;
using namespace korvan::testing;

class MainScreenshots : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { i18n::installTranslations(i18n::Language::Chinese); }

    void everyPageWithBothSkins_data() {
        QTest::addColumn<bool>("english");
        QTest::newRow("Chinese") << false;
        QTest::newRow("English") << true;
    }
    void everyPageWithBothSkins() {
        QFETCH(bool, english);
        MainFixture fixture;
        QVERIFY(fixture.valid());
        fixture.writeConfig(english ? QStringLiteral("Language=en") : QString());
        const QString language = english ? QStringLiteral("en_") : QString();
        const QString hex =
            fixture.writeFile(QStringLiteral("demo.hex"), IntelHex(SampleCode(1500)));
        Shell().SkinNumber = 0;
        Shell().AppVersion = QStringLiteral("1.0");
        QVERIFY(fixture.startChip());
        MainWindow* window = fixture.shownWindow(ParseCommandLine(hex));
        QVERIFY(window);
        // After a download the log, the chip tree and the size boxes have something to show.
        QVERIFY(window->controller().DownloadAction(jobs::JobController::kDownload));
        QTRY_VERIFY_WITH_TIMEOUT(window->controller().quiet(), 60000);
        const QDir dir(QStringLiteral(KORVAN_SCREENSHOT_DIR));
        QVERIFY(dir.mkpath(QStringLiteral(".")));
        // The terminal with a conversation in it.
        window->terminalPage()->appendReceived(QStringLiteral("KORVAN demo 1.0\n你好, ZEL51\n"));
        window->terminalPage()->sendBox()->setPlainText(QStringLiteral("AT+VER?"));
        for (int skin = 0; skin < 2; ++skin) {
            window->chooseSkin(skin);
            const auto save = [&](const QString& name) {
                QCoreApplication::processEvents();
                const QString file = dir.filePath(
                    QStringLiteral("main_%1skin%2_%3.png").arg(language).arg(skin).arg(name));
                const QImage image = window->grab().toImage();
                QVERIFY(!image.isNull());
                QVERIFY(image.save(file));
            };
            for (int page : {0, 1, 3, 4}) {
                window->selectPage(page);
                save(QStringLiteral("page%1").arg(page));
            }
            // The grid's row editor open over the third row.
            window->selectPage(3);
            DataPage* data = window->dataPage();
            data->grid()->setCurrentIndex(data->grid()->model()->index(2, 1));
            data->beginEdit();
            save(QStringLiteral("page3_editing"));
            data->grid()->setFocus();
            for (int page = 0; page < 3; ++page) {
                window->selectOptionPage(page);
                save(QStringLiteral("options%1").arg(page));
            }
            // The smallest size the frame allows.
            const QSize normal = window->size();
            window->resize(window->minimumSize());
            QTRY_COMPARE(window->size(), window->minimumSize());
            for (int page : {0, 1, 3, 4}) {
                window->selectPage(page);
                save(QStringLiteral("min_page%1").arg(page));
            }
            for (int page = 0; page < 3; ++page) {
                window->selectOptionPage(page);
                save(QStringLiteral("min_options%1").arg(page));
            }
            // The increment page's last rows, scrolled into view.
            auto* scroll = window->incrementPage()->findChild<QScrollArea*>();
            QVERIFY(scroll);
            scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
            save(QStringLiteral("min_options2_end"));
            scroll->verticalScrollBar()->setValue(0);
            window->resize(normal);
        }
    }
};

QTEST_MAIN(MainScreenshots)
#include "screenshots_test.moc"
