// The main window's composition: frame, client panel, boxes, buttons and the tab pages.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QScrollArea>
#include <QVBoxLayout>

#include "main/datapage.h"
#include "main/incrementpage.h"
#include "main/logicons.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "main/terminalpage.h"
#include "ui/controls/back.h"
#include "ui/controls/cmd.h"
#include "ui/controls/frame.h"
#include "ui/controls/paint.h"
#include "ui/controls/progress.h"
#include "ui/controls/vtab.h"
#include "ui/skin/skin.h"
#include "windows/chiptreeview.h"
#include "zelisp_interface.h"

namespace korvan {

namespace {

// The skin frame's first size, in twips, and what the size limits add to its minimum.
constexpr int kFrameWidthTwips = 7155;
constexpr int kFrameHeightTwips = 5760;
constexpr int kMinWidthExtra = 453;
constexpr int kMinHeightExtra = 301;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 26;
constexpr int kPageMargin = 8;
// The first tab strip's tabs narrow down to this so that all five fit at the smallest size.
constexpr int kTabWidth = 76;
constexpr int kNarrowestTab = 58;
constexpr int kSmallButtonWidth = 64;

// Captions in Lang.ini: the window's base (its Tag) plus each control's own Tag.
enum LangTag {
    kTagDown = 1,   // 1 to 4, the first four download buttons
    kTagCheck = 5,  // 5 and 6
    kTagOpen = 7,
    kTagTest = 8,
    kTagRun = 9,  // 9 to 11, browse, browse, run
    kTagPages = 12,
    kTagOptionPages = 13,
    kTagChecks = 14,  // 14 to 17, Check1 to Check4
    kTagRunAfter = 18,
    kTagIncrement = 19,
    kTagResetPresets = 20,
    kTagResetHistory = 21,
    kTagOptionFrame = 22,
    kTagSecondDown = 23,  // CmdDown(4), added after the numbers above were given out
};

kui::Cmd* MakeButton(LanguageCaptions& captions, QWidget* parent, const i18n::Text& caption,
                     int tag, int width = kButtonWidth) {
    auto* cmd = new kui::Cmd(parent);
    cmd->setProperty("Tag", tag);
    cmd->InitProperties();
    captions.caption(cmd, caption);
    cmd->setFixedSize(width, kButtonHeight);
    return cmd;
}

// The tab captions of `texts`, each tab keeping whether it is enabled.
template <class Texts>
void ShowTabCaptions(kui::vTab* tabs, const Texts& texts) {
    const QList<kui::vTab::TabEntry> entries = tabs->TabList();
    for (int i = 0; i < int(entries.size()) && i < texts.size(); ++i)
        tabs->Change(i, texts.at(i), entries.at(i).enabled);
}

QWidget* Scrolled(QWidget* page) {
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->viewport()->setAutoFillBackground(false);
    page->setAutoFillBackground(false);
    area->setWidget(page);
    return area;
}

QLineEdit* MakeBox(QWidget* parent, bool readOnly) {
    auto* box = new QLineEdit(parent);
    box->setReadOnly(readOnly);
    return box;
}

}  // namespace

void MainWindow::buildFrame() {
    setWindowTitle(maintext::kTitle);
    setProperty("Tag", 100);
    setAcceptDrops(true);
    QFont font = this->font();
    font.setPointSize(9);
    setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_skin = new kui::Skin(this);
    m_skin->setIcon(LogIcon(jobs::icon::kChip).pixmap(16));
    connect(m_skin, &kui::Skin::GetSize, this, &MainWindow::limitSize);
    m_menuBar = new QMenuBar(this);
    layout->setMenuBar(m_menuBar);
    m_back = new kui::Back(this);
    m_back->setObjectName(QStringLiteral("backWindow"));
    m_back->setShowBorder(false);
    layout->addWidget(m_back);

    auto* client = new QVBoxLayout(m_back);
    client->setContentsMargins(8, 6, 8, 6);
    client->setSpacing(6);
    buildTop(m_back);
    auto* middle = new QHBoxLayout;
    middle->setSpacing(8);
    buildTabs(m_back);
    middle->addWidget(m_tab1, 1);
    for (int i = 0; i < int(m_check.size()); ++i)
        m_check[size_t(i)]->setProperty("Tag", kTagChecks + i);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    for (kui::Cmd* cmd : m_cmdDown) buttons->addWidget(cmd);
    buttons->addStretch(1);
    middle->addLayout(buttons);
    client->addLayout(middle, 1);
    resize(kui::twipsToPixelsX(this, kFrameWidthTwips) + 120,
           kui::twipsToPixelsY(this, kFrameHeightTwips) + 60);
}

void MainWindow::buildTop(QWidget* client) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->addWidget(m_captions.text(new QLabel(client), maintext::kFileLabel), 0, 0);
    m_txtFile = MakeBox(client, false);
    grid->addWidget(m_txtFile, 0, 1, 1, 5);
    m_cmdOpen = MakeButton(m_captions, client, maintext::kOpen, kTagOpen);
    m_cmdOpen->setButton(1);  // the drop-down part shows the file history
    grid->addWidget(m_cmdOpen, 0, 6);
    grid->addWidget(m_captions.text(new QLabel(client), maintext::kSeriesLabel), 1, 0);
    m_cboMcu[0] = new QComboBox(client);
    grid->addWidget(m_cboMcu[0], 1, 1);
    m_check[2] = m_captions.text(new QCheckBox(client), maintext::kAutoType);
    grid->addWidget(m_check[2], 1, 2, 1, 5);
    m_txtXor = MakeBox(client, true);
    m_txtSpa = MakeBox(client, true);
    m_txtSz = MakeBox(client, true);
    m_txtSize = MakeBox(client, true);
    const std::pair<const i18n::Text*, QLineEdit*> sizes[] = {{&maintext::kSumLabel, m_txtXor},
                                                              {&maintext::kSizeLabel, m_txtSpa},
                                                              {&maintext::kChipSizeLabel, m_txtSz},
                                                              {&maintext::kFreeLabel, m_txtSize}};
    // Two pairs a row: four in one row overlap at the smallest window size.
    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(6);
    boxes->setVerticalSpacing(4);
    for (int i = 0; i < 4; ++i) {
        auto* caption = m_captions.text(new QLabel(client), *sizes[i].first);
        boxes->addWidget(caption, i / 2, (i % 2) * 2);
        boxes->addWidget(sizes[i].second, i / 2, (i % 2) * 2 + 1);
    }
    boxes->setColumnStretch(1, 1);
    boxes->setColumnStretch(3, 1);
    grid->addLayout(boxes, 2, 0, 1, 7);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    static_cast<QBoxLayout*>(client->layout())->addLayout(grid);
}

