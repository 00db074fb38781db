#include "myskin.h"

#include "enginethemes.h"
#include "ui/core/latebind.h"

namespace korvanskin {

namespace {

constexpr int kChinese = 2052;

// A frame control is recognised by what it can do, not by its class: the engine shares no
// code with the program.
bool isFrame(const QObject* o) {
    return kui::hasMethod(o, "ChangePicture", 5) && kui::hasMethod(o, "ApplyColorSet", 1);
}

}  // namespace

int mySkin::SkinCount() const {
    return int(engineThemes().size());
}

QString mySkin::SkinName(int index, int language) const {
    if (index < 0 || index >= SkinCount()) return {};
    const EngineTheme& t = engineThemes()[index];
    return language == kChinese ? t.nameChinese : t.nameEnglish;
}

QObject* mySkin::ChangeSkin(QObject* window) {
    if (!window || m_type < 0 || m_type >= SkinCount()) return window;
    const EngineTheme& t = engineThemes()[m_type];
    QList<QObject*> targets = window->findChildren<QObject*>();
    targets.prepend(window);
    for (QObject* o : targets) {
        if (!isFrame(o)) continue;
        kui::invokeByName(o, "ChangePicture", {t.picture, t.maskPicture, QString(), false, true});
        kui::invokeByName(o, "ApplyColorSet", {t.colors});
    }
    return window;
}

}  // namespace korvanskin
