#include "windows/mnemonics.h"

#include <QKeySequence>
#include <QShortcut>

#include "ui/controls/cmd.h"

namespace korvan {

namespace {
constexpr char kShortcutName[] = "korvanMnemonic";
}

void BindMnemonic(kui::Cmd* button) {
    if (!button) return;
    // A caption changed by the language file brings its own letter: replace the old shortcut.
    for (QShortcut* old : button->findChildren<QShortcut*>(QString::fromLatin1(kShortcutName),
                                                           Qt::FindDirectChildrenOnly))
        delete old;
    const QKeySequence key = QKeySequence::mnemonic(button->Caption());
    if (key.isEmpty()) return;
    auto* shortcut = new QShortcut(key, button);
    shortcut->setObjectName(QString::fromLatin1(kShortcutName));
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isVisible() && button->isEnabled()) emit button->Click();
    });
}

void BindMnemonics(QWidget* root) {
    if (!root) return;
    for (kui::Cmd* button : root->findChildren<kui::Cmd*>()) BindMnemonic(button);
}

}  // namespace korvan
