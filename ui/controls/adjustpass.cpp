#include "adjustpass.h"

#include <QWidget>

#include "back.h"
#include "cmd.h"
#include "frame.h"
#include "progress.h"
#include "vtab.h"

namespace kui {

void AdjustControls(QWidget* window, double red, double green, double blue) {
    if (!window) return;
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (auto* tab = qobject_cast<vTab*>(w)) {
            tab->AdjustRGB(red, green, blue);
        } else if (auto* cmd = qobject_cast<Cmd*>(w)) {
            if (!qobject_cast<vTab*>(cmd->parentWidget())) cmd->AdjustRGB(red, green, blue);
        } else if (auto* back = qobject_cast<Back*>(w)) {
            back->AdjustRGB(red, green, blue);
        } else if (auto* bar = qobject_cast<Progress*>(w)) {
            bar->AdjustRGB(red, green, blue);
        } else if (auto* frame = qobject_cast<Frame*>(w)) {
            frame->AdjustRGB(red, green, blue);
        }
    }
}

}  // namespace kui
