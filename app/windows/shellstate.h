// The process-wide start-up state that the windows read to place and behave: whether the
// start-up screen is done, whether the main or the mini window is showing, the command-line
// switch, and the windows themselves. The program's start sets it; the windows only read it,
// except for the flags each window owns (the mini window's MiniActive, SplashDone on load).
#pragma once

#include "core/settingsowner.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace kui {
class SkinEngine;
}

namespace korvan {

struct ShellState {
    QString CommandSwitch;
    QString AppVersion;
    bool SplashDone = false;
    bool MainShown = false;
    bool MiniActive = false;
    bool TopMost = false;
    int SkinNumber = 0;  // built-in frame (0 or 1) when the skin engine gives none
    // The optional skin engine (owned by the program) and the engine skin chosen; an index
    // outside the engine's skins leaves the built-in frame.
    kui::SkinEngine* SkinEngine = nullptr;
    int SkinIndex = -1;
    // The program configuration's one owner; the settings dialog and the port menu change it.
    ProgramConfigOwner Config;
    QPointer<QWidget> MainWindow;
    QPointer<QWidget> MiniWindow;
};

// The one state of this process.
ShellState& Shell();

}  // namespace korvan
