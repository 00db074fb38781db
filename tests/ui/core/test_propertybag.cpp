#include <QFont>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/core/colorrule.h"
#include "ui/core/propertybag.h"

using namespace kui;

class TestPropertyBag : public QObject {
    Q_OBJECT

  private slots:
    void valueEqualToDefaultIsNotStored() {
        PropertyBag bag;
        QVERIFY(bag.writeProperty("Skin", 1, 0));
        QVERIFY(bag.isStored("Skin"));
        QVERIFY(bag.writeProperty("Skin", 0, 0));  // back to the default: the entry goes
        QVERIFY(!bag.isStored("Skin"));
        QVERIFY(!bag.writeProperty("Enabled", true, true));
        QVERIFY(bag.isEmpty());
        QCOMPARE(bag.readProperty("Skin", 0).toInt(), 0);
    }

    void readReturnsDefaultWhenMissingOrUnreadable() {
        PropertyBag bag(QVariantMap{{"IconLeft", "abc"}, {"MenuTop", "40"}});
        QCOMPARE(bag.readProperty("IconLeft", 7).toInt(), 7);
        QCOMPARE(bag.readProperty("MenuTop", 31).toInt(), 40);
        QCOMPARE(bag.readProperty("Nothing", QString("x")).toString(), QString("x"));
    }

    void declaredDefaultsServeOneArgumentCalls() {
        PropertyBag bag;
        bag.setDefault("BackColor", uint(SysWindow));
        QCOMPARE(bag.readProperty("BackColor").toUInt(), uint(SysWindow));
        bag.writeProperty("BackColor", uint(0x00FF00));
        QCOMPARE(bag.readProperty("BackColor").toUInt(), 0x00FF00u);
        bag.writeProperty("BackColor", uint(SysWindow));
        QVERIFY(!bag.isStored("BackColor"));
    }

    void settingsRoundTripKeepsOnlyChangedValues() {
        QTemporaryDir dir;
        const QString file = dir.filePath("form.ini");
        PropertyBag bag;
        bag.writeProperty("Skin", 1, 0);
        bag.writeProperty("ControlB", false, true);
        bag.writeProperty("Panels", QString("a%#@50"), QString());
        bag.writeProperty("clrTitle", uint(SysCaptionText), uint(SysCaptionText));
        QFont font("DejaVu Sans", 11);
        bag.writeProperty("Font", font, QFont());
        {
            QSettings s(file, QSettings::IniFormat);
            s.setValue("Skin1/Stale", 5);  // a property reset earlier must not survive a save
            bag.save(s, "Skin1");
        }
        QSettings s(file, QSettings::IniFormat);
        PropertyBag back;
        back.load(s, "Skin1");
        QCOMPARE(back.storedNames().size(), 4);
        QVERIFY(!back.isStored("Stale"));
        QVERIFY(!back.isStored("clrTitle"));
        QCOMPARE(back.readProperty("Skin", 0).toInt(), 1);
        QCOMPARE(back.readProperty("ControlB", true).toBool(), false);
        QCOMPARE(back.readProperty("Panels", QString()).toString(), QString("a%#@50"));
        QCOMPARE(back.readProperty("Font", QFont()).value<QFont>().family(),
                 QString("DejaVu Sans"));
    }

    void booleanTextIsReadStrictly() {
        PropertyBag bag(QVariantMap{{"A", "True"}, {"B", "0"}, {"C", "maybe"}});
        QCOMPARE(bag.readProperty("A", false).toBool(), true);
        QCOMPARE(bag.readProperty("B", true).toBool(), false);
        QCOMPARE(bag.readProperty("C", true).toBool(), true);  // damaged: the default
    }

    void mapRoundTrip() {
        PropertyBag bag;
        bag.writeProperty("Skin", 2, 0);
        const PropertyBag copy(bag.toMap());
        QCOMPARE(copy.readProperty("Skin", 0).toInt(), 2);
    }
};

QTEST_MAIN(TestPropertyBag)
#include "test_propertybag.moc"
