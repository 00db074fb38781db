#include "windows/aboutwindow.h"

#include <QHideEvent>
#include <QLabel>

#include "ui/controls/back.h"
#include "ui/controls/cmd.h"
#include "ui/skin/skin.h"
#include "windows/dragpanel.h"
#include "windows/maillink.h"
#include "windows/messageicons.h"
#include "windows/shellstate.h"
#include "windows/windowplacement.h"
#include "windows/windowtexts.h"

namespace korvan {

namespace {

constexpr int kLangBase = 1100;
constexpr int kWidthTwips = 6000;
constexpr int kHeightTwips = 3300;
constexpr int kMargin = 14;
constexpr int kIconSize = 48;

QLabel* MakeLabel(QWidget* parent, const QString& text, int pointSize, bool bold,
                  const QColor& colour) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : SkinnedDialog(kLangBase, parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(wintext::kAboutTitle);
    m_startup = !Shell().SplashDone;

    m_icon = new QLabel(background());
    m_icon->setPixmap(MessageIcon(9, kIconSize));
    m_icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_name = MakeLabel(background(), wintext::kProductName, 20, true, QColor(40, 56, 120));
    // The description twice, the lower one offset as its shadow.
    m_descriptionShadow =
        MakeLabel(background(), wintext::kProductDescription, 12, true, QColor(190, 200, 226));
    m_description =
        MakeLabel(background(), wintext::kProductDescription, 12, true, QColor(49, 72, 160));
    m_description->setProperty("Tag", 1);
    m_descriptionShadow->setProperty("Tag", 1);
    m_version = MakeLabel(background(), wintext::kVersionPrefix + Shell().AppVersion, 9, false,
                          QColor(60, 60, 60));
    m_copyright =
        MakeLabel(background(), wintext::kAboutCopyright, 9, false, QColor(100, 100, 100));
    m_mail = MakeMailLabel(background());
    m_ok = new kui::Cmd(background());
    m_ok->InitProperties();
    m_ok->setCaption(wintext::kOk);
    m_ok->setProperty("Tag", 2);
    connect(m_ok, &kui::Cmd::Click, this, &QDialog::accept);
    DragPanel::attach(background(), this);

    resizeTwips(kWidthTwips, kHeightTwips);
    applyLookAndLanguage();
    m_name->setVisible(m_startup);
    m_ok->setVisible(!m_startup);
    layoutClient();
    if (m_startup) {
        // The start-up screen goes by itself; it has nothing to close.
        skin()->setTitleButtonVisible(kui::Skin::CloseButton, false);
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        setAlpha(kSplashAlpha);
    } else {
        setWindowFlag(Qt::WindowStaysOnTopHint, Shell().TopMost);
    }
    CenterOver(this, m_startup ? nullptr : Shell().MainWindow.data());
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::layoutClient() {
    if (!m_ok) return;
    const QRect client = background()->rect();
    const int textLeft = kMargin + kIconSize + 14;
    m_icon->move(kMargin, kMargin + 4);
    m_name->setGeometry(textLeft, kMargin - 4, client.width() - textLeft - kMargin, 34);
    // Without the product name (the About box) the texts move up into its place.
    const int descriptionTop = m_name->isVisibleTo(this) ? kMargin + 32 : kMargin + 6;
    m_description->setGeometry(textLeft, descriptionTop, client.width() - textLeft - kMargin, 24);
    m_descriptionShadow->setGeometry(m_description->geometry().translated(1, 1));
    m_descriptionShadow->stackUnder(m_description);
    m_version->setGeometry(textLeft, descriptionTop + 30, 200, 18);
    m_copyright->setGeometry(textLeft, descriptionTop + 50, 200, 18);
    const int bottom = client.height() - kMargin;
    m_ok->setGeometry(client.width() - kMargin - 80, bottom - 24, 80, 24);
    m_mail->setGeometry(kMargin, bottom - 20, m_ok->x() - 2 * kMargin, 18);
}

void AboutWindow::setAlpha(int alpha) {
    m_alpha = alpha;
    setWindowOpacity(alpha / 255.0);
    emit alphaChanged(alpha);
}

void AboutWindow::fadeOut() {
    for (int alpha = kSplashAlpha; alpha >= 0; alpha -= kFadeStep) setAlpha(alpha);
    close();
}

void AboutWindow::hideEvent(QHideEvent* event) {
    SkinnedDialog::hideEvent(event);
    Shell().SplashDone = true;
    if (QWidget* main = Shell().MainWindow; main && main->isVisible()) {
        main->activateWindow();
        main->setFocus(Qt::ActiveWindowFocusReason);
    }
}

}  // namespace korvan
