#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "ui/controls/cdialog.h"
#include "ui/controls/dialogfilter.h"

using namespace kui;

class TestCDialog : public QObject {
    Q_OBJECT

  private slots:
    void filterText_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("descriptions");
        QTest::addColumn<QStringList>("patterns");  // one entry per type, ";"-joined
        QTest::newRow("one wave type")
            << "声音波形文件(*.wav)|*.wav" << QStringList{"声音波形文件(*.wav)"}
            << QStringList{"*.wav"};
        QTest::newRow("two types, several patterns")
            << "代码文件|*.hex;*.bin|所有文件|*.*" << QStringList{"代码文件", "所有文件"}
            << QStringList{"*.hex;*.bin", "*.*"};
        QTest::newRow("trailing bar")
            << "文本|*.txt|" << QStringList{"文本"} << QStringList{"*.txt"};
        QTest::newRow("description only") << "任何" << QStringList{"任何"} << QStringList{"*"};
        QTest::newRow("empty") << "" << QStringList{} << QStringList{};
        QTest::newRow("spaces around")
            << " A | *.a ; *.b " << QStringList{"A"} << QStringList{"*.a;*.b"};
    }
    void filterText() {
        QFETCH(QString, filter);
        QFETCH(QStringList, descriptions);
        QFETCH(QStringList, patterns);
        const QList<FileFilter> parsed = parseFilter(filter);
        QCOMPARE(parsed.size(), descriptions.size());
        for (int i = 0; i < parsed.size(); ++i) {
            QCOMPARE(parsed[i].description, descriptions[i]);
            QCOMPARE(parsed[i].patterns.join(';'), patterns[i]);
        }
    }

    void nameFiltersKeepTheDescription() {
        const QStringList names = toNameFilters(parseFilter("代码文件|*.hex;*.bin"));
        QCOMPARE(names, QStringList{"代码文件 (*.hex *.bin)"});
    }

    void cancelledOpenLeavesFilename() {
        cDialog dialog;
        dialog.Filename = "/keep/this.hex";
        dialog.Filter = "声音波形文件(*.wav)|*.wav";
        int offered = -1;
        dialog.setDialogHook([&](QDialog* d) {
            auto* fd = qobject_cast<QFileDialog*>(d);
            QVERIFY(fd);
            QVERIFY(fd->testOption(QFileDialog::DontUseNativeDialog));
            offered = int(fd->nameFilters().size());
            QTimer::singleShot(0, d, &QDialog::reject);
        });
        QVERIFY(!dialog.ShowOpen());
        QCOMPARE(offered, 1);
        QCOMPARE(dialog.Filename, QString("/keep/this.hex"));
        QVERIFY(dialog.FileTitle.isEmpty());
    }

    void acceptedOpenSetsNameAndTitle() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("代码.hex");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(":00000001FF\n");
        file.close();
        cDialog dialog;
        dialog.InitDir = dir.path();
        dialog.Filter = "代码文件|*.hex|所有文件|*.*";
        dialog.FilterIndex = 2;
        QString selectedFilter;
        dialog.setDialogHook([&](QDialog* d) {
            auto* fd = qobject_cast<QFileDialog*>(d);
            selectedFilter = fd->selectedNameFilter();
            fd->selectFile(path);
            QTimer::singleShot(0, d, &QDialog::accept);
        });
        QVERIFY(dialog.ShowOpen());
        QCOMPARE(selectedFilter, QString("所有文件"));
        QCOMPARE(dialog.FilterIndex, 2);
        QCOMPARE(QFileInfo(dialog.Filename).canonicalFilePath(),
                 QFileInfo(path).canonicalFilePath());
        QCOMPARE(dialog.FileTitle, QString("代码.hex"));
    }

    void saveAddsTheDefaultExtension() {
        QTemporaryDir dir;
        cDialog dialog;
        dialog.InitDir = dir.path();
        dialog.DefaultExt = ".mcp";
        dialog.setDialogHook([&](QDialog* d) {
            auto* fd = qobject_cast<QFileDialog*>(d);
            QCOMPARE(fd->acceptMode(), QFileDialog::AcceptSave);
            QVERIFY(!fd->testOption(QFileDialog::DontConfirmOverwrite));
            fd->selectFile(dir.filePath("task"));
            QTimer::singleShot(0, d, &QDialog::accept);
        });
        QVERIFY(dialog.ShowSave());
        QCOMPARE(dialog.FileTitle, QString("task.mcp"));
    }

    void colourDialog() {
        cDialog dialog;
        dialog.rgbResult = 0x00112233;
        QColor initial;
        dialog.setDialogHook([&](QDialog* d) {
            auto* cd = qobject_cast<QColorDialog*>(d);
            initial = cd->currentColor();
            QTimer::singleShot(0, d, &QDialog::reject);
        });
        QVERIFY(!dialog.ShowColor());
        QCOMPARE(initial, QColor(0x33, 0x22, 0x11));
        QCOMPARE(dialog.rgbResult, OleColor(0x00112233));
        QCOMPARE(QColorDialog::customColor(15), QColor(255, 255, 255));
        dialog.setDialogHook([&](QDialog* d) {
            qobject_cast<QColorDialog*>(d)->setCurrentColor(QColor(10, 20, 30));
            QTimer::singleShot(0, d, &QDialog::accept);
        });
        QVERIFY(dialog.ShowColor());
        QCOMPARE(dialog.rgbResult, rgb(10, 20, 30));
    }

    void fontDialogReadsBack() {
        cDialog dialog;
        dialog.FontName = QFont().family();
        dialog.FontSize = 12;
        dialog.Italic = true;
        QFont offered;
        dialog.setDialogHook([&](QDialog* d) {
            auto* fd = qobject_cast<QFontDialog*>(d);
            offered = fd->currentFont();
            QTimer::singleShot(0, d, &QDialog::reject);
        });
        QVERIFY(!dialog.ShowFont());
        QVERIFY(offered.italic());
        QCOMPARE(offered.pointSizeF(), 12.0);
        QVERIFY(dialog.Italic);
        QFont chosen;
        dialog.setDialogHook([&](QDialog* d) {
            auto* fd = qobject_cast<QFontDialog*>(d);
            QFont f = offered;
            f.setBold(true);
            f.setItalic(false);
            f.setUnderline(true);
            f.setPointSizeF(10.5);
            fd->setCurrentFont(f);
            // What the dialog really offers (the font database decides which styles exist).
            chosen = fd->currentFont();
            QTimer::singleShot(0, d, &QDialog::accept);
        });
        QVERIFY(dialog.ShowFont());
        QCOMPARE(dialog.Bold, chosen.weight() >= QFont::Bold);
        QCOMPARE(dialog.Italic, chosen.italic());
        QVERIFY(dialog.Underline);
        QCOMPARE(dialog.FontSize, std::round(chosen.pointSizeF() * 10) / 10);
        QCOMPARE(dialog.FontName, chosen.family().left(79));
        QVERIFY(dialog.FontName.size() <= 79);
    }

    void helpWithoutFileFails() {
        cDialog dialog;
        QVERIFY(!dialog.ShowHelp());
        dialog.HelpFile = "/no/such/help.chm";
        QVERIFY(!dialog.ShowHelp());
    }

    void oneProcessWideInstance() { QCOMPARE(&cDialog::instance(), &cDialog::instance()); }
};

QTEST_MAIN(TestCDialog)
#include "test_cdialog.moc"
