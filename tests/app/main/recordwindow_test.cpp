// The production record's window over a real SQLite record: the latest rows on top, today's
// successes and failures counted, the rows exported as CSV, and a record that cannot be
// opened said instead of an empty table. A screenshot is kept to look at.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "main/recordwindow.h"
#include "record/recorddatabase.h"

using namespace korvan;

namespace {

record::ProductionRow Row(const QDateTime& ended, const char* result, qint64 serial) {
    record::ProductionRow r;
    r.endedAt = ended.toUTC();
    r.utcOffset = ended.offsetFromUtc();
    r.station = QStringLiteral("line-1");
    r.program = QStringLiteral("KORVAN");
    r.version = QStringLiteral("1.0.0");
    r.port = QStringLiteral("/dev/ttyUSB0");
    r.job = QStringLiteral("download");
    r.chipModel = QStringLiteral("ZELH64AD");
    r.chipId = QStringLiteral("D103");
    r.codeFile = QStringLiteral("board.hex");
    r.codeSha256 = QString(64, QLatin1Char('a'));
    r.serial = serial;
    r.task = QStringLiteral("board.mcp");
    r.result = QString::fromLatin1(result);
    if (r.result == QLatin1String("failed")) r.cause = QStringLiteral("单片机没有应答");
    r.durationMs = 2100;
    return r;
}

}  // namespace

class RecordWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheLatestRowsAndTodaysCounts() {
        QTemporaryDir dir;
        record::DatabaseUrl url;
        url.path = dir.path() + QStringLiteral("/record.sqlite");
        record::RecordDatabase db(url);
        QVERIFY2(db.open(), qPrintable(db.error()));
        const QDateTime now = QDateTime::currentDateTime();
        QVERIFY(db.insert({Row(now.addDays(-1), "ok", 1), Row(now, "ok", 2), Row(now, "failed", 3),
                           Row(now, "ok", 3)}));

        RecordWindow window(&db, {});
        auto* table = window.findChild<QTableWidget*>();
        auto* counts = window.findChild<QLabel*>();
        QVERIFY(table && counts);
        QCOMPARE(counts->text(), QStringLiteral("今日：成功 2 片，失败 1 片"));
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        // The latest on top: serial 3 that succeeded, after the failed try with it.
        enum { kSerial = 5, kResult = 6, kCause = 7, kSha = 12 };
        QCOMPARE(table->item(0, kSerial)->text(), QStringLiteral("3"));
        QCOMPARE(table->item(0, kResult)->text(), QStringLiteral("成功"));
        QCOMPARE(table->item(1, kResult)->text(), QStringLiteral("失败"));
        QCOMPARE(table->item(1, kCause)->text(), QStringLiteral("单片机没有应答"));
        QCOMPARE(table->item(3, kSerial)->text(), QStringLiteral("1"));
        // The local time of the row, and the full SHA-256 behind the shortened one.
        QCOMPARE(table->item(1, 0)->text(), now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        QCOMPARE(table->item(0, kSha)->toolTip(), QString(64, QLatin1Char('a')));

        const QString csv = dir.path() + QStringLiteral("/export.csv");
        QVERIFY(window.exportCsv(csv));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 6);  // header, four rows, and the end of the last line
        QVERIFY(lines[0].startsWith("ended_utc,"));

        // Every captioned button has its Alt key.
        for (QPushButton* button : window.findChildren<QPushButton*>())
            QVERIFY2(button->text().contains('&'), qPrintable(button->text()));

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString shots = qEnvironmentVariable("KORVAN_SHOTS_DIR");
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            QVERIFY(window.grab().save(shots + QStringLiteral("/production-record.png")));
        }
    }

    void anExportThatCannotBeWrittenSaysSo() {
        QTemporaryDir dir;
        record::DatabaseUrl url;
        url.path = dir.path() + QStringLiteral("/record.sqlite");
        record::RecordDatabase db(url);
        QVERIFY(db.open());
        RecordWindow window(&db, {});
        QVERIFY(QDir().mkpath(dir.path() + QStringLiteral("/taken.csv")));
        QVERIFY(!window.exportCsv(dir.path() + QStringLiteral("/taken.csv")));
        QVERIFY(window.findChild<QLabel*>()->text().contains(QStringLiteral("taken.csv")));
    }

    void aRecordThatCannotBeOpenedSaysWhy() {
        RecordWindow window(nullptr, QStringLiteral("生产记录无法打开：磁盘已满"));
        QCOMPARE(window.findChild<QLabel*>()->text(), QStringLiteral("生产记录无法打开：磁盘已满"));
        QCOMPARE(window.findChild<QTableWidget*>()->rowCount(), 0);
    }
};

QTEST_MAIN(RecordWindowTest)
#include "recordwindow_test.moc"
