#include "windows/helpwindow.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>

#include "ui/controls/back.h"
#include "ui/core/cscroll.h"
#include "ui/core/twips.h"
#include "views/scrollsteps.h"
#include "windows/maillink.h"
#include "windows/shellstate.h"
#include "windows/windowplacement.h"
#include "windows/windowtexts.h"

namespace korvan {

namespace {

constexpr int kLangBase = 1200;
constexpr int kWidthTwips = 6480;
constexpr int kHeightTwips = 4620;
constexpr int kMargin = 8;
constexpr int kMailHeight = 20;
constexpr int kWheelSteps = 3;

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : SkinnedDialog(kLangBase, parent) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(wintext::kHelpTitle);
    setWindowFlag(Qt::WindowStaysOnTopHint, Shell().TopMost);

    m_viewport = new QWidget(background());
    m_viewport->setObjectName(QStringLiteral("helpViewport"));
    m_viewport->setFocusPolicy(Qt::StrongFocus);
    m_viewport->setAutoFillBackground(true);
    QPalette palette = m_viewport->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_viewport->setPalette(palette);
    m_viewport->installEventFilter(this);
    m_panel = new QWidget(m_viewport);
    m_panel->setObjectName(QStringLiteral("helpText"));
    buildText();
    m_panel->installEventFilter(this);
    m_mail = MakeMailLabel(background());

    m_scroll = new kui::cScroll(this);
    m_scroll->Init(m_viewport);
    m_scroll->setSmallChange(1);
    m_scroll->setLargeChange(ScrollSteps::kPageSteps);
    connect(m_scroll, &kui::cScroll::Change, this, [this] { scrollTo(m_scroll->Value()); });

    // Focus that lands on the window or its panels belongs to the viewport.
    setFocusProxy(m_viewport);
    background()->setFocusProxy(m_viewport);
    m_panel->setFocusProxy(m_viewport);

    resizeTwips(kWidthTwips, kHeightTwips);
    applyLookAndLanguage();
    CenterOver(this, Shell().MainWindow.data());
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::buildText() {
    auto* grid = new QGridLayout(m_panel);
    grid->setContentsMargins(10, 8, 10, 10);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (const wintext::HelpRow& entry : wintext::kHelpRows) {
        auto* text = new QLabel(entry.Text, m_panel);
        text->setWordWrap(true);
        text->setTextFormat(Qt::PlainText);
        if (entry.Heading) {
            QFont font = text->font();
            font.setBold(true);
            text->setFont(font);
            if (row > 0) grid->setRowMinimumHeight(row++, 6);
            grid->addWidget(text, row++, 0, 1, 2);
            continue;
        }
        if (*entry.Key == '\0') {
            grid->addWidget(text, row++, 0, 1, 2);
            continue;
        }
        auto* key = new QLabel(QString::fromLatin1(entry.Key), m_panel);
        QFont font = key->font();
        font.setBold(true);
        key->setFont(font);
        key->setAlignment(Qt::AlignRight | Qt::AlignTop);
        grid->addWidget(key, row, 0);
        grid->addWidget(text, row++, 1);
    }
}

int HelpWindow::step() const {
    return m_steps ? m_steps->step() : 0;
}

int HelpWindow::maxStep() const {
    return m_steps ? m_steps->maxStep() : 0;
}

void HelpWindow::layoutClient() {
    if (!m_mail) return;
    const QRect client = background()->rect();
    m_viewport->setGeometry(kMargin, kMargin, client.width() - 2 * kMargin,
                            client.height() - 3 * kMargin - kMailHeight);
    m_mail->setGeometry(kMargin, client.height() - kMargin - kMailHeight,
                        client.width() - 2 * kMargin, kMailHeight);
    updateSteps();
}

void HelpWindow::updateSteps() {
    if (!m_scroll) return;
    // The text is laid out at the width left beside the bar, and tall enough for all of it.
    const int barWidth = m_scroll->bar() ? m_scroll->bar()->sizeHint().width() : 0;
    const int width = std::max(0, m_viewport->width() - barWidth);
    const int height = m_panel->layout()->hasHeightForWidth()
                           ? m_panel->layout()->heightForWidth(width)
                           : m_panel->sizeHint().height();
    m_panel->resize(width, height);
    const int ty = kui::twipsPerPixelY(this);
    const int keep = step();
    m_steps = std::make_unique<ScrollSteps>(height * ty, m_viewport->height() * ty);
    m_steps->setStep(keep);
    m_scroll->setMax(m_steps->maxStep());
    m_scroll->setVisible(m_steps->barVisible());
    m_scroll->setValue(m_steps->step());
    placePanel();
}

void HelpWindow::scrollTo(int step) {
    if (!m_steps) return;
    m_steps->setStep(step);
    if (m_scroll->Value() != m_steps->step()) m_scroll->setValue(m_steps->step());
    placePanel();
}

void HelpWindow::placePanel() {
    const int ty = kui::twipsPerPixelY(this);
    m_panel->move(0, kui::twipsToPixels(m_steps ? m_steps->panelTop() : 0, ty));
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    // A wheel notch over the text turns three steps, as a text view would; over the bar it
    // stays the bar's single step.
    if (watched == m_panel && event->type() == QEvent::Wheel) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        const int notches = delta / 120 != 0 ? delta / 120 : (delta > 0) - (delta < 0);
        scrollTo(step() - notches * kWheelSteps);
        return true;
    }
    if (watched == m_viewport && event->type() == QEvent::KeyPress) {
        int request = -1;
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Up:
                request = kui::cScroll::LineUp;
                break;
            case Qt::Key_Down:
                request = kui::cScroll::LineDown;
                break;
            case Qt::Key_PageUp:
                request = kui::cScroll::PageUp;
                break;
            case Qt::Key_PageDown:
                request = kui::cScroll::PageDown;
                break;
            case Qt::Key_Home:
                request = kui::cScroll::Top;
                break;
            case Qt::Key_End:
                request = kui::cScroll::Bottom;
                break;
            default:
                break;
        }
        if (request >= 0) {
            m_scroll->Request(request);
            return true;
        }
    }
    return SkinnedDialog::eventFilter(watched, event);
}

}  // namespace korvan
