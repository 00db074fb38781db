#include "windows/miniwindow.h"

#include <algorithm>

#include <QApplication>
#include <QLabel>

#include "ui/controls/back.h"
#include "ui/controls/cmd.h"
#include "ui/controls/progress.h"
#include "ui/skin/skin.h"
#include "windows/dragpanel.h"
#include "windows/shellstate.h"
#include "windows/windowplacement.h"
#include "windows/windowtexts.h"

namespace korvan {

namespace {

constexpr int kLangBase = 1000;
constexpr int kWidthTwips = 5400;
constexpr int kHeightTwips = 2300;
constexpr int kMargin = 12;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 24;
constexpr int kGapBelowBar = 10;

}  // namespace

MiniWindow::MiniWindow(QWidget* parent) : SkinnedDialog(kLangBase, parent) {
    setObjectName(QStringLiteral("frmMini"));
    setWindowTitle(wintext::kMiniTitle);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    m_message = new QLabel(wintext::kMiniReady, background());
    m_message->setProperty("Tag", 1);
    m_message->setTextFormat(Qt::PlainText);
    m_progress = new kui::Progress(background());
    m_ok = new kui::Cmd(background());
    m_ok->InitProperties();
    m_ok->setCaption(wintext::kMiniOpenMain);
    m_ok->setProperty("Tag", 2);
    m_cancel = new kui::Cmd(background());
    m_cancel->InitProperties();
    m_cancel->setCaption(wintext::kCancel);
    m_cancel->setProperty("Tag", 3);
    connect(m_ok, &kui::Cmd::Click, this, &MiniWindow::openMain);
    connect(m_cancel, &kui::Cmd::Click, this, &MiniWindow::cancel);
    connect(skin(), &kui::Skin::CloseMe, this, [this](bool& proceed) {
        proceed = false;
        cancel();
    });
    DragPanel::attach(background(), this);
    resizeTwips(kWidthTwips, kHeightTwips);
    applyLookAndLanguage();
    Shell().SplashDone = true;
    Shell().MiniWindow = this;
    CenterOver(this, nullptr);
}

MiniWindow::~MiniWindow() {
    Shell().MiniActive = false;
}

void MiniWindow::setMessage(const QString& text) {
    m_message->setText(text);
}

void MiniWindow::setProgress(int percent) {
    m_progress->setValue(percent);
}

void MiniWindow::layoutClient() {
    if (!m_ok) return;
    const QRect client = background()->rect();
    const int inner = client.width() - 2 * kMargin;
    m_message->setGeometry(kMargin, kMargin - 2, inner, 20);
    m_progress->setGeometry(kMargin, kMargin + 22, inner, 18);
    // The buttons sit at the bottom, but never touch the progress bar above them.
    const int top = std::max(client.height() - kMargin - kButtonHeight,
                             m_progress->geometry().bottom() + 1 + kGapBelowBar);
    m_cancel->setGeometry(client.width() - kMargin - kButtonWidth, top, kButtonWidth,
                          kButtonHeight);
    m_ok->setGeometry(m_cancel->x() - 10 - kButtonWidth, top, kButtonWidth, kButtonHeight);
}

void MiniWindow::changeEvent(QEvent* event) {
    SkinnedDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    Shell().MiniActive = true;
    raise();
}

void MiniWindow::hideEvent(QHideEvent* event) {
    SkinnedDialog::hideEvent(event);
    Shell().MiniActive = false;
}

void MiniWindow::openMain() {
    emit openMainRequested();
    QApplication::processEvents();
    close();
}

void MiniWindow::cancel() {
    hide();
    emit cancelRequested();
}

}  // namespace korvan
