#include "gallerythemes.h"

#include <QWidget>

#include "ui/controls/back.h"
#include "ui/controls/cmd.h"
#include "ui/controls/frame.h"
#include "ui/controls/progress.h"
#include "ui/controls/vsmenu.h"
#include "ui/controls/vtab.h"

using namespace kui;

namespace gallery {

namespace {

const Theme kThemes[] = {
    {QStringLiteral("经典蓝"), rgb(90, 107, 212),  rgb(255, 255, 255), rgb(149, 181, 255),
     rgb(255, 255, 255),       rgb(255, 215, 157), rgb(254, 145, 78),  rgb(255, 255, 255),
     rgb(255, 255, 255),       rgb(200, 218, 255), rgb(255, 255, 255), rgb(101, 149, 255),
     rgb(149, 181, 255),       rgb(90, 107, 212),  rgb(255, 255, 255), rgb(104, 104, 104),
     rgb(40, 210, 43),         rgb(246, 249, 255), rgb(90, 107, 212),  rgb(49, 106, 197),
     rgb(106, 140, 203),       rgb(255, 255, 255), rgb(190, 210, 245), rgb(49, 106, 197),
     rgb(255, 240, 192),       rgb(170, 159, 241), rgb(248, 222, 165), rgb(236, 242, 255)},
    {QStringLiteral("石墨"), rgb(86, 94, 110),   rgb(255, 255, 255), rgb(200, 206, 218),
     rgb(255, 255, 255),     rgb(255, 215, 157), rgb(254, 145, 78),  rgb(255, 255, 255),
     rgb(255, 255, 255),     rgb(216, 221, 230), rgb(255, 255, 255), rgb(150, 160, 178),
     rgb(206, 212, 224),     rgb(86, 94, 110),   rgb(255, 255, 255), rgb(96, 100, 110),
     rgb(40, 190, 60),       rgb(248, 249, 251), rgb(110, 118, 134), rgb(52, 60, 76),
     rgb(96, 104, 120),      rgb(255, 255, 255), rgb(206, 211, 220), rgb(60, 68, 84),
     rgb(255, 240, 192),     rgb(196, 202, 216), rgb(248, 222, 165), rgb(238, 240, 244)},
};

}  // namespace

int themeCount() {
    return int(std::size(kThemes));
}

const Theme& theme(int index) {
    return kThemes[std::clamp(index, 0, themeCount() - 1)];
}

void applyTheme(QWidget* root, VsMenu* menu, const Theme& t) {
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (auto* tab = qobject_cast<vTab*>(w)) {
            tab->ChangeColor(t.border, t.pageBack, t.pageEnd, t.start, t.end, t.moveStart,
                             t.moveEnd, t.downStart, t.downEnd);
        } else if (auto* cmd = qobject_cast<Cmd*>(w)) {
            if (!qobject_cast<vTab*>(cmd->parentWidget()))
                cmd->ChangeColor(t.border, cmd->ShowBorder(), t.start, t.end, t.moveStart,
                                 t.moveEnd, t.downStart, t.downEnd);
        } else if (auto* back = qobject_cast<Back*>(w)) {
            // Panels keep their own mode; the window background panel is locked.
            back->ChangeColor(t.panelBorder, back->ShowBorder(), t.panelStart, t.panelMiddle,
                              t.panelEnd, back->ShowColor());
        } else if (auto* bar = qobject_cast<Progress*>(w)) {
            bar->ChangeColor(t.barBack, t.barBorder, t.barFill);
        } else if (auto* frame = qobject_cast<Frame*>(w)) {
            frame->setBackColor(t.frameBack);
            frame->setBorderColor(t.frameBorder);
            frame->setForeColor(t.frameFore);
        }
    }
    if (menu) {
        VsMenuColors c = menu->Colors();
        c.menuBorder = t.menuBorder;
        c.menuBarStart = t.menuBarStart;
        c.menuBarEnd = t.menuBarEnd;
        c.selMenuBorder = t.selBorder;
        c.selMenuBack = t.selBack;
        c.checkBack = t.checkBack;
        c.selCheckBack = t.selCheckBack;
        c.showMenuBarGradient = true;
        menu->ChangeColor(c);
    }
}

}  // namespace gallery
