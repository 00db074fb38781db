#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/controls/cmd.h"
#include "ui/core/latebind.h"
#include "ui/core/skinobject.h"
#include "ui/skin/skin.h"

using namespace kui;

namespace {

QStringList pluginDirs() {
    return {QStringLiteral(KORVAN_SKIN_LIB_DIR)};
}

}  // namespace

class TestSkinEngine : public QObject {
    Q_OBJECT

  private slots:
    void createdByClassName() {
        SkinEngine engine(CreateSkinObject(kSkinClassName, kSkinFileName, pluginDirs()));
        QVERIFY(engine.isValid());
        QCOMPARE(engine.SkinCount(), 4);
        QCOMPARE(engine.SkinName(0, 2052), QString::fromUtf8("海洋蓝"));
        QCOMPARE(engine.SkinName(2, 2052), QString::fromUtf8("翡翠绿"));
        QCOMPARE(engine.SkinName(1, 1033), QString("Graphite"));
        QCOMPARE(engine.SkinName(4, 2052), QString());
        QCOMPARE(engine.SkinName(-1, 2052), QString());
    }

    void unknownClassOrMissingLibraryGivesNothing() {
        QVERIFY(!CreateSkinObject("Skin.other", kSkinFileName, pluginDirs()));
        QTemporaryDir empty;
        const int windows = int(QApplication::topLevelWidgets().size());
        QVERIFY(!CreateSkinObject(kSkinClassName, kSkinFileName, {empty.path()}, empty.path()));
        QVERIFY(!CreateSkinObject(kSkinClassName, kSkinFileName, {}));
        // The application folder is the last place tried.
        QVERIFY(
            CreateSkinObject(kSkinClassName, kSkinFileName, {empty.path()}, pluginDirs().first()));
        // An absent engine offers no skins and leaves windows alone, without a message.
        SkinEngine none;
        QCOMPARE(none.SkinCount(), 0);
        QCOMPARE(none.SkinName(0, 2052), QString());
        QVERIFY(!none.setSkinType(0));
        QWidget w;
        QCOMPARE(none.ChangeSkin(&w), &w);
        QCOMPARE(int(QApplication::topLevelWidgets().size()), windows + 1);
    }

    void changeSkinReskinsFrameAndControls() {
        SkinEngine engine(CreateSkinObject(kSkinClassName, kSkinFileName, pluginDirs()));
        QVERIFY(engine.isValid());
        QWidget form;
        auto* skin = new Skin(&form);
        auto* button = new Cmd(&form);
        button->setGeometry(20, 60, 80, 24);
        form.resize(320, 220);
        form.show();
        const QSize client = skin->clientRect().size();
        const QRgb blueTitle = form.grab().toImage().pixel(160, 15);

        QVERIFY(engine.setSkinType(2));
        QCOMPARE(engine.ChangeSkin(&form), &form);
        QCOMPARE(skin->property("Tag").toInt(), 2);
        QCOMPARE(skin->clientRect().size(), client);
        const QColor jade = form.grab().toImage().pixelColor(160, 15);
        QVERIFY(jade.rgb() != blueTitle);
        QVERIFY(jade.green() > jade.red() && jade.green() > jade.blue());
        // The colour set reached the window's controls and the frame itself.
        QCOMPARE(skin->clrMenuStart(), OleColor(0x00FFFFFF));
        QVERIFY(skin->clrMenuEnd() != OleColor(0x00FFB595));
        QCOMPARE(button->BorderColor(), skin->clrMenuBorder());

        // A skin number the engine does not have leaves the window as it is.
        QVERIFY(engine.setSkinType(9));
        engine.ChangeSkin(&form);
        QCOMPARE(form.grab().toImage().pixelColor(160, 15), jade);
    }

    void lateBindingConvertsArguments() {
        QWidget form;
        auto* skin = new Skin(&form);
        QVERIFY(invokeByName(skin, "ChangeLocate", {"9", 8, 12, 40.0, 2}).has_value());
        QCOMPARE(skin->IconLeft(), 9);
        QCOMPARE(skin->MenuTop(), 40);
        QVERIFY(!invokeByName(skin, "ChangeLocate", {1, 2}).has_value());
        QVERIFY(!invokeByName(skin, "NoSuchMethod").has_value());
        QVERIFY(!invokeByName(nullptr, "Refresh").has_value());
        QVERIFY(hasMethod(skin, "ChangePicture", 5));
    }
};

QTEST_MAIN(TestSkinEngine)
#include "test_skinengine.moc"
