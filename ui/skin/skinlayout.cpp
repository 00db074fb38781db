#include "skinlayout.h"

#include <QtGlobal>

static void initKorvanSkinResources() {
    Q_INIT_RESOURCE(skins);
}

namespace kui {

SkinLayout skinLayout(int skin) {
    SkinLayout layout;
    if (skin == 0 || skin == 1) {
        layout.separators = true;
        layout.buttonTop = 4;
        layout.buttonRight = 6;
        layout.buttonGap = 0;
    }
    return layout;
}

QString builtinSkinPicture(int skin) {
    return QString(":/korvan/skins/skin%1.png").arg(skin == 1 ? 1 : 0);
}

QString builtinSkinMarkers(int skin) {
    return QString(":/korvan/skins/skin%1_mask.png").arg(skin == 1 ? 1 : 0);
}

void initSkinResources() {
    static const bool done = [] {
        initKorvanSkinResources();
        return true;
    }();
    Q_UNUSED(done);
}

}  // namespace kui