void MainWindow::buildButtons(QWidget* client) {
    for (int i = 0; i < int(m_cmdDown.size()); ++i) {
        const int tag = i == 4 ? kTagSecondDown : kTagDown + i;
        m_cmdDown[size_t(i)] = MakeButton(m_captions, client, maintext::kDownButtons.text(i), tag);
        connect(m_cmdDown[size_t(i)], &kui::Cmd::Click, this,
                [this, i] { m_controller->DownloadAction(i); });
    }
    m_cmdCheck[0] = MakeButton(m_captions, client, maintext::kCheck, kTagCheck);
    m_cmdCheck[1] = MakeButton(m_captions, client, maintext::kCancelCheck, kTagCheck + 1);
    for (int i = 1; i <= 2; ++i)
        connect(m_cmdCheck[size_t(i - 1)], &kui::Cmd::Click, this,
                [this, i] { m_controller->CheckAction(i); });
}

void MainWindow::buildTabs(QWidget* client) {
    buildButtons(client);
    m_tab1 = new kui::vTab(client);
    m_tab1->setProperty("Tag", kTagPages);
    m_tab1->setTabWidth(kTabWidth);
    m_tab1->setTabHeight(24);
    QList<kui::vTab::TabEntry> entries;
    for (const QString& caption : maintext::kPages) entries.append({caption, true});
    m_tab1->setTabList(entries);
    m_captions.bind(m_tab1, [this] { ShowTabCaptions(m_tab1, maintext::kPages); });
    m_dataPage = new DataPage(m_workspace);
    connect(m_dataPage, &DataPage::codeEdited, this,
            [this] { m_txtXor->setText(m_workspace.sumText()); });
    m_terminalPage = new TerminalPage(m_port, m_clock);
    m_terminalPage->setBusyCheck([this] { return jobRunning(); });
    m_dataPage->setReceiveBox(m_terminalPage->receiveBox());
    // The pages with many rows scroll at small window sizes rather than squeeze their rows.
    m_pages1 = {buildLogPage(), Scrolled(buildCustomPage()), buildOptionPage(), m_dataPage,
                Scrolled(m_terminalPage)};
    placePages(m_tab1, m_pages1);
    connect(m_tab1, &kui::vTab::TabSelected, this, [this](int index) {
        for (size_t i = 0; i < m_pages1.size(); ++i) m_pages1[i]->setVisible(int(i) == index);
        m_dataPage->pageSelected(index);
    });
    m_tab1->setSelected(0);
}

