#include <QApplication>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include "synthskin.h"
#include "ui/core/propertybag.h"
#include "ui/core/twips.h"
#include "ui/skin/skin.h"
#include "ui/skin/skinbutton.h"
#include "ui/skin/skinpanels.h"

using namespace kui;

namespace {

// A shown, framed window of a given size.
struct Framed {
    QWidget form;
    Skin* skin;
    explicit Framed(QSize size = QSize(400, 300)) {
        skin = new Skin(&form);
        form.resize(size);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
};

QColor pixelAt(QWidget& w, QPoint p) {
    return w.grab().toImage().pixelColor(p);
}

QString panels(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* i : items) list << QString::fromUtf8(i);
    return list.join(kPanelSeparator);
}

}  // namespace

class TestSkin : public QObject {
    Q_OBJECT

  private slots:
    void frameMakesTheWindowFrameless() {
        Framed f;
        QVERIFY(f.form.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(f.skin->geometry(), f.form.rect());
        QVERIFY(f.skin->isInitialised());
    }

    void replacedWindowFlagsGetTheFrameRemovedAgain() {
        Framed f;
        f.form.setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
        f.form.show();
        QTRY_VERIFY(f.form.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(f.form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QTRY_VERIFY(f.form.isVisible());
    }

    void minimumSizeComesFromTheFrameParts() {
        Framed f;
        const QSize expected(f.skin->leftWidth() + f.skin->rightWidth(),
                             f.skin->topHeight() + f.skin->bottomHeight());
        QCOMPARE(expected, QSize(8, 54));  // skin 0: borders 4 + 4, title 30 + status 24
        QCOMPARE(f.form.minimumSize(), expected);
    }

    void getSizeMayRaiseTheMinimum() {
        QWidget form;
        auto* skin = new Skin(&form);
        connect(skin, &Skin::GetSize, skin, [](int&, int& top, int&, int&, int& w, int& h) {
            QCOMPARE(top, 0);
            w = 200;
            h = 120;
        });
        form.show();
        QCOMPARE(form.minimumSize(), QSize(200, 120));
        QCOMPARE(skin->minimumFrameSize(), QSize(200, 120));
    }

    void panelCodes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<uint>("color");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("format");
        QTest::newRow("plain") << "Ready"
                               << "Ready" << uint(kNoColor) << -1 << 1;
        QTest::newRow("no options") << "COM1%#"
                                    << "COM1" << uint(kNoColor) << -1 << 1;
        QTest::newRow("colour") << "Err%##FF"
                                << "Err" << 0xFFu << -1 << 1;
        QTest::newRow("width") << "A%#@120"
                               << "A" << uint(kNoColor) << 120 << 1;
        QTest::newRow("format") << "B%#%2"
                                << "B" << uint(kNoColor) << -1 << 2;
        QTest::newRow("all three") << "C%##00FF00;@50;%0"
                                   << "C" << 0xFF00u << 50 << 0;
        QTest::newRow("bad values ignored") << "D%##zz;@x;%"
                                            << "D" << uint(kNoColor) << -1 << 1;
    }
    void panelCodes() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(uint, color);
        QFETCH(int, width);
        QFETCH(int, format);
        const QVector<StatusPanel> p = parsePanels(text);
        QCOMPARE(p.size(), 1);
        QCOMPARE(p[0].text, shown);
        QCOMPARE(p[0].color, OleColor(color));
        QCOMPARE(p[0].width, width);
        QCOMPARE(p[0].format, format);
        QCOMPARE(joinPanels(p), text.endsWith("%#") ? shown : text);
    }

    void panelsLayOutFromTheRight() {
        const QFont font;
        const QFontMetrics fm(font);
        const QVector<StatusPanel> p = parsePanels(panels({"Ready%#%2", "COM1%#@60", "12:30"}));
        QCOMPARE(p.size(), 3);
        const QVector<PanelPlace> places = layoutPanels(p, fm, 500, 280, 296);
        const int clockWidth = fm.horizontalAdvance("12:30") + 20;
        QCOMPARE(places[2].rect, QRect(500 - clockWidth, 280, clockWidth, 16));
        QCOMPARE(places[1].rect, QRect(500 - clockWidth - 60, 280, 60, 16));
        // The first panel takes the rest down to x = 6 and is always left-aligned.
        QCOMPARE(places[0].rect.left(), 6);
        QCOMPARE(places[0].rect.right(), places[1].rect.left() - 1);
        QCOMPARE(places[0].format, 0);
        QVERIFY(!places[0].separator);
        QVERIFY(places[1].separator);
        QCOMPARE(places[1].textRect, places[1].rect.adjusted(8, 0, -8, 0));
    }

    void panelTextKeepsOptions() {
        Framed f;
        f.skin->setPanels(panels({"Ready", "Count: 1%##FF;@80"}));
        QVERIFY(f.skin->setPanelText(1, "Count: 2"));
        QCOMPARE(f.skin->Panels(), panels({"Ready", "Count: 2%##FF;@80"}));
        QCOMPARE(f.skin->panelText(1), QString("Count: 2"));
        QVERIFY(!f.skin->setPanelText(5, "x"));
    }

    void resizeReportsTheClientAreaInTwips() {
        QWidget form;
        auto* skin = new Skin(&form);
        form.show();
        QSignalSpy resize(skin, &Skin::Resize);
        form.resize(300, 200);
        QVERIFY(resize.count() >= 1);
        const QList<QVariant> last = resize.last();
        const int t = twipsPerPixelX(skin);
        QCOMPARE(last[0].toInt(), 4 * t);
        QCOMPARE(last[1].toInt(), 30 * t);
        QCOMPARE(last[2].toInt(), (300 - 8) * t);
        QCOMPARE(last[3].toInt(), (200 - 54) * t);
        QCOMPARE(skin->clientRect(), QRect(4, 30, 292, 146));
        QCOMPARE(form.contentsMargins(), QMargins(4, 30, 4, 24));
    }

    void changeSkinKeepsTheClientSize() {
        QTemporaryDir dir;
        SynthSkin synth;
        QVERIFY(synth.save(dir.path()));
        Framed f(QSize(400, 300));
        const QSize client = f.skin->clientRect().size();
        QCOMPARE(client, QSize(392, 246));
        f.skin->ChangePicture(dir.filePath("custom.png"), dir.filePath("custom_mask.png"), "",
                              false, false);
        QCOMPARE(f.skin->property("Tag").toInt(), 2);
        QCOMPARE(f.skin->topHeight(), synth.top);
        QCOMPARE(f.skin->leftWidth(), synth.left);
        QCOMPARE(f.skin->rightWidth(), synth.right);
        QCOMPARE(f.skin->bottomHeight(), synth.bottom);
        QCOMPARE(f.form.size(), QSize(392 + 6 + 7, 246 + 40 + 20));
        QCOMPARE(f.skin->clientRect().size(), client);

        // Clearing the custom pictures returns to the skin number in Tag, same client size.
        f.skin->ChangePicture("", dir.filePath("missing.png"), "", false, true);
        QCOMPARE(f.skin->topHeight(), 30);
        QCOMPARE(f.skin->clientRect().size(), client);

        // Without keepClientSize the window keeps its size.
        f.skin->ChangePicture(dir.filePath("custom.png"), dir.filePath("custom_mask.png"), "",
                              false, false);
        const QSize before = f.form.size();
        f.skin->ChangeSkin(false);
        QCOMPARE(f.form.size(), before);
    }

    void emptyPictureFileClearsThePicture() {
        QTemporaryDir dir;
        SynthSkin synth;
        QVERIFY(synth.save(dir.path()));
        QFile empty(dir.filePath("empty.png"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        Framed f;
        f.skin->ChangePicture(dir.filePath("custom.png"), dir.filePath("empty.png"), "", false,
                              false);
        QVERIFY(f.skin->MaskPicture().isNull());
        QCOMPARE(f.skin->topHeight(), 30);  // no complete custom pair: built-in skin
    }

    void skinNumberAboveTwoIsTwoAndMirroredIntoTag() {
        Framed f;
        f.skin->setSkinNumber(7);
        QCOMPARE(f.skin->SkinNumber(), 2);
        QCOMPARE(f.skin->property("Tag").toInt(), 2);
        QCOMPARE(f.skin->topHeight(), 30);  // no custom pictures: drawn as skin 0
        f.skin->setProperty("Tag", 1);
        f.skin->ChangeSkin(true);
        QCOMPARE(f.skin->SkinNumber(), 1);
    }

    void titleButtonsRaiseClickControl() {
        Framed f;
        QSignalSpy click(f.skin, &Skin::ClickControl);
        SkinButton* min = f.skin->titleButton(Skin::MinButton);
        QVERIFY(min->isVisible());
        // Cancelled: the window stays as it is.
        auto c = connect(f.skin, &Skin::ClickControl, f.skin,
                         [](bool& proceed, int) { proceed = false; });
        QTest::mouseClick(min, Qt::LeftButton);
        QCOMPARE(click.count(), 1);
        QCOMPARE(click[0][1].toInt(), int(Skin::MinButton));
        QVERIFY(!f.form.isMinimized());
        disconnect(c);
        // A release outside the button is no click.
        QTest::mousePress(min, Qt::LeftButton);
        QTest::mouseRelease(min, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(click.count(), 1);
        // Disabled buttons do nothing.
        min->setEnabled(false);
        QTest::mouseClick(min, Qt::LeftButton);
        QCOMPARE(click.count(), 1);
    }

    void closeMeCanKeepTheWindow() {
        Framed f;
        QSignalSpy closeMe(f.skin, &Skin::CloseMe);
        auto c = connect(f.skin, &Skin::CloseMe, f.skin, [](bool& proceed) { proceed = false; });
        QTest::mouseClick(f.skin->titleButton(Skin::CloseButton), Qt::LeftButton);
        QCOMPARE(closeMe.count(), 1);
        QVERIFY(f.form.isVisible());
        disconnect(c);
        QTest::mouseClick(f.skin->titleButton(Skin::CloseButton), Qt::LeftButton);
        QCOMPARE(closeMe.count(), 2);
        QVERIFY(!f.form.isVisible());
    }

    void maximiseButtonAndDoubleClick() {
        Framed f;
        QSignalSpy dbl(f.skin, &Skin::DblClick);
        SkinButton* max = f.skin->titleButton(Skin::MaxButton);
        QCOMPARE(max->location(), int(LocMaximise));
        QTest::mouseClick(max, Qt::LeftButton);
        QTRY_VERIFY(f.form.isMaximized());
        QCOMPARE(max->location(), int(LocRestore));
        QVERIFY(f.form.mask().isEmpty());  // square when maximised
        QTest::mouseDClick(f.skin, Qt::LeftButton, {}, QPoint(60, 15));
        QCOMPARE(dbl.count(), 1);
        QTRY_VERIFY(!f.form.isMaximized());
        // A fixed-size window offers no maximise.
        f.form.setFixedSize(f.form.size());
        f.skin->Refresh();
        QVERIFY(!max->isVisible());
    }

    void titleDragMovesTheWindowWhenTheSystemCannot() {
        Framed f;
        const QPoint start = f.form.pos();
        QTest::mousePress(f.skin, Qt::LeftButton, {}, QPoint(100, 15));
        QTest::mouseMove(f.skin, QPoint(130, 25));
        QTest::mouseRelease(f.skin, Qt::LeftButton, {}, QPoint(130, 25));
        QTRY_COMPARE(f.form.pos(), start + QPoint(30, 10));
    }

    void propertiesPersistOnlyWhenChanged() {
        Framed f;
        PropertyBag bag;
        f.skin->WriteProperties(bag);
        QVERIFY2(bag.isEmpty(), qPrintable(bag.storedNames().join(',')));
        f.skin->setSkinNumber(1);
        f.skin->setPanels("Ready");
        f.skin->setClrTitle(0x0000FF);
        f.skin->setMenuTop(40);
        f.skin->WriteProperties(bag);
        QCOMPARE(bag.storedNames().size(), 4);

        Framed g;
        g.skin->ReadProperties(bag);
        QCOMPARE(g.skin->SkinNumber(), 1);
        QCOMPARE(g.skin->Panels(), QString("Ready"));
        QCOMPARE(g.skin->clrTitle(), OleColor(0x0000FF));
        QCOMPARE(g.skin->MenuTop(), 40);
        QCOMPARE(g.skin->IconLeft(), 7);
        QCOMPARE(g.skin->clrMenuEnd(), OleColor(0x00FFB595));
    }

    void customPicturesPersistAsPictures() {
        SynthSkin synth;
        synth.build();
        Framed f;
        f.skin->setPicture(synth.picture);
        f.skin->setMaskPicture(synth.markers);
        QCOMPARE(f.skin->SkinNumber(), 2);
        PropertyBag bag;
        f.skin->WriteProperties(bag);
        Framed g;
        g.skin->ReadProperties(bag);
        QCOMPARE(g.skin->topHeight(), synth.top);
    }
};

class TestSkinRendering : public QObject {
    Q_OBJECT

  private slots:
    void customSkinPiecesLandWhereTheyBelong() {
        SynthSkin synth;
        synth.build();
        QWidget form;
        form.setWindowTitle("");
        auto* skin = new Skin(&form);
        skin->setPicture(synth.picture);
        skin->setMaskPicture(synth.markers);
        skin->setBackColor(rgb(10, 200, 30));
        form.resize(300, 200);
        form.show();
        const QImage img = form.grab().toImage();
        QCOMPARE(img.pixel(2, 2), SynthSkin::colorOf(LocTopLeft));
        QCOMPARE(img.pixel(150, 30), SynthSkin::colorOf(LocTop));
        QCOMPARE(img.pixel(295, 2), SynthSkin::colorOf(LocTopRight));
        QCOMPARE(img.pixel(2, 100), SynthSkin::colorOf(LocLeft));
        QCOMPARE(img.pixel(296, 100), SynthSkin::colorOf(LocRight));
        QCOMPARE(img.pixel(2, 195), SynthSkin::colorOf(LocBottomLeft));
        QCOMPARE(img.pixel(150, 195), SynthSkin::colorOf(LocBottom));
        QCOMPARE(img.pixel(295, 195), SynthSkin::colorOf(LocBottomRight));
        QCOMPARE(img.pixel(150, 100), qRgb(10, 200, 30));  // client area in BackColor
        // Title buttons, right-aligned, in their normal state.
        SkinButton* close = skin->titleButton(Skin::CloseButton);
        QCOMPARE(close->size(), QSize(synth.buttonW, synth.buttonH));
        QCOMPARE(close->geometry().right(), 300 - 6 - 1);
        QCOMPARE(img.pixel(close->geometry().center()), SynthSkin::colorOf(LocClose, 0));
        QCOMPARE(img.pixel(skin->titleButton(Skin::MinButton)->geometry().center()),
                 SynthSkin::colorOf(LocMinimise, 0));
        // A disabled button shows its fourth image.
        close->setEnabled(false);
        QCOMPARE(close->grab().toImage().pixel(2, 2), SynthSkin::colorOf(LocClose, 3));
    }

    void builtinSkinHasRoundedShapeAndTintableFrame() {
        Framed f;
        QVERIFY(!f.form.mask().isEmpty());
        QVERIFY(!f.form.mask().contains(QPoint(0, 0)));
        QVERIFY(!f.form.mask().contains(QPoint(399, 0)));
        QVERIFY(f.form.mask().contains(QPoint(200, 0)));
        QVERIFY(f.form.mask().contains(QPoint(200, 150)));
        const QPoint title(200, 15);
        const QColor before = pixelAt(f.form, title);
        QVERIFY(before.blue() > before.red());  // skin 0 is blue
        f.skin->AdjustRGB(50, 0, -50);
        const QColor after = pixelAt(f.form, title);
        QCOMPARE(after.red(), std::min(255, qRound(before.red() * 1.5)));
        QCOMPARE(after.green(), before.green());
        QCOMPARE(after.blue(), qRound(before.blue() * 0.5));
        f.skin->AdjustRGB(0, 0, 0);  // from the original, not compounded
        QCOMPARE(pixelAt(f.form, title), before);
    }

    void statusPanelsAreDrawnInTheirColours() {
        Framed f;
        QImage plain = f.form.grab().toImage();
        f.skin->setPanels(panels({"MMMM%##0000FF", "WWWW%##FF0000;@80"}));
        QImage img = f.form.grab().toImage();
        int red = 0, blue = 0;
        for (int y = 300 - 24; y < 300; ++y)
            for (int x = 6; x < 400; ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c == plain.pixelColor(x, y)) continue;
                if (c.red() > 150 && c.green() < 100 && c.blue() < 100) ++red;
                if (c.blue() > 150 && c.green() < 100 && c.red() < 100) ++blue;
            }
        QVERIFY2(red > 10, "first panel text in its own colour (red)");
        QVERIFY2(blue > 10, "second panel text in its own colour (blue)");
        // A status bar under 15 pixels shows no panels.
        SynthSkin synth;
        synth.bottom = 12;
        synth.build();
        f.skin->setPicture(synth.picture);
        f.skin->setMaskPicture(synth.markers);
        img = f.form.grab().toImage();
        for (int x = 0; x < 400; ++x)
            QCOMPARE(img.pixel(x, 300 - 6), SynthSkin::colorOf(x < 10     ? LocBottomLeft
                                                               : x >= 388 ? LocBottomRight
                                                                          : LocBottom));
    }

    void menuBandUsesTheMenuColours() {
        QWidget form;
        auto* skin = new Skin(&form);
        auto* bar = new QMenuBar(&form);
        bar->addMenu("File");
        skin->setClrMenuStart(rgb(250, 10, 10));
        skin->setClrMenuEnd(rgb(10, 10, 250));
        skin->setClrMenuBorder(rgb(10, 250, 10));
        auto* layout = new QVBoxLayout(&form);
        auto* content = new QWidget;
        layout->addWidget(content);
        form.resize(300, 200);
        form.show();
        const int top = skin->topHeight();
        const int bandBottom = skin->clientRect().top();
        QCOMPARE(bar->geometry().topLeft(), QPoint(11, 31));
        QVERIFY(bandBottom > bar->geometry().bottom());
        const QImage img = form.grab().toImage();
        QCOMPARE(img.pixel(6, top), qRgb(250, 10, 10));
        QCOMPARE(img.pixel(6, bandBottom - 1), qRgb(10, 250, 10));
        // The window's layout fills the client area.
        QTRY_COMPARE(content->geometry().top() >= bandBottom, true);
        QVERIFY(content->geometry().bottom() < 200 - skin->bottomHeight());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestSkin a;
    TestSkinRendering b;
    return QTest::qExec(&a, argc, argv) | QTest::qExec(&b, argc, argv);
}

#include "test_skin.moc"
