#include "settings/settingsdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "settings/settingstexts.h"
#include "ui/controls/adjustpass.h"
#include "ui/controls/back.h"
#include "ui/controls/cdialog.h"
#include "ui/controls/cmd.h"
#include "ui/controls/vtab.h"
#include "ui/skin/skin.h"
#include "windows/promptplayer.h"
#include "windows/shellstate.h"
#include "windows/windowplacement.h"

namespace korvan {

namespace {

constexpr int kLangBase = 1300;
constexpr int kWidthTwips = 5550;
constexpr int kHeightTwips = 4500;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 76;
constexpr int kButtonHeight = 24;
constexpr int kPageMargin = 6;

// The background behind each slider: light red, light green, light blue.
const std::array<QColor, 3> kSliderBacks = {QColor(0xFF, 0xE0, 0xE0), QColor(0xE0, 0xFF, 0xE0),
                                            QColor(0xE0, 0xE0, 0xFF)};

QCheckBox* MakeCheck(QWidget* parent, const QString& caption, bool ticked) {
    auto* box = new QCheckBox(caption, parent);
    box->setChecked(ticked);
    return box;
}

QComboBox* MakeCombo(QWidget* parent, const QStringList& items, const QString& text) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->addItems(items);
    combo->setCurrentText(text);
    return combo;
}

}  // namespace

SettingsDialog::SettingsDialog(const SettingsForm& form, SettingsActions actions, QWidget* parent)
    : SkinnedDialog(kLangBase, parent), m_actions(std::move(actions)) {
    setObjectName(QStringLiteral("frmSet"));
    setWindowTitle(settingstext::kCaption);

    m_tabs = new kui::vTab(background());
    m_tabs->setTabWidth(76);
    m_tabs->setTabHeight(24);
    QList<kui::vTab::TabEntry> entries;
    for (const QString& caption : settingstext::kPages) entries.append({caption, true});
    m_tabs->setTabList(entries);
    m_pages = {buildGeneralPage(form), buildSoundPage(form), buildAssociationPage(form),
               buildColourPage(form)};
    for (QWidget* page : m_pages) page->setParent(m_tabs);
    m_tabs->installEventFilter(this);
    connect(m_tabs, &kui::vTab::TabSelected, this, [this](int index) {
        for (int i = 0; i < m_pages.size(); ++i) m_pages[i]->setVisible(i == index);
    });
    m_tabs->setSelected(0);

    m_ok = makeButton(background(), settingstext::kOk);
    m_cancel = makeButton(background(), settingstext::kCancel);
    connect(m_ok, &kui::Cmd::Click, this, &SettingsDialog::applyAndClose);
    connect(m_cancel, &kui::Cmd::Click, this, &QDialog::reject);

    if (Shell().TopMost) setWindowFlag(Qt::WindowStaysOnTopHint, true);
    resizeTwips(kWidthTwips, kHeightTwips);
    applyLookAndLanguage();
    // The look applied above carries the saved adjustment; the dialog shows the form's.
    preview(PreviewPercent(form));
    layoutClient();
}

SettingsDialog::~SettingsDialog() = default;

kui::Cmd* SettingsDialog::makeButton(QWidget* parent, const QString& caption) {
    auto* button = new kui::Cmd(parent);
    button->InitProperties();
    button->setCaption(caption);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    return button;
}