void MainWindow::placePages(kui::vTab* tabs, const std::vector<QWidget*>& pages) {
    for (QWidget* page : pages) page->setParent(tabs);
    tabs->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A double-click anywhere on the log clears it.
    if (watched == m_lsvLog->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        m_controller->log().clear();
        return true;
    }
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
        const auto place = [](kui::vTab* tabs, const std::vector<QWidget*>& pages) {
            const QRect area =
                tabs->PageRect().adjusted(kPageMargin, kPageMargin, -kPageMargin, -kPageMargin);
            for (QWidget* page : pages) page->setGeometry(area);
        };
        if (watched == m_tab1) {
            const int count = std::max(1, int(m_pages1.size()));
            const int room = m_tab1->width() - m_tab1->TabLeft() - kPageMargin;
            const int fit = room / count - m_tab1->TabStep();
            m_tab1->setTabWidth(std::clamp(fit, kNarrowestTab, kTabWidth));
            place(m_tab1, m_pages1);
        }
        if (watched == m_tab2) place(m_tab2, m_pages2);
    }
    return QWidget::eventFilter(watched, event);
}

QWidget* MainWindow::buildLogPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_lsvLog = new QListView(page);
    m_lsvLog->setObjectName(QStringLiteral("lsvLog"));
    m_lsvLog->setModel(new LogIconModel(m_controller->log(), m_lsvLog));
    m_lsvLog->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lsvLog->setUniformItemSizes(true);
    m_lsvLog->setIconSize(QSize(16, 16));
    layout->addWidget(m_lsvLog, 1);
    // A new line is the selected one, so the eye finds the latest step.
    connect(m_lsvLog->model(), &QAbstractItemModel::rowsInserted, m_lsvLog,
            [this](const QModelIndex&, int, int last) {
                m_lsvLog->setCurrentIndex(m_lsvLog->model()->index(last, 0));
                m_lsvLog->scrollToBottom();
            });
    m_lsvLog->viewport()->installEventFilter(this);
    m_progress = new kui::Progress(page);
    m_progress->setFixedHeight(16);
    m_progress->setVisible(false);
    layout->addWidget(m_progress);
    return page;
}

