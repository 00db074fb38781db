// The increment page over its owner: the input rules of the address and number boxes, the
// preview in either notation, the owner's changes reaching the boxes, and the lock while a
// download runs.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "main/incrementpage.h"

using namespace korvan;

namespace {

const QDateTime kNow(QDate(2009, 12, 7), QTime(8, 15, 30));

}  // namespace

class IncrementPageTest : public QObject {
    Q_OBJECT

  private slots:
    void typingFollowsTheInputRules_data() {
        QTest::addColumn<bool>("address");  // the address box, else the number box
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");  // while typing
        QTest::addColumn<QString>("left");   // after Enter
        QTest::addColumn<qint64>("value");   // what the owner holds
        const struct {
            const char* name;
            bool address;
            const char *typed, *shown, *left;
            qint64 value;
        } rows[] = {
            {"address in lower case", true, "f0", "F0", "00F0", 0xF0},
            {"address refuses non-hex", true, "g1z", "1", "0001", 1},
            {"address keeps the last four", true, "12345", "12345", "2345", 0x2345},
            {"number refuses letters", false, "12ab3", "123", "123", 123},
            {"number loses its zeros", false, "0042", "0042", "42", 42},
            {"number has no sign", false, "-5", "5", "5", 5},
            {"number stays in range", false, "1234567890", "123456789", "123456789", 123456789},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.address << QString(r.typed) << QString(r.shown)
                                  << QString(r.left) << r.value;
    }
    void typingFollowsTheInputRules() {
        QFETCH(bool, address);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, left);
        QFETCH(qint64, value);
        UserSettingsOwner owner;
        IncrementPage page(owner, [] { return kNow; });
        QLineEdit* box = address ? page.addressBox() : page.nextBox();
        box->clear();
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), shown);
        // Each edit reaches the owner at once, before the box is left.
        QCOMPARE(address ? qint64(owner.value().IncAddress) : owner.value().IncNext, value);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), left);
    }

    void thePreviewShowsTheFormatsBytes() {
        UserSettingsOwner owner;
        owner.update([](UserSettings& s) {
            s.IncNext = 5;
            s.IncFormat = QStringLiteral("%NL3");
        });
        IncrementPage page(owner, [] { return kNow; });
        QVERIFY(page.hexOption()->isChecked());
        QCOMPARE(page.previewBox()->text(), QStringLiteral("00 00 05"));
        QCOMPARE(page.countLabel()->text(), QStringLiteral("3 Bytes"));
        page.decimalOption()->click();
        QCOMPARE(page.previewBox()->text(), QStringLiteral("#000 #000 #005"));
        page.hexOption()->click();
        page.formatBox()->clear();
        QTest::keyClicks(page.formatBox(), QStringLiteral("%D 1"));
        QCOMPARE(owner.value().IncFormat, QStringLiteral("%D 1"));
        QCOMPARE(page.previewBox()->text(), QStringLiteral("09 0C 07 01"));
        QCOMPARE(page.countLabel()->text(), QStringLiteral("4 Bytes"));
        for (const QString& text :
             {QStringLiteral("增量起始地址："), QStringLiteral("* 十六进制(0000-FFFF*)"),
              QStringLiteral("数据格式："), QStringLiteral("下一个增量(N)："),
              QStringLiteral("* 0-999999999 (4 Bytes)")}) {
            bool found = false;
            for (const QLabel* label : page.findChildren<QLabel*>()) found |= label->text() == text;
            QVERIFY2(found, qPrintable(text));
        }
    }

    void theOwnersChangesReachTheBoxes() {
        UserSettingsOwner owner;
        IncrementPage page(owner, [] { return kNow; });
        QCOMPARE(page.nextBox()->text(), QStringLiteral("1"));
        QCOMPARE(page.addressBox()->text(), QStringLiteral("FFFC"));
        owner.update([](UserSettings& s) {
            s.IncOpen = true;
            s.IncNext = 77;
            s.IncAddress = 0xF000;
        });
        QVERIFY(page.switchBox()->isChecked());
        QCOMPARE(page.nextBox()->text(), QStringLiteral("77"));
        QCOMPARE(page.addressBox()->text(), QStringLiteral("F000"));
        QCOMPARE(page.previewBox()->text(), QStringLiteral("00 00 00 4D"));
        // And the switch goes to the owner.
        page.switchBox()->click();
        QVERIFY(!owner.value().IncOpen);
    }

    void aDownloadLocksTheFields() {
        UserSettingsOwner owner;
        IncrementPage page(owner, [] { return kNow; });
        const QList<QWidget*> locked{page.switchBox(), page.addressBox(), page.formatBox(),
                                     page.nextBox()};
        page.setDownloading(true);
        for (QWidget* w : locked) QVERIFY(!w->isEnabled());
        QVERIFY(page.hexOption()->isEnabled());  // the preview's notation is no setting
        page.setDownloading(false);
        for (QWidget* w : locked) QVERIFY(w->isEnabled());
    }
};

QTEST_MAIN(IncrementPageTest)
#include "incrementpage_test.moc"
