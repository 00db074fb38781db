#include "windows/skinneddialog.h"

#include <QResizeEvent>

#include "ui/controls/back.h"
#include "ui/controls/paint.h"
#include "ui/skin/skin.h"
#include "windows/windowlanguage.h"
#include "windows/windowskin.h"

namespace korvan {

SkinnedDialog::SkinnedDialog(int langBase, QWidget* parent) : QDialog(parent) {
    setProperty("Tag", langBase);
    QFont font = this->font();
    font.setPointSize(9);
    setFont(font);
    m_skin = new kui::Skin(this);
    m_skin->setSizable(false);
    m_skin->setTitleButtonVisible(kui::Skin::MaxButton, false);
    m_skin->setTitleButtonVisible(kui::Skin::MinButton, false);
    // Nothing to report and nothing to resize: no status bar under the buttons.
    m_skin->setStatusBar(false);
    m_background = new kui::Back(this);
    m_background->setObjectName(QStringLiteral("backWindow"));
    m_background->setShowBorder(false);
    connect(m_skin, &kui::Skin::Resize, this, [this] { fitBackground(); });
}

SkinnedDialog::~SkinnedDialog() = default;

void SkinnedDialog::applyLookAndLanguage() {
    ApplyWindowSkin(this, m_skin);
    ApplyLanguage(this);
    fitBackground();
}

void SkinnedDialog::resizeTwips(int width, int height) {
    const QSize size(kui::twipsToPixelsX(this, width), kui::twipsToPixelsY(this, height));
    setFixedSize(size);
}

void SkinnedDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    fitBackground();
}

void SkinnedDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fitBackground();
}

void SkinnedDialog::fitBackground() {
    const QRect client = contentsRect();
    if (m_background->geometry() != client) m_background->setGeometry(client);
    layoutClient();
}

}  // namespace korvan
