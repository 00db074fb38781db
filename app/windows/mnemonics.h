// Alt + the underlined letter of a button's caption ("确定(&O)") presses that button, as the
// platform's buttons do; the skinned button draws the underline but has no shortcut of its own.
#pragma once

class QWidget;

namespace kui {
class Cmd;
}

namespace korvan {

// One shortcut per captioned button under `root`, active while the button's window is; a
// button without "&" in its caption gets none. Safe to call again after captions change.
void BindMnemonics(QWidget* root);
void BindMnemonic(kui::Cmd* button);

}  // namespace korvan