QWidget* SettingsDialog::buildGeneralPage(const SettingsForm& form) {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(1);
    m_openLast = MakeCheck(page, settingstext::kOpenLast, form.OpenLast);
    m_autoClose = MakeCheck(page, settingstext::kAutoClose, form.AutoClose);
    m_count = MakeCheck(page, settingstext::kCount, form.Count);
    m_repeatCount = new QLineEdit(form.ReCount, page);
    m_repeatCount->setFixedWidth(60);
    m_repeatCount->installEventFilter(this);
    m_openRts = MakeCheck(page, settingstext::kOpenRts, form.OpenRts);
    m_baud = MakeCombo(page, BaudChoices(), form.MaxBaud);
    m_seconds = MakeCombo(page, SecondsChoices(), form.ErrTim);
    m_seconds->installEventFilter(this);
    m_seconds->lineEdit()->installEventFilter(this);
    m_database = new QLineEdit(form.Database, page);
    m_database->setPlaceholderText(settingstext::kDatabasePlaceholder);
    m_database->setToolTip(settingstext::kDatabaseHint);
    auto* databaseLabel = new QLabel(settingstext::kDatabase, page);
    databaseLabel->setBuddy(m_database);
    m_databaseProblem = new QLabel(page);
    m_databaseProblem->setStyleSheet(QStringLiteral("color: #C00000"));
    m_databaseProblem->hide();
    // The problem is the text's that OK refused; an edited text may no longer have it.
    connect(m_database, &QLineEdit::textEdited, m_databaseProblem, &QLabel::hide);
    m_ideTool = MakeCheck(page, settingstext::kIdeTool, form.IdeTool);
    // Without a way to write them, the IDE entry and the associations stay as they are.
    m_ideTool->setEnabled(bool(m_actions.SetIdeTool));
    m_clearCounter = makeButton(page, settingstext::kClearCounter);
    m_clearCounter->setFixedWidth(kButtonWidth + 20);
    connect(m_clearCounter, &kui::Cmd::Click, this, [this] {
        if (m_actions.ClearCounter) m_actions.ClearCounter();
    });

    int row = 0;
    layout->addWidget(m_openLast, row++, 0, 1, 4);
    layout->addWidget(m_autoClose, row++, 0, 1, 4);
    layout->addWidget(m_count, row, 0, 1, 3);
    layout->addWidget(m_repeatCount, row++, 3);
    layout->addWidget(m_openRts, row++, 0, 1, 4);
    layout->addWidget(new QLabel(settingstext::kMaxBaud, page), row, 0);
    layout->addWidget(m_baud, row, 1);
    layout->addWidget(new QLabel(settingstext::kErrTim, page), row, 2, Qt::AlignRight);
    layout->addWidget(m_seconds, row++, 3);
    layout->addWidget(databaseLabel, row, 0);
    layout->addWidget(m_database, row++, 1, 1, 3);
    layout->addWidget(m_databaseProblem, row++, 0, 1, 4);
    layout->addWidget(m_ideTool, row++, 0, 1, 4);
    layout->addWidget(m_clearCounter, row++, 0, 1, 2);
    layout->setRowStretch(row, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

QWidget* SettingsDialog::buildSoundPage(const SettingsForm& form) {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_soundOpen = MakeCheck(page, settingstext::kSoundOpen, form.SoundOpen);
    layout->addWidget(m_soundOpen, 0, 0, 1, 3);
    layout->addWidget(new QLabel(settingstext::kSoundLabel, page), 1, 0, 1, 3);
    for (int i = 0; i < 3; ++i) {
        m_soundBoxes[i] = new QLineEdit(form.Sounds[i], page);
        kui::Cmd* browse = makeButton(page, settingstext::kBrowse);
        browse->setFixedWidth(kButtonHeight + 6);
        kui::Cmd* play = makeButton(page, settingstext::kPlay.arg(i + 1));
        play->setFixedWidth(kButtonWidth - 24);
        browse->setObjectName(QStringLiteral("browseSound%1").arg(i));
        play->setObjectName(QStringLiteral("playSound%1").arg(i));
        connect(browse, &kui::Cmd::Click, this, [this, i] { browseSound(i); });
        connect(play, &kui::Cmd::Click, this,
                [this, i] { PlayPrompt(m_soundBoxes[i]->text(), false); });
        layout->addWidget(m_soundBoxes[i], 2 + i, 0);
        layout->addWidget(browse, 2 + i, 1);
        layout->addWidget(play, 2 + i, 2);
    }
    layout->setRowStretch(5, 1);
    return page;
}

QWidget* SettingsDialog::buildAssociationPage(const SettingsForm& form) {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(settingstext::kAssociateLabel, page), 0, 0, 1, 3);
    m_fileTypes = new QTreeWidget(page);
    m_fileTypes->setRootIsDecorated(false);
    m_fileTypes->setColumnCount(2);
    m_fileTypes->header()->hide();
    for (int i = 0; i < settingstext::kFileTypes.size(); ++i) {
        auto* item = new QTreeWidgetItem(
            m_fileTypes, {settingstext::kFileTypes[i], settingstext::kFileTypeDescriptions[i]});
        item->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
        const bool ticked = i < int(form.Associated.size()) && form.Associated[size_t(i)];
        item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    }
    m_fileTypes->resizeColumnToContents(0);
    m_fileTypes->setColumnWidth(0, m_fileTypes->columnWidth(0) + 24);
    layout->addWidget(m_fileTypes, 1, 0, 1, 3);
    m_tickAll = makeButton(page, settingstext::kTickAll);
    m_untickAll = makeButton(page, settingstext::kUntickAll);
    connect(m_tickAll, &kui::Cmd::Click, this, [this] { setAllTicked(true); });
    connect(m_untickAll, &kui::Cmd::Click, this, [this] { setAllTicked(false); });
    for (QWidget* control : std::initializer_list<QWidget*>{m_fileTypes, m_tickAll, m_untickAll})
        control->setEnabled(bool(m_actions.SetAssociation));
    layout->addWidget(m_tickAll, 2, 0);
    layout->addWidget(m_untickAll, 2, 1);
    layout->setColumnStretch(2, 1);
    return page;
}

QWidget* SettingsDialog::buildColourPage(const SettingsForm& form) {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_colorOpen = MakeCheck(page, settingstext::kColorOpen, form.ColorOpen);
    layout->addWidget(m_colorOpen, 0, 0, 1, 3);
    for (int i = 0; i < 3; ++i) {
        auto* slider = new QSlider(Qt::Horizontal, page);
        slider->setRange(kPercentMin, kPercentMax);
        slider->setValue(form.Percent[size_t(i)]);
        slider->setEnabled(form.ColorOpen);
        slider->setAutoFillBackground(true);
        QPalette palette = slider->palette();
        palette.setColor(QPalette::Window, kSliderBacks[size_t(i)]);
        palette.setColor(QPalette::Button, kSliderBacks[size_t(i)]);
        slider->setPalette(palette);
        auto* label = new QLabel(PercentLabel(slider->value()), page);
        label->setMinimumWidth(40);
        slider->setToolTip(label->text());
        m_sliders[size_t(i)] = slider;
        m_sliderLabels[size_t(i)] = label;
        connect(slider, &QSlider::valueChanged, this,
                [this, i](int value) { sliderMoved(i, value); });
        layout->addWidget(new QLabel(settingstext::kChannels[i], page), 1 + i, 0);
        layout->addWidget(slider, 1 + i, 1);
        layout->addWidget(label, 1 + i, 2);
    }
    connect(m_colorOpen, &QCheckBox::toggled, this, &SettingsDialog::colourSwitched);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

SettingsForm SettingsDialog::form() const {
    SettingsForm form;
    form.OpenLast = m_openLast->isChecked();
    form.AutoClose = m_autoClose->isChecked();
    form.Count = m_count->isChecked();
    form.ReCount = m_repeatCount->text();
    form.OpenRts = m_openRts->isChecked();
    form.MaxBaud = m_baud->currentText();
    form.ErrTim = m_seconds->currentText();
    form.IdeTool = m_ideTool->isChecked();
    form.Database = m_database->text();
    form.SoundOpen = m_soundOpen->isChecked();
    for (size_t i = 0; i < 3; ++i) form.Sounds[i] = m_soundBoxes[i]->text();
    for (int i = 0; i < m_fileTypes->topLevelItemCount(); ++i)
        form.Associated.push_back(m_fileTypes->topLevelItem(i)->checkState(0) == Qt::Checked);
    form.ColorOpen = m_colorOpen->isChecked();
    for (size_t i = 0; i < 3; ++i) form.Percent[i] = m_sliders[i]->value();
    return form;
}

void SettingsDialog::layoutClient() {
    if (!m_tabs) return;
    const QRect area = background()->rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const int buttonTop = area.bottom() - kButtonHeight + 1;
    m_tabs->setGeometry(area.left(), area.top(), area.width(), buttonTop - kMargin - area.top());
    m_cancel->move(area.right() - kButtonWidth + 1, buttonTop);
    m_ok->move(m_cancel->x() - kMargin - kButtonWidth, buttonTop);
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_tabs && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        const QRect area =
            m_tabs->PageRect().adjusted(kPageMargin, kPageMargin, -kPageMargin, -kPageMargin);
        for (QWidget* page : m_pages) page->setGeometry(area);
    }
    if (event->type() == QEvent::FocusOut) {
        if (watched == m_repeatCount)
            m_repeatCount->setText(NormaliseRepeatCount(m_repeatCount->text()));
        else if (m_seconds && (watched == m_seconds || watched == m_seconds->lineEdit()))
            m_seconds->setCurrentText(NormaliseSeconds(m_seconds->currentText()));
    }
    return SkinnedDialog::eventFilter(watched, event);
}

void SettingsDialog::browseSound(int i) {
    kui::cDialog dialog;
    dialog.Owner = this;
    dialog.Filter = settingstext::kWaveFilter;
    dialog.Filename = m_soundBoxes[size_t(i)]->text();
    if (dialog.ShowOpen()) m_soundBoxes[size_t(i)]->setText(dialog.Filename);
}

void SettingsDialog::sliderMoved(int channel, int value) {
    QLabel* label = m_sliderLabels[size_t(channel)];
    label->setText(PercentLabel(value));
    m_sliders[size_t(channel)]->setToolTip(label->text());
    preview(PreviewPercent(form()));
}

void SettingsDialog::colourSwitched(bool on) {
    for (QSlider* slider : m_sliders) slider->setEnabled(on);
    preview(PreviewPercent(form()));
}

void SettingsDialog::preview(const std::array<int, 3>& percent) {
    m_previewed = percent;
    if (skin()) skin()->AdjustRGB(percent[0], percent[1], percent[2]);
    kui::AdjustControls(this, percent[0], percent[1], percent[2]);
}

void SettingsDialog::setAllTicked(bool ticked) {
    for (int i = 0; i < m_fileTypes->topLevelItemCount(); ++i)
        m_fileTypes->topLevelItem(i)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void SettingsDialog::applyAndClose() {
    m_repeatCount->setText(NormaliseRepeatCount(m_repeatCount->text()));
    const SettingsForm chosen = form();
    // A text the record cannot use is never stored: the stations would find out only when a
    // numbered download is refused. The dialog stays open on the box, saying why.
    if (const std::optional<QString> problem = DatabaseProblem(chosen.Database)) {
        m_tabs->setSelected(0);
        // The page has room for one line under the box; the whole text is in its tooltip.
        const int room = m_databaseProblem->parentWidget()->contentsRect().width();
        m_databaseProblem->setText(
            m_databaseProblem->fontMetrics().elidedText(*problem, Qt::ElideRight, room));
        m_databaseProblem->setToolTip(*problem);
        m_databaseProblem->show();
        m_database->setFocus();
        m_database->selectAll();
        return;
    }
    const ProgramConfig config = ApplySettingsForm(chosen, Shell().Config.value());
    SaveConfig(CurrentAppPaths(), config);
    // The next job and every window follow the owner.
    Shell().Config.set(config);
    if (m_actions.AdjustMainWindow)
        m_actions.AdjustMainWindow(config.ColorOpen
                                       ? std::array<int, 3>{config.Red, config.Green, config.Blue}
                                       : std::array<int, 3>{0, 0, 0});
    if (m_actions.SetIdeTool) m_actions.SetIdeTool(chosen.IdeTool);
    if (m_actions.SetAssociation)
        for (size_t i = 0; i < chosen.Associated.size(); ++i)
            m_actions.SetAssociation(int(i), chosen.Associated[i]);
    accept();
}

}  // namespace korvan