QWidget* MainWindow::buildCustomPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(4, 4, 4, 4);
    // Ten rows share the page's fixed height; the default spacing cut off the last button.
    grid->setVerticalSpacing(2);
    m_check[0] = m_captions.text(new QCheckBox(page), maintext::kUseReset);
    grid->addWidget(m_check[0], 0, 0, 1, 3);
    grid->addWidget(m_captions.text(new QLabel(page), maintext::kResetLabel), 1, 0);
    // The command has the row to itself and its buttons go under it: beside them it was
    // squeezed to two characters in the smallest window.
    m_txtTest = MakeBox(page, false);
    m_txtTest->setObjectName(QStringLiteral("txtTest"));
    grid->addWidget(m_txtTest, 1, 1, 1, 2);
    auto* resetRow = new QHBoxLayout;
    resetRow->setSpacing(4);
    resetRow->addStretch(1);
    m_cmdUset =
        MakeButton(m_captions, page, maintext::kResetPresets, kTagResetPresets, kSmallButtonWidth);
    m_cmdCode =
        MakeButton(m_captions, page, maintext::kResetHistory, kTagResetHistory, kSmallButtonWidth);
    m_cmdTest = MakeButton(m_captions, page, maintext::kTest, kTagTest, 70);
    resetRow->addWidget(m_cmdUset);
    resetRow->addWidget(m_cmdCode);
    resetRow->addWidget(m_cmdTest);
    grid->addLayout(resetRow, 2, 1, 1, 2);
    connect(m_cmdTest, &kui::Cmd::Click, this, [this] { m_controller->TestSoftStart(); });
    grid->addWidget(m_captions.text(new QLabel(page), maintext::kResetSeqLabel), 3, 0);
    grid->addWidget(buildResetSequenceBox(page), 3, 1, 1, 2);
    m_check[1] = m_captions.text(new QCheckBox(page), maintext::kAutoData);
    grid->addWidget(m_check[1], 4, 0, 1, 3);
    m_check[3] = m_captions.text(new QCheckBox(page), maintext::kAutoDown);
    grid->addWidget(m_check[3], 5, 0, 1, 3);
    m_chkExe = m_captions.text(new QCheckBox(page), maintext::kRunAfter);
    m_chkExe->setProperty("Tag", kTagRunAfter);
    grid->addWidget(m_chkExe, 6, 0, 1, 3);
    const i18n::Text* labels[] = {&maintext::kProgramLabel, &maintext::kParametersLabel};
    const i18n::Text* browse[] = {&maintext::kBrowseProgram, &maintext::kBrowseParameters};
    for (int i = 0; i < 2; ++i) {
        grid->addWidget(m_captions.text(new QLabel(page), *labels[i]), 7 + i, 0);
        m_txtExe[size_t(i)] = MakeBox(page, false);
        grid->addWidget(m_txtExe[size_t(i)], 7 + i, 1);
        m_cmdRun[size_t(i)] = MakeButton(m_captions, page, *browse[i], kTagRun + i, 70);
        grid->addWidget(m_cmdRun[size_t(i)], 7 + i, 2);
    }
    grid->addWidget(m_captions.text(new QLabel(page), maintext::kDelayLabel), 9, 0);
    m_combo3 = new QComboBox(page);
    for (int delay : RunDelays()) m_combo3->addItem(QStringLiteral("%1 ms").arg(delay));
    grid->addWidget(m_combo3, 9, 1);
    m_cmdRun[2] = MakeButton(m_captions, page, maintext::kRun, kTagRun + 2, 70);
    grid->addWidget(m_cmdRun[2], 9, 2);
    connect(m_cmdRun[2], &kui::Cmd::Click, this, [this] { m_controller->RunUserAction(false); });
    grid->setRowStretch(10, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

QWidget* MainWindow::buildOptionPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tab2 = new kui::vTab(page);
    m_tab2->setProperty("Tag", kTagOptionPages);
    m_tab2->setTabWidth(76);
    m_tab2->setTabHeight(22);
    QList<kui::vTab::TabEntry> entries;
    for (const QString& caption : maintext::kOptionPages) entries.append({caption, true});
    m_tab2->setTabList(entries);
    m_captions.bind(m_tab2, [this] { ShowTabCaptions(m_tab2, maintext::kOptionPages); });
    layout->addWidget(m_tab2);

    auto* core = new QWidget;
    auto* coreLayout = new QVBoxLayout(core);
    coreLayout->setContentsMargins(0, 0, 0, 0);
    auto* seriesRow = new QHBoxLayout;
    seriesRow->addWidget(m_captions.text(new QLabel(core), maintext::kSeriesLabel));
    m_cboMcu[1] = new QComboBox(core);
    seriesRow->addWidget(m_cboMcu[1], 1);
    coreLayout->addLayout(seriesRow);
    // The frame hands the keyboard focus on to the control inside it.
    m_optionFrame = new kui::Frame(core);
    m_optionFrame->setObjectName(QStringLiteral("optionFrame"));
    m_optionFrame->setProperty("Tag", kTagOptionFrame);
    m_captions.caption(m_optionFrame, maintext::kOptionFrame);
    // The room inside the line and under the caption does not depend on the frame's size.
    m_optionFrame->resize(400, 200);
    const QRect inside = m_optionFrame->ContentsRect();
    auto* frameLayout = new QVBoxLayout(m_optionFrame);
    frameLayout->setContentsMargins(inside.left() + 2, inside.top() + 2, 400 - inside.right() + 1,
                                    200 - inside.bottom() + 1);
    if (QWidget* editor = m_control.widget()) {
        frameLayout->addWidget(editor, 1);
        m_optionFrame->setFocusPolicy(Qt::StrongFocus);
        m_optionFrame->setFocusProxy(editor);
    }
    coreLayout->addWidget(m_optionFrame, 1);
    m_trvSet = new ChipTreeView;
    m_trvSet->setClearAllowed([this] { return m_cmdCheck[0]->isEnabled(); });
    // Checking belongs to the chip page: its two buttons are shown with it and nowhere else.
    auto* chipPage = new QWidget;
    auto* chipLayout = new QVBoxLayout(chipPage);
    chipLayout->setContentsMargins(0, 0, 0, 0);
    chipLayout->setSpacing(4);
    chipLayout->addWidget(m_trvSet, 1);
    auto* checkRow = new QHBoxLayout;
    checkRow->addStretch(1);
    for (kui::Cmd* cmd : m_cmdCheck) {
        cmd->setParent(chipPage);
        checkRow->addWidget(cmd);
    }
    chipLayout->addLayout(checkRow);
    m_incrementPage =
        new IncrementPage(m_workspace.settingsOwner(), [this] { return m_clock.now(); });
    m_pages2 = {core, chipPage, m_incrementPage};
    placePages(m_tab2, m_pages2);
    connect(m_tab2, &kui::vTab::TabSelected, this, [this](int index) {
        for (size_t i = 0; i < m_pages2.size(); ++i) m_pages2[i]->setVisible(int(i) == index);
    });
    m_tab2->setSelected(0);
    return page;
}

void MainWindow::limitSize(int& maxLeft, int& maxTop, int& maxWidth, int& maxHeight, int& minWidth,
                           int& minHeight) {
    (void)maxTop;
    (void)maxHeight;
    minWidth += kMinWidthExtra;
    minHeight += kMinHeightExtra;
    // A maximised window keeps its width and stands at the right edge of the work area.
    maxLeft = maxWidth - m_skin->ScaleWidth();
    maxWidth = m_skin->ScaleWidth();
}

}  // namespace korvan
