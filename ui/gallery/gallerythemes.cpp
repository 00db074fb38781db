#include "gallerythemes.h"

#include <QWidget>

#include "controls/back.h"
#include "controls/cmd.h"
#include "controls/frame.h"
#include "controls/progress.h"
#include "controls/vsmenu.h"
#include "controls/vtab.h"

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
    {QStringLiteral("橄榄绿"), rgb(96, 128, 56),   rgb(255, 255, 255), rgb(196, 218, 150),
     rgb(255, 255, 255),       rgb(255, 226, 160), rgb(232, 150, 60),  rgb(255, 255, 255),
     rgb(255, 255, 255),       rgb(222, 236, 196), rgb(255, 255, 255), rgb(160, 196, 104),
     rgb(210, 228, 176),       rgb(96, 128, 56),   rgb(255, 255, 255), rgb(96, 110, 80),
     rgb(90, 170, 40),         rgb(249, 252, 244), rgb(96, 128, 56),   rgb(70, 100, 30),
     rgb(128, 150, 96),        rgb(255, 255, 255), rgb(212, 228, 184), rgb(96, 128, 56),
     rgb(255, 240, 192),       rgb(196, 218, 150), rgb(248, 222, 165), rgb(242, 247, 234)},
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
