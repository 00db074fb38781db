#include "gallerywindow.h"

#include <QActionGroup>
#include <QMenuBar>
#include <QVBoxLayout>

#include "galleryicons.h"
#include "gallerythemes.h"
#include "ui/controls/adjustpass.h"
#include "ui/controls/back.h"
#include "ui/controls/cmd.h"
#include "ui/controls/frame.h"
#include "ui/controls/paint.h"
#include "ui/controls/progress.h"
#include "ui/controls/vsmenu.h"
#include "ui/controls/vtab.h"
#include "ui/skin/skin.h"

using namespace kui;

namespace gallery {

namespace {

constexpr int kClientWidth = 760;
constexpr int kClientHeight = 440;

struct Adjustment {
    const char* name;
    double red, green, blue;
};

const Adjustment kAdjustments[] = {
    {"原色", 0, 0, 0},
    {"暖色调", 18, 0, -22},
    {"冷色调", -22, -4, 20},
    {"暗色调", -25, -25, -25},
};

Cmd* makeButton(QWidget* parent, const QString& caption, const QRect& geometry) {
    auto* cmd = new Cmd(parent);
    cmd->setObjectName(caption);
    cmd->InitProperties();
    cmd->setGeometry(geometry);
    return cmd;
}

Frame* makeFrame(QWidget* parent, const QString& caption, const QString& text,
                 const QRect& geometry) {
    auto* frame = new Frame(parent);
    frame->setCaption(caption);
    frame->setText(text);
    frame->setGeometry(geometry);
    return frame;
}

}  // namespace

GalleryWindow::GalleryWindow(QWidget* parent) : QWidget(parent), m_engine(CreateSkinObject()) {
    setWindowTitle(QStringLiteral("KORVAN 控件样例"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_skin = new Skin(this);
    m_skin->setIcon(chipIcon(16));
    m_skin->setPanels(QStringList{QStringLiteral("就绪"), QStringLiteral("COM1  115200,N,8,1"),
                                  QStringLiteral("ZEL51D 系列")}
                          .join(QChar(1)));

    m_menuBar = new QMenuBar(this);
    layout->setMenuBar(m_menuBar);

    m_background = new Back(this);
    m_background->setObjectName(QStringLiteral("backWindow"));
    m_background->setShowBorder(false);
    m_background->setFixedSize(kClientWidth, kClientHeight);
    layout->addWidget(m_background);

    buildButtons(m_background);
    buildProgress(m_background);
    buildTabs(m_background);
    buildMenus();

    m_vsMenu = new VsMenu(this);
    m_vsMenu->Init(this);
    connect(m_vsMenu, &VsMenu::Highlight, this, [this](const QString& text) {
        m_skin->setPanelText(0, text.isEmpty() ? QStringLiteral("就绪") : text);
    });
    applyScheme(0);
}

GalleryWindow::~GalleryWindow() {
    // The menu control reports the end of its host; this window is no longer one by then.
    delete m_vsMenu;
}

void GalleryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The frame has set its margins by now: the window takes the size its contents ask for.
    resize(layout()->totalSizeHint());
}

// ---- menus --------------------------------------------------------------------------------

void GalleryWindow::buildMenus() {
    m_fileMenu = m_menuBar->addMenu(QStringLiteral("文件(&F)"));
    m_fileMenu->addAction(QIcon(folderIcon()), QStringLiteral("打开代码文件(&O)..."))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* save = m_fileMenu->addAction(QIcon(diskIcon()), QStringLiteral("保存下载任务(&S)"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    save->setEnabled(false);
    m_fileMenu->addSeparator();
    QMenu* history = m_fileMenu->addMenu(QStringLiteral("历史文件记录"));
    history->addAction(QStringLiteral("&1 demo.hex"));
    history->addAction(QStringLiteral("&2 blink.hex"));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(QStringLiteral("退出(&X)"), this, &QWidget::close);

    QMenu* options = m_menuBar->addMenu(QStringLiteral("选项(&O)"));
    QAction* autoDownload = options->addAction(QStringLiteral("文件改变时自动下载"));
    autoDownload->setCheckable(true);
    autoDownload->setChecked(true);
    QAction* top = options->addAction(QStringLiteral("窗口置顶"));
    top->setCheckable(true);
    QAction* sound = options->addAction(QStringLiteral("声音提示"));
    sound->setCheckable(true);
    sound->setChecked(true);
    options->addSeparator();
    options->addAction(QIcon(chipIcon()), QStringLiteral("芯片选项..."))->setEnabled(false);

    QMenu* skins = m_menuBar->addMenu(QStringLiteral("皮肤(&S)"));
    auto* skinGroup = new QActionGroup(this);
    for (int i = 0; i < themeCount(); ++i) {
        QAction* a = skins->addAction(theme(i).name, this, [this, i] { applyScheme(i); });
        a->setCheckable(true);
        a->setChecked(i == 0);
        skinGroup->addAction(a);
        m_schemeActions.append(a);
    }
    // The engine's skins, when the plugin is there; without it the menu simply has none.
    if (m_engine.SkinCount() > 0) skins->addSeparator();
    for (int i = 0; i < m_engine.SkinCount(); ++i) {
        QAction* a =
            skins->addAction(m_engine.SkinName(i), this, [this, i] { applyEngineSkin(i); });
        a->setCheckable(true);
        skinGroup->addAction(a);
        m_schemeActions.append(a);
    }

    QMenu* colours = m_menuBar->addMenu(QStringLiteral("颜色(&C)"));
    auto* colourGroup = new QActionGroup(this);
    for (const Adjustment& adj : kAdjustments) {
        QAction* a = colours->addAction(QString::fromUtf8(adj.name), this, [this, adj] {
            applyAdjustment(adj.red, adj.green, adj.blue);
        });
        a->setCheckable(true);
        a->setChecked(adj.red == 0 && adj.green == 0 && adj.blue == 0);
        colourGroup->addAction(a);
    }

    QMenu* help = m_menuBar->addMenu(QStringLiteral("帮助(&H)"));
    help->addAction(QStringLiteral("关于 KORVAN..."));

    m_dropMenu = new QMenu(this);
    m_dropMenu->addAction(QStringLiteral("下载并运行"));
    m_dropMenu->addAction(QStringLiteral("只写选项"));
    m_dropMenu->addAction(QStringLiteral("检测芯片"));
    m_moreMenu = new QMenu(this);
    m_moreMenu->addAction(QStringLiteral("清空日志"));
    m_moreMenu->addAction(QStringLiteral("复制日志"))->setEnabled(false);
}

// ---- content ------------------------------------------------------------------------------

void GalleryWindow::buildButtons(QWidget* client) {
    Frame* frame = makeFrame(client, QStringLiteral("按钮"),
                             QStringLiteral("点右侧箭头弹出下拉菜单"), QRect(12, 8, 360, 132));
    const int w = 104, h = 28, x0 = 16, gap = 10;
    Cmd* open = makeButton(frame, QStringLiteral("打开文件"), QRect(x0, 30, w, h));
    open->setIcon(folderIcon());
    open->setIconLeft(8);
    Cmd* save = makeButton(frame, QStringLiteral("保存任务"), QRect(x0 + w + gap, 30, w, h));
    save->setIcon(diskIcon());
    save->setIconLeft(8);
    save->setEnabled(false);
    Cmd* download = makeButton(frame, QStringLiteral("下载"), QRect(x0 + 2 * (w + gap), 30, w, h));
    download->setButton(1);
    connect(download, &Cmd::DropClick, this,
            [this, download] { download->PopMenu(m_dropMenu, 1); });

    Cmd* kept = makeButton(frame, QStringLiteral("串口已打开"), QRect(x0, 68, w, h));
    kept->setKeep(true);
    kept->setUserDown(true);
    Cmd* more = makeButton(frame, QStringLiteral("更多操作"), QRect(x0 + w + gap, 68, w, h));
    connect(more, &Cmd::Click, this, [this, more] { more->PopMenu(m_moreMenu, 2); });
    Cmd* chip = makeButton(frame, QStringLiteral("检测芯片"), QRect(x0 + 2 * (w + gap), 68, w, h));
    chip->setIcon(chipIcon());
    chip->setIconLeft(8);
    chip->setShowOrder(false);
}

void GalleryWindow::buildProgress(QWidget* client) {
    m_progressFrame = makeFrame(client, QStringLiteral("进度"), QString(), QRect(384, 8, 364, 132));
    m_progress = new Progress(m_progressFrame);
    m_progress->setGeometry(16, 30, 256, 20);
    Cmd* less = makeButton(m_progressFrame, QStringLiteral("−"), QRect(280, 29, 32, 22));
    Cmd* more = makeButton(m_progressFrame, QStringLiteral("+"), QRect(316, 29, 32, 22));
    connect(less, &Cmd::Click, this, [this] { setProgress(m_progress->Value() - 10); });
    connect(more, &Cmd::Click, this, [this] { setProgress(m_progress->Value() + 10); });
    auto* busy = new Progress(m_progressFrame);
    busy->setGeometry(16, 66, 332, 20);
    busy->setScrolling(1);
    setProgress(65);
}

void GalleryWindow::setProgress(long value) {
    m_progress->setValue(value);
    m_progressFrame->setText(
        QStringLiteral("已写入 %1%，下方为等待芯片响应").arg(m_progress->Value()));
}

void GalleryWindow::buildTabs(QWidget* client) {
    m_tabs = new vTab(client);
    m_tabs->setGeometry(12, 150, 736, 278);
    m_tabs->setTabWidth(80);
    m_tabs->setTabHeight(24);
    m_tabs->setTabList({{QStringLiteral("常规下载"), true},
                        {QStringLiteral("自定下载"), true},
                        {QStringLiteral("MCU 选项"), false},
                        {QStringLiteral("缓存数据"), true},
                        {QStringLiteral("串口助手"), true}});
    m_pages = {
        buildPanelsPage(m_tabs),
        buildTextPage(m_tabs, QStringLiteral("自定下载"), QStringLiteral("按地址写入多个代码段")),
        buildTextPage(m_tabs, QStringLiteral("MCU 选项"), QString()),
        buildTextPage(m_tabs, QStringLiteral("缓存数据"), QStringLiteral("共 0 字节")),
        buildTextPage(m_tabs, QStringLiteral("串口助手"),
                      QStringLiteral("文本模式 · 自动发送关闭"))};
    connect(m_tabs, &vTab::TabSelected, this, &GalleryWindow::showPage);
    showPage(0);
}

QWidget* GalleryWindow::buildPanelsPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    page->setGeometry(m_tabs->PageRect().adjusted(12, 12, -12, -12));
    const int w = 166, h = 108;
    const QString names[] = {QStringLiteral("纯色"), QStringLiteral("双色渐变"),
                             QStringLiteral("三色渐变")};
    for (int i = 0; i < 3; ++i) {
        Frame* frame = makeFrame(page, names[i], QString(), QRect(i * (w + 12), 0, w, h));
        auto* back = new Back(frame);
        back->setShowColor(i + 1);
        back->setProperty("galleryMode", i + 1);
        back->setGeometry(frame->ContentsRect().adjusted(0, 2, 0, 0));
    }
    Frame* captioned = makeFrame(page, QStringLiteral("框架标题"), QStringLiteral("框架底部文字"),
                                 QRect(3 * (w + 12), 0, page->width() - 3 * (w + 12), h));
    const QRect inside = captioned->ContentsRect();
    auto* level = new Progress(captioned);
    level->setOrientation(1);
    level->setGeometry(inside.left() + 4, inside.top(), 20, inside.height());
    level->setValue(40);
    auto* solid = new Progress(captioned);
    solid->setSegmentSpace(0);
    solid->setGeometry(inside.left() + 36, inside.center().y() - 9, inside.width() - 40, 18);
    solid->setValue(80);
    auto* vertical = new Back(page);
    vertical->setShowColor(3);
    vertical->setShowOrder(false);
    vertical->setMiddleStep(30);
    vertical->setProperty("galleryMode", 3);
    vertical->setGeometry(0, h + 12, page->width(), page->height() - h - 12);
    return page;
}

QWidget* GalleryWindow::buildTextPage(QWidget* parent, const QString& caption,
                                      const QString& text) {
    auto* page = new QWidget(parent);
    page->setGeometry(m_tabs->PageRect().adjusted(12, 12, -12, -12));
    makeFrame(page, caption, text, QRect(0, 0, page->width(), page->height()));
    return page;
}

void GalleryWindow::showPage(int index) {
    for (int i = 0; i < m_pages.size(); ++i) m_pages[i]->setVisible(i == index);
}

// ---- colours ------------------------------------------------------------------------------

void GalleryWindow::applyScheme(int index) {
    m_scheme = std::clamp(index, 0, themeCount() - 1);
    if (m_scheme < m_schemeActions.size()) m_schemeActions[m_scheme]->setChecked(true);
    const Theme& t = theme(m_scheme);
    m_skin->ChangePicture(QString(), QString(), QString(), false, true);  // an engine's pictures
    m_skin->setSkinNumber(m_scheme);
    m_skin->ChangeSkin(true);
    m_skin->ChangeColor(m_skin->clrTitle(), m_skin->clrState(), m_skin->clrMenu(), t.menuBarStart,
                        t.menuBarEnd, t.menuBorder);
    applyTheme(m_background, m_vsMenu, t);
    // The window's own background follows the scheme, not the panel colours.
    m_background->ChangeColor(t.panelBorder, false, t.windowBack, t.windowBack, t.windowBack, 1);
    applyAdjustment(m_adjust[0], m_adjust[1], m_adjust[2]);
}

void GalleryWindow::applyEngineSkin(int index) {
    if (!m_engine.setSkinType(index)) return;
    const int action = themeCount() + index;
    if (action < m_schemeActions.size()) m_schemeActions[action]->setChecked(true);
    m_engine.ChangeSkin(this);
    // A skin gives every panel one mode; the gallery's panels show all three.
    const QList<Back*> panels = m_background->findChildren<Back*>();
    for (Back* panel : panels)
        if (const QVariant mode = panel->property("galleryMode"); mode.isValid())
            panel->setShowColor(mode.toInt());
    const OleColor windowBack = fromQColor(lighten(toQColor(m_tabs->BorderColor()), 228));
    m_background->ChangeColor(windowBack, false, windowBack, windowBack, windowBack, 1);
    applyAdjustment(m_adjust[0], m_adjust[1], m_adjust[2]);
}

void GalleryWindow::applyAdjustment(double red, double green, double blue) {
    m_adjust[0] = red, m_adjust[1] = green, m_adjust[2] = blue;
    m_skin->AdjustRGB(red, green, blue);
    m_background->AdjustRGB(red, green, blue);
    AdjustControls(m_background, red, green, blue);
}

}  // namespace gallery
