#include "windows/messagewindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>

#include "ui/controls/back.h"
#include "ui/controls/cmd.h"
#include "ui/core/twips.h"
#include "ui/skin/skin.h"
#include "views/messagerules.h"
#include "windows/messageicons.h"
#include "windows/promptplayer.h"
#include "windows/shellstate.h"
#include "windows/windowplacement.h"
#include "windows/windowtexts.h"

namespace korvan {

namespace {

constexpr int kLangBase = 900;
// Client-area geometry in pixels.
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kTextLeft = kMargin + kIconSize + 12;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr int kButtonGap = 12;

kui::Cmd* MakeButton(QWidget* parent, const QString& caption, int tag) {
    auto* button = new kui::Cmd(parent);
    button->InitProperties();
    button->setCaption(caption);
    button->setProperty("Tag", tag);
    button->resize(kButtonWidth, kButtonHeight);
    return button;
}

}  // namespace

MessageWindow::MessageWindow(QWidget* parent) : SkinnedDialog(kLangBase, parent) {
    setObjectName(QStringLiteral("frmMsg"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    m_iconLabel = new QLabel(background());
    m_iconLabel->setFixedSize(kIconSize, kIconSize);
    m_prompt = new QLabel(background());
    m_prompt->setTextFormat(Qt::PlainText);
    m_prompt->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_prompt->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_ok = MakeButton(background(), wintext::kOk, 1);
    m_cancel = MakeButton(background(), wintext::kCancel, 2);
    connect(m_ok, &kui::Cmd::Click, this, [this] { press(kResultOk); });
    connect(m_cancel, &kui::Cmd::Click, this, [this] { press(kResultCancel); });
    connect(this, &MessageWindow::promptRequested, this,
            [](const QString& sound) { PlayPrompt(sound); });
    applyLookAndLanguage();
}

MessageWindow::~MessageWindow() = default;

QString MessageWindow::promptText() const {
    return m_prompt->text();
}

QSize MessageWindow::promptPixels() {
    // A prompt wider than most of the screen is wrapped rather than pushed off it.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    const int widest = std::max(200, screenWidth * 3 / 4 - kTextLeft - 2 * kMargin);
    const QFontMetrics metrics(m_prompt->font());
    const int flags = Qt::AlignLeft | Qt::AlignTop;
    QRect box = metrics.boundingRect(QRect(0, 0, 100000, 100000), flags, m_prompt->text());
    m_prompt->setWordWrap(box.width() > widest);
    if (box.width() > widest)
        box = metrics.boundingRect(QRect(0, 0, widest, 100000), flags | Qt::TextWordWrap,
                                   m_prompt->text());
    return box.size();
}

void MessageWindow::setMessage(const QString& prompt, int style, const QString& title) {
    m_infoInt = kResultClosed;
    m_labInfo = style;
    const MessageStyle decoded = DecodeMessageStyle(style);
    m_twoButtons = decoded.Cancel;
    m_icon = decoded.Icon;
    m_prompt->setText(MessageLines(MessagePromptText(prompt)).join(QLatin1Char('\n')));
    m_iconLabel->setPixmap(MessageIcon(m_icon, kIconSize));
    m_cancel->setVisible(m_twoButtons);
    setWindowTitle(title.isEmpty() ? wintext::kMessageTitle : title);

    // The window grows by what the prompt needs beyond the designed room.
    const int tx = kui::twipsPerPixelX(this);
    const int ty = kui::twipsPerPixelY(this);
    const QSize text = promptPixels();
    const int letter = QFontMetrics(m_prompt->font()).height();
    const MessageSize twips = MessageWindowSize(text.width() * tx, text.height() * ty, letter * ty);
    QSize size(kui::twipsToPixels(twips.Width, tx), kui::twipsToPixels(twips.Height, ty));
    // A large font or a narrow frame must not clip the text or the buttons.
    const QMargins frame = contentsMargins();
    const int needWidth = frame.left() + kTextLeft + text.width() + kMargin + frame.right();
    const int buttons = m_twoButtons ? 2 * kButtonWidth + kButtonGap : kButtonWidth;
    const int needHeight = frame.top() + kMargin + std::max(text.height(), kIconSize) + kMargin +
                           kButtonHeight + kMargin + frame.bottom();
    size = size.expandedTo(QSize(std::max(needWidth, buttons + 2 * kMargin), needHeight));
    setFixedSize(size);

    QWidget* anchor = nullptr;
    switch (ChooseMessageAnchor(Shell().SplashDone, Shell().CommandSwitch, Shell().MainShown)) {
        case MessageAnchor::Screen:
            break;
        case MessageAnchor::MiniWindow:
            anchor = Shell().MiniWindow;
            break;
        case MessageAnchor::MainWindow:
            anchor = Shell().MainWindow;
            break;
    }
    CenterOver(this, anchor);
    layoutClient();
}

int MessageWindow::ShowMsg(const QString& prompt, int style, const QString& title) {
    setMessage(prompt, style, title);
    exec();
    return m_infoInt;
}

void MessageWindow::layoutClient() {
    if (!m_prompt) return;
    const QRect client = background()->rect();
    const int buttonTop = client.height() - kMargin - kButtonHeight;
    const int textHeight = std::max(buttonTop - 2 * kMargin, kIconSize);
    m_prompt->setGeometry(kTextLeft, kMargin, std::max(0, client.width() - kTextLeft - kMargin),
                          textHeight);
    m_iconLabel->move(kMargin, kMargin + std::max(0, (textHeight - kIconSize) / 2));
    if (m_twoButtons) {
        const int left = (client.width() - 2 * kButtonWidth - kButtonGap) / 2;
        m_ok->move(left, buttonTop);
        m_cancel->move(left + kButtonWidth + kButtonGap, buttonTop);
    } else {
        m_ok->move((client.width() - kButtonWidth) / 2, buttonTop);
    }
}

void MessageWindow::showEvent(QShowEvent* event) {
    SkinnedDialog::showEvent(event);
    if (event->spontaneous()) return;
    raise();
    activateWindow();
    m_ok->setFocus(Qt::OtherFocusReason);
    emit promptRequested(DecodeMessageStyle(m_labInfo).Sound());
}

void MessageWindow::press(int result) {
    m_infoInt = result;
    done(result);
}

int ShowMessage(const QString& prompt, int style, const QString& title) {
    if (QWidget* main = Shell().MainWindow; main && main->isMinimized()) main->showNormal();
    QApplication::processEvents();
    MessageWindow window;
    return window.ShowMsg(prompt, style, title);
}

}  // namespace korvan
