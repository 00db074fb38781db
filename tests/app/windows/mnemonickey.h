// Alt plus a letter, as a user types it: the button it names shows pressed at once and clicks
// when it comes up again, so the key counts once no button of the window is down any more.
#pragma once

#include <QTest>
#include <QWidget>

#include "ui/controls/cmd.h"

inline void PressAltKey(QWidget* window, Qt::Key key) {
    QTest::keyClick(window, key, Qt::AltModifier);
    const bool released = QTest::qWaitFor([window] {
        for (const kui::Cmd* button : window->findChildren<kui::Cmd*>())
            if (button->isDown()) return false;
        return true;
    });
    if (!released) QFAIL("a button stayed pressed after its Alt key");
}
