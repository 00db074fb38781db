// KORVAN, the desktop program: korvan [switch] [file].
#include <QApplication>

#include "main/startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KORVAN"));
    return korvan::RunKorvan(QApplication::arguments());
}
