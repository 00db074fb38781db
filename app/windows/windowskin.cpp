#include "windows/windowskin.h"

#include <QVariantMap>
#include <QWidget>

#include "core/programconfig.h"
#include "ui/controls/adjustpass.h"
#include "ui/core/colorrule.h"
#include "ui/core/skinobject.h"
#include "ui/skin/skin.h"
#include "ui/skin/skincolorset.h"
#include "windows/shellstate.h"

namespace korvan {

namespace {

using kui::rgb;

// The control colours that go with the two built-in frame pictures: blue and graphite.
QVariantMap BuiltInColors(int skinNumber) {
    const bool graphite = skinNumber == 1;
    const kui::OleColor border = graphite ? rgb(86, 94, 110) : rgb(90, 107, 212);
    const kui::OleColor end = graphite ? rgb(200, 206, 218) : rgb(149, 181, 255);
    const kui::OleColor white = rgb(255, 255, 255);
    const kui::OleColor hover = rgb(255, 215, 157);
    const kui::OleColor down = rgb(254, 145, 78);
    const kui::OleColor panelMiddle = graphite ? rgb(232, 235, 241) : rgb(226, 235, 255);
    const kui::OleColor panelEnd = graphite ? rgb(206, 212, 224) : rgb(200, 218, 255);
    const kui::OleColor fill = graphite ? rgb(40, 190, 60) : rgb(40, 210, 43);
    QVariantMap set;
    set["Cmd"] = QVariantList{border, true, white, end, white, hover, down, white};
    set["Back"] = QVariantList{border, false, white, panelMiddle, panelEnd, 2};
    set["Progress"] = QVariantList{white, rgb(104, 104, 104), fill};
    set["Frame"] = QVariantList{border, graphite ? rgb(52, 60, 76) : rgb(49, 106, 197)};
    return set;
}

}  // namespace

void ApplyWindowSkin(QWidget* window, kui::Skin* skin, int skinNumber, const ProgramConfig& config,
                     kui::SkinEngine* engine, int engineSkin) {
    if (!window) return;
    window->setUpdatesEnabled(false);
    if (engine && engineSkin >= 0 && engineSkin < engine->SkinCount() &&
        engine->setSkinType(engineSkin)) {
        engine->ChangeSkin(window);
    } else {
        const int number = skinNumber == 1 ? 1 : 0;
        if (skin) {
            if (!skin->Picture().isNull())  // an engine skin before: back to the built-in pair
                skin->ChangePicture(QString(), QString(), QString(), false, true);
            skin->setSkinNumber(number);
            skin->ChangeSkin(true);
        }
        kui::applyColorSet(window, BuiltInColors(number));
    }
    if (config.ColorOpen) {
        if (skin) skin->AdjustRGB(config.Red, config.Green, config.Blue);
        kui::AdjustControls(window, config.Red, config.Green, config.Blue);
    }
    window->setUpdatesEnabled(true);
}

void ApplyWindowSkin(QWidget* window, kui::Skin* skin) {
    ApplyWindowSkin(window, skin, Shell().SkinNumber, Shell().Config.value(), Shell().SkinEngine,
                    Shell().SkinIndex);
}

}  // namespace korvan
