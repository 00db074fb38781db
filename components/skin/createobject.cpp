// The library's one entry point: creates an object by its class name.
#include <QtGlobal>
#include <cstring>

#include "myskin.h"

extern "C" Q_DECL_EXPORT QObject* CreateObject(const char* progId) {
    if (!progId || std::strcmp(progId, "Skin.mySkin") != 0) return nullptr;
    return new korvanskin::mySkin();
}
