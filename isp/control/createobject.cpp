// The library's one entry point: hosts load libzel.so at run time and create the control by
// its program id.
#include <QApplication>
#include <QByteArray>

#include "translations.h"
#include "zelispcontrol.h"

extern "C" __attribute__((visibility("default"))) QObject* CreateObject(const char* progId) {
    // Program ids compare without regard to case, as the registry holds them.
    if (!progId || qstricmp(progId, zelisp::kProgId) != 0) return nullptr;
    // The control is a widget: without a widget application there is nothing to create it in.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    // The host may have chosen English before this library, and its catalogue, were loaded.
    korvan::i18n::installCurrentLanguage();
    return new zel::control::ZelIspControl();
}
