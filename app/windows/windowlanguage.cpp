#include "windows/windowlanguage.h"

#include <QLabel>
#include <QWidget>

#include "ui/controls/cmd.h"
#include "ui/controls/frame.h"
#include "core/apppaths.h"
#include "core/language.h"
#include "ui/skin/skin.h"

namespace korvan {

namespace {

// A Tag that is no number counts as 0.
int tagOf(const QObject* object) {
    bool ok = false;
    const int tag = object->property("Tag").toString().toInt(&ok);
    return ok ? tag : 0;
}

}  // namespace

void ApplyLanguage(QWidget* window, const LangTable& table) {
    if (!window || !table.exists()) return;
    const int base = tagOf(window);
    if (base != 0) window->setWindowTitle(table.text(base, window->windowTitle()));
    for (QWidget* control : window->findChildren<QWidget*>()) {
        // The frame keeps its skin number in its Tag.
        if (qobject_cast<kui::Skin*>(control)) continue;
        const int tag = tagOf(control);
        if (tag <= 0) continue;
        const int id = base + tag;
        if (auto* button = qobject_cast<kui::Cmd*>(control)) {
            button->setCaption(table.text(id, button->Caption()));
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setText(table.text(id, label->text()));
        } else if (auto* frame = qobject_cast<kui::Frame*>(control)) {
            frame->setCaption(table.text(id, frame->Caption()));
        }
    }
}

void ApplyLanguage(QWidget* window) {
    ApplyLanguage(window, LangTable::load(CurrentAppPaths().langFile()));
}

}  // namespace korvan
