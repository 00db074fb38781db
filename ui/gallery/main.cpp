// ui-gallery: shows every skinned control of the toolkit in one window.
//   ui-gallery [--scheme N] [--engine-skin N] [--adjust R,G,B] [--screenshot FILE [--show-menu]]
#include <QApplication>
#include <QCommandLineParser>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "gallerywindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ui-gallery"));
    // Grey text as the classic desktop scheme has it: readable on the light disabled faces.
    QPalette palette = QApplication::palette();
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    QApplication::setPalette(palette);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Every skinned KORVAN control in one window."));
    parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Save the window to FILE (PNG) and exit."),
                                  QStringLiteral("FILE"));
    QCommandLineOption showMenu(QStringLiteral("show-menu"),
                                QStringLiteral("With --screenshot: open the File menu and save "
                                               "the whole screen."));
    QCommandLineOption scheme(QStringLiteral("scheme"), QStringLiteral("Colour scheme number."),
                              QStringLiteral("N"), QStringLiteral("0"));
    QCommandLineOption engineSkin(QStringLiteral("engine-skin"),
                                  QStringLiteral("Skin number N of the skin engine plugin."),
                                  QStringLiteral("N"));
    QCommandLineOption adjust(QStringLiteral("adjust"),
                              QStringLiteral("Colour adjustment in percent per channel."),
                              QStringLiteral("R,G,B"));
    parser.addOptions({screenshot, showMenu, scheme, engineSkin, adjust});
    parser.process(app);

    gallery::GalleryWindow window;
    window.applyScheme(parser.value(scheme).toInt());
    if (parser.isSet(engineSkin)) {
        const int n = parser.value(engineSkin).toInt();
        if (n < 0 || n >= window.engineSkinCount()) {
            std::fprintf(stderr, "ui-gallery: the skin engine offers %d skins; no skin %d\n",
                         window.engineSkinCount(), n);
            return 2;
        }
        window.applyEngineSkin(n);
    }
    if (parser.isSet(adjust)) {
        const QStringList parts = parser.value(adjust).split(QLatin1Char(','));
        if (parts.size() != 3) {
            std::fprintf(stderr, "ui-gallery: --adjust wants three percentages, as 10,0,-10\n");
            return 2;
        }
        window.applyAdjustment(parts[0].toDouble(), parts[1].toDouble(), parts[2].toDouble());
    }
    window.move(20, 20);
    window.show();
    if (!parser.isSet(screenshot)) return app.exec();

    const QString file = parser.value(screenshot);
    const bool menu = parser.isSet(showMenu);
    if (menu) {
        QTimer::singleShot(300, &window, [&window] {
            QMenu* fileMenu = window.fileMenu();
            window.menuBar()->setActiveAction(fileMenu->menuAction());
            fileMenu->setActiveAction(fileMenu->actions().at(1));
        });
    }
    int status = 0;
    // Let the busy bar run a few steps first.
    QTimer::singleShot(900, &window, [&] {
        const QPixmap shot = menu ? window.screen()->grabWindow(0) : window.grab();
        if (!shot.save(file, "PNG")) {
            std::fprintf(stderr, "ui-gallery: cannot write %s\n", qPrintable(file));
            status = 1;
        }
        app.quit();
    });
    app.exec();
    return status;
}
