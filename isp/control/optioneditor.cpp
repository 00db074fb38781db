#include "optioneditor.h"

#include <QComboBox>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWidget>
#include <algorithm>

#include "optionlayout.h"
#include "optiontexts.h"
#include "ui/core/cscroll.h"
#include "ui/core/twips.h"
#include "zeldb.h"

namespace zel::control {
namespace {

using options::OptionRow;
using options::TwipsRect;
namespace design = options::design;

constexpr kui::OleColor kCaptionColor = 0x00000000u;  // black
constexpr kui::OleColor kInvalidColor = 0x000000FFu;  // red

void SetBackground(QWidget* widget, kui::OleColor color) {
    QPalette palette = widget->palette();
    const QColor c = kui::toQColor(color);
    palette.setColor(QPalette::Window, c);
    palette.setColor(QPalette::Button, c);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetTextColor(QWidget* widget, kui::OleColor color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, kui::toQColor(color));
    widget->setPalette(palette);
}

QStringList SplitNames(const QString& names) {
    if (names.isEmpty()) return {};
    return names.split(QStringLiteral("\r\n"));
}

}  // namespace

OptionEditor::OptionEditor(QWidget* host, ZelContext& context, const ChipDatabase& database,
                           const SeriesCatalog& series)
    : QObject(host),
      m_host(host),
      m_ctx(context),
      m_database(database),
      m_series(series),
      m_metric(OptionEditorFont(), kui::twipsPerPixelX(host)) {
    m_picB = new QWidget(host);
    m_picB->setObjectName(QStringLiteral("picB"));
    m_picB->setFont(OptionEditorFont());
    SetBackground(m_picB, m_area);
    m_picB->setGeometry(toPixelsX(design::kScrollArea.left), toPixelsY(design::kScrollArea.top),
                        toPixelsX(design::kScrollArea.width),
                        toPixelsY(design::kScrollArea.height));
    m_rows.push_back(makeRow(0));  // the design-time template
}

OptionEditor::~OptionEditor() = default;

int OptionEditor::toPixelsX(int twips) const {
    return kui::twipsToPixels(twips, kui::twipsPerPixelX(m_host));
}
int OptionEditor::toPixelsY(int twips) const {
    return kui::twipsToPixels(twips, kui::twipsPerPixelY(m_host));
}
int OptionEditor::toTwipsY(int pixels) const {
    return kui::pixelsToTwips(pixels, kui::twipsPerPixelY(m_host));
}

OptionRowWidgets OptionEditor::makeRow(int index) {
    OptionRowWidgets w;
    w.picS = new QWidget(m_picB);
    w.picS->setObjectName(QStringLiteral("picS%1").arg(index));
    w.labS = new QLabel(w.picS);
    w.Opt1 = new QRadioButton(w.picS);
    w.Opt2 = new QRadioButton(w.picS);
    w.Cbo1 = new QComboBox(w.picS);
    w.Cbo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    const int width = m_rows.empty() ? toPixelsX(design::kRow.width) : m_rows.front().picS->width();
    w.picS->setGeometry(0, toPixelsY(options::RowTop(index)), width,
                        toPixelsY(design::kRow.height));
    w.labS->setGeometry(toPixelsX(design::kLabel.left), toPixelsY(design::kLabel.top),
                        toPixelsX(design::kLabel.width), toPixelsY(design::kLabel.height));
    for (auto [button, rect] :
         {std::pair{w.Opt1, design::kFirstChoice}, std::pair{w.Opt2, design::kSecondChoice}}) {
        button->setGeometry(toPixelsX(rect.left), toPixelsY(rect.top), toPixelsX(rect.width),
                            toPixelsY(rect.height));
    }
    w.Cbo1->setGeometry(toPixelsX(design::kList.left), toPixelsY(design::kList.top),
                        toPixelsX(design::kList.width), toPixelsY(design::kList.height));

    connect(w.Opt1, &QRadioButton::toggled, this, [this, index](bool on) {
        if (on && !m_syncing) onChoice(index, true);
    });
    connect(w.Opt2, &QRadioButton::toggled, this, [this, index](bool on) {
        if (on && !m_syncing) onChoice(index, false);
    });
    connect(w.Cbo1, &QComboBox::currentIndexChanged, this, [this, index](int listIndex) {
        if (!m_syncing) onListPick(index, listIndex);
    });

    colourRow(w, index);
    w.picS->show();
    w.labS->show();
    return w;
}

void OptionEditor::colourRow(const OptionRowWidgets& w, int index) {
    const kui::OleColor color = index % 2 ? m_fend : m_fill;
    SetBackground(w.picS, color);
    SetBackground(w.Opt1, color);
    SetBackground(w.Opt2, color);
}

void OptionEditor::BuildOptionEditor() {
    const DbSnapshot db = m_database.load();
    const QStringList parameters = LoadSeriesParameters(*db, m_series.TypeList, m_listIndex);
    m_areaTwips = 0;
    m_model.Build(parameters, [&db](const QString& id) {
        return id.isEmpty() ? QString() : ReadDb(*db, QStringLiteral("PAR"), id);
    });
    const int count = m_model.OptCount();
    while (static_cast<int>(m_rows.size()) < count) m_rows.push_back(makeRow(rowWidgetCount()));
    translateRows();
    for (int i = 0; i < count; ++i) showRow(i);

    m_areaTwips = options::ScrollAreaHeight(count);
    if (m_scroll) m_scroll->setValue(0);
    placeArea();
    UpdateOptionScroll();
}

void OptionEditor::translateRows() {
    m_shown.clear();
    for (int i = 0; i < m_model.OptCount(); ++i)
        m_shown.push_back(options::ShowRow(m_model.row(i), i));
    options::PadTranslatedRows(m_shown,
                               [this](const QString& text) { return m_metric.twips(text); });
}

void OptionEditor::retranslate() {
    translateRows();
    for (int i = 0; i < m_model.OptCount(); ++i) showRow(i);
}

void OptionEditor::showRow(int index) {
    const OptionRow& r = m_shown.at(static_cast<size_t>(index)).row;
    OptionRowWidgets& w = m_rows.at(static_cast<size_t>(index));
    m_syncing = true;
    w.labS->setText(r.caption);
    SetTextColor(w.labS, r.invalid ? kInvalidColor : kCaptionColor);
    w.labS->adjustSize();
    if (r.choicesVisible) {
        w.Opt1->setText(r.firstText());
        w.Opt2->setText(r.secondText());
    }
    if (r.listVisible) {
        w.Cbo1->clear();
        w.Cbo1->addItems(r.items);
    }
    w.Opt1->setVisible(r.choicesVisible);
    w.Opt2->setVisible(r.choicesVisible);
    w.Cbo1->setVisible(r.listVisible);
    m_syncing = false;
    syncChoices();
    placeRow(index);
}

void OptionEditor::placeRow(int index) {
    const OptionRow& r = m_shown.at(static_cast<size_t>(index)).row;
    OptionRowWidgets& w = m_rows.at(static_cast<size_t>(index));
    const options::RowGeometry g =
        options::LayoutRow(r, [this](const QString& text) { return m_metric.twips(text); });
    const int rowHeight = toPixelsY(design::kRow.height);
    // Widgets keep the design's vertical centre and grow to what their font needs.
    const auto top = [&](const TwipsRect& rect, int height) {
        const int centre = toPixelsY(rect.top + rect.height / 2);
        return std::clamp(centre - height / 2, 0, std::max(0, rowHeight - height));
    };
    const auto height = [&](QWidget* widget, const TwipsRect& rect) {
        return std::min(rowHeight, std::max(toPixelsY(rect.height), widget->sizeHint().height()));
    };

    const int labelHeight = height(w.labS, design::kLabel);
    w.labS->setGeometry(toPixelsX(design::kLabel.left), top(design::kLabel, labelHeight),
                        w.labS->sizeHint().width(), labelHeight);
    if (r.choicesVisible) {
        for (auto [button, left, width] : {std::tuple{w.Opt1, g.firstLeft, g.firstWidth},
                                           std::tuple{w.Opt2, g.secondLeft, g.secondWidth}}) {
            const int h = height(button, design::kFirstChoice);
            button->setGeometry(toPixelsX(left), top(design::kFirstChoice, h),
                                std::max(toPixelsX(width), button->sizeHint().width()), h);
        }
    }
    if (r.listVisible) {
        const int h = height(w.Cbo1, design::kList);
        w.Cbo1->setGeometry(toPixelsX(g.listLeft), top(design::kList, h),
                            toPixelsX(design::kList.width), h);
    }
}

void OptionEditor::syncChoices() {
    m_syncing = true;
    for (int i = 0; i < m_model.OptCount(); ++i) {
        const OptionRow& r = m_model.row(i);
        OptionRowWidgets& w = m_rows.at(static_cast<size_t>(i));
        if (r.choicesVisible) (r.firstSelected ? w.Opt1 : w.Opt2)->setChecked(true);
        if (r.listVisible) w.Cbo1->setCurrentIndex(r.listIndex);
        w.Opt1->setEnabled(r.enabled);
        w.Opt2->setEnabled(r.enabled);
        w.Cbo1->setEnabled(r.enabled);
    }
    m_syncing = false;
}

void OptionEditor::onChoice(int index, bool first) {
    m_model.Click(index, first);
    syncChoices();
}

void OptionEditor::onListPick(int index, int listIndex) {
    m_model.setOptValue(index, listIndex);
    syncChoices();
}

void OptionEditor::setOptValue(int index, int32_t value) {
    m_model.setOptValue(index, value);
    syncChoices();
}

void OptionEditor::CommitOptions() {
    m_model.CommitOptions(m_ctx.Chip.OptionDescriptors, m_ctx.Chip.StatusBytes);
}

void OptionEditor::SetupScroll() {
    if (m_scroll) return;
    m_scroll = std::make_unique<kui::cScroll>();
    m_scroll->Init(m_host, false);
    m_scroll->setLargeChange(3);
    m_scroll->setMin(0);
    connect(m_scroll.get(), &kui::cScroll::Change, this, &OptionEditor::placeArea);
    UpdateOptionScroll();
}

int OptionEditor::areaWidthPixels() const {
    int width = m_host->width();
    // The window's own bar takes its width from the client area.
    if (m_scroll && m_scroll->Visible() && m_scroll->bar()) width -= m_scroll->bar()->width();
    return std::max(0, width);
}

void OptionEditor::placeArea() {
    const int value = m_scroll ? m_scroll->Value() : 0;
    m_picB->setGeometry(0, toPixelsY(-value * design::kRowStep), areaWidthPixels(),
                        toPixelsY(m_areaTwips));
}

void OptionEditor::Resize() {
    if (m_scroll && m_scroll->Value() != 0) m_scroll->setValue(0);
    placeArea();
    for (OptionRowWidgets& w : m_rows) w.picS->resize(m_picB->width(), w.picS->height());
    UpdateOptionScroll();
}

void OptionEditor::UpdateOptionScroll() {
    const int max = options::ScrollMaximum(m_areaTwips, toTwipsY(m_host->height()));
    if (!m_scroll) {
        placeArea();
        return;
    }
    const bool wasVisible = m_scroll->Visible();
    if (max < 1) {
        m_scroll->setVisible(false);
        m_scroll->setMax(0);
    } else if (m_scroll->Max() != max) {
        m_scroll->setMax(max);
        if (!m_scroll->Visible()) m_scroll->setVisible(true);
    }
    placeArea();
    if (wasVisible != m_scroll->Visible()) {
        for (OptionRowWidgets& w : m_rows) w.picS->resize(m_picB->width(), w.picS->height());
    }
}

int16_t OptionEditor::ListCount() const {
    return static_cast<int16_t>(
        std::min<qsizetype>(SplitNames(m_series.SeriesNames).size(), 32767));
}

QString OptionEditor::List(int index) const {
    const QStringList names = SplitNames(m_series.SeriesNames);
    return index >= 0 && index < names.size() ? names.at(index) : QString();
}

bool OptionEditor::setListIndex(int index) {
    if (index < 0 || index >= ListCount() || index == m_listIndex) return false;
    m_listIndex = static_cast<int16_t>(index);
    BuildOptionEditor();
    return true;
}

void OptionEditor::setFillColor(kui::OleColor color) {
    m_fill = color;
    for (int i = 0; i < rowWidgetCount(); i += 2) colourRow(m_rows.at(i), i);
}

void OptionEditor::setFendColor(kui::OleColor color) {
    m_fend = color;
    for (int i = 1; i < rowWidgetCount(); i += 2) colourRow(m_rows.at(i), i);
}

void OptionEditor::setForeColor(kui::OleColor color) {
    m_area = color;
    SetBackground(m_picB, color);
}

}  // namespace zel::control
