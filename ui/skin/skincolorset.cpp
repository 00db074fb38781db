#include "skincolorset.h"

#include <QWidget>

#include "ui/controls/back.h"
#include "ui/controls/cmd.h"
#include "ui/controls/frame.h"
#include "ui/controls/progress.h"
#include "ui/controls/vsmenu.h"
#include "ui/controls/vtab.h"

namespace kui {

namespace {

// The arguments of one kind, or an empty list when there are fewer than `count`.
QVariantList argsOf(const QVariantMap& set, const char* kind, int count) {
    const QVariantList list = set.value(QLatin1String(kind)).toList();
    return list.size() >= count ? list : QVariantList();
}

OleColor c(const QVariantList& a, int i) {
    return OleColor(a[i].toUInt());
}
bool b(const QVariantList& a, int i) {
    return a[i].toBool();
}

}  // namespace

void applyColorSet(QWidget* window, const QVariantMap& set) {
    if (!window) return;
    const QVariantList cmd = argsOf(set, "Cmd", 8);
    const QVariantList tab = argsOf(set, "vTab", 9);
    const QVariantList back = argsOf(set, "Back", 6);
    const QVariantList progress = argsOf(set, "Progress", 3);
    const QVariantList menu = argsOf(set, "VsMenu", 5);
    const QVariantList frame = argsOf(set, "Frame", 2);
    for (QObject* o : window->findChildren<QObject*>()) {
        if (auto* t = qobject_cast<vTab*>(o)) {
            if (!tab.isEmpty())
                t->ChangeColor(c(tab, 0), c(tab, 1), c(tab, 2), c(tab, 3), c(tab, 4), c(tab, 5),
                               c(tab, 6), c(tab, 7), c(tab, 8));
        } else if (auto* button = qobject_cast<Cmd*>(o)) {
            if (!cmd.isEmpty() && !qobject_cast<vTab*>(button->parentWidget()))
                button->ChangeColor(c(cmd, 0), b(cmd, 1), c(cmd, 2), c(cmd, 3), c(cmd, 4),
                                    c(cmd, 5), c(cmd, 6), c(cmd, 7));
        } else if (auto* panel = qobject_cast<Back*>(o)) {
            if (!back.isEmpty())
                panel->ChangeColor(c(back, 0), b(back, 1), c(back, 2), c(back, 3), c(back, 4),
                                   back[5].toInt());
        } else if (auto* bar = qobject_cast<Progress*>(o)) {
            if (!progress.isEmpty())
                bar->ChangeColor(c(progress, 0), c(progress, 1), c(progress, 2));
        } else if (auto* vs = qobject_cast<VsMenu*>(o)) {
            if (!menu.isEmpty())
                vs->ChangeColor(c(menu, 0), c(menu, 1), c(menu, 2), c(menu, 3), b(menu, 4));
        } else if (auto* f = qobject_cast<Frame*>(o)) {
            if (!frame.isEmpty()) {
                f->setBorderColor(c(frame, 0));
                f->setForeColor(c(frame, 1));
            }
        }
    }
}

}  // namespace kui
