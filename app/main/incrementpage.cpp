#include "main/incrementpage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QValidator>

#include "core/increment.h"
#include "main/maintexts.h"

namespace korvan {

namespace {

// Lang.ini's number of the switch, after the main window's base.
constexpr int kTagSwitch = 19;
// More digits than four are taken while typing; leaving the box keeps the last four.
constexpr int kAddressDigits = 8;
constexpr int kSerialDigits = 9;

// Hexadecimal digits only; a lower-case letter is taken as its upper case.
class HexDigitsValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        (void)pos;
        for (QChar& c : input) {
            c = c.toUpper();
            if (!QStringLiteral("0123456789ABCDEF").contains(c)) return Invalid;
        }
        return Acceptable;
    }
};

// A range hint: on one line where there is room, broken into two where the page is narrow,
// so that the box beside it keeps room for its whole value.
class HintLabel : public QLabel {
  public:
    HintLabel(const QString& text, QWidget* parent) : QLabel(text, parent) { setWordWrap(true); }
    QSize sizeHint() const override {
        const QMargins m = contentsMargins();
        const int oneLine =
            fontMetrics().horizontalAdvance(text()) + m.left() + m.right() + 2 * margin() + 1;
        return {oneLine, heightForWidth(oneLine)};
    }
};

}  // namespace

IncrementPage::IncrementPage(UserSettingsOwner& owner, std::function<QDateTime()> now,
                             QWidget* parent)
    : QWidget(parent), m_owner(owner), m_now(std::move(now)) {
    build();
    connect(m_chkInc, &QCheckBox::toggled, this,
            [this](bool on) { m_owner.update([on](UserSettings& s) { s.IncOpen = on; }); });
    connect(m_address, &QLineEdit::textEdited, this, [this](const QString& text) {
        const quint16 address = ParseIncrementAddress(text);
        m_owner.update([address](UserSettings& s) { s.IncAddress = address; });
    });
    connect(m_address, &QLineEdit::editingFinished, this,
            [this] { m_address->setText(IncrementAddressText(m_owner.value().IncAddress)); });
    connect(m_next, &QLineEdit::textEdited, this, [this](const QString& text) {
        const qint64 next = ParseSerialNumber(text);
        m_owner.update([next](UserSettings& s) { s.IncNext = next; });
    });
    connect(m_next, &QLineEdit::editingFinished, this,
            [this] { m_next->setText(QString::number(m_owner.value().IncNext)); });
    connect(m_format, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_owner.update([&text](UserSettings& s) { s.IncFormat = text; });
    });
    connect(m_hex, &QRadioButton::toggled, this, &IncrementPage::showPreview);
    connect(&m_owner, &SettingsAnnouncer::changed, this, &IncrementPage::showSettings);
    showSettings();
}

void IncrementPage::build() {
    // Six rows do not fit the page of the smallest window: there they scroll instead of
    // being squeezed over each other.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("incScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->viewport()->setAutoFillBackground(false);
    auto* content = new QWidget(scroll);
    content->setAutoFillBackground(false);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setVerticalSpacing(4);
    m_chkInc = m_captions.text(new QCheckBox(this), maintext::kIncOpen);
    m_chkInc->setObjectName(QStringLiteral("chkInc"));
    m_chkInc->setProperty("Tag", kTagSwitch);
    grid->addWidget(m_chkInc, 0, 0, 1, 3);

    const auto field = [this, grid](int row, const i18n::Text& label, const QString& name) {
        grid->addWidget(m_captions.text(new QLabel(this), label), row, 0);
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        grid->addWidget(box, row, 1);
        return box;
    };
    m_address = field(1, maintext::kIncAddressLabel, QStringLiteral("txtInc0"));
    m_address->setValidator(new HexDigitsValidator(m_address));
    m_address->setMaxLength(kAddressDigits);
    grid->addWidget(m_captions.text(new HintLabel(QString(), this), maintext::kIncAddressRange), 1,
                    2);
    m_format = field(2, maintext::kIncFormatLabel, QStringLiteral("txtInc3"));
    m_next = field(3, maintext::kIncNextLabel, QStringLiteral("txtInc2"));
    m_next->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(kSerialDigits)), m_next));
    m_next->setMaxLength(kSerialDigits);
    // The largest number stays whole in the smallest window.
    m_next->setMinimumWidth(m_next->fontMetrics().horizontalAdvance(QString(kSerialDigits, '9')) +
                            m_next->fontMetrics().averageCharWidth() * 2);
    grid->addWidget(new HintLabel(maintext::kIncNextRange, this), 3, 2);

    m_preview = new QLineEdit(this);
    m_preview->setObjectName(QStringLiteral("txtInc4"));
    m_preview->setReadOnly(true);
    grid->addWidget(m_preview, 4, 0, 1, 2);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("labInc4"));
    grid->addWidget(m_count, 4, 2);
    m_hex = m_captions.text(new QRadioButton(this), maintext::kIncHex);
    m_decimal = m_captions.text(new QRadioButton(this), maintext::kIncDecimal);
    auto* group = new QButtonGroup(this);
    group->addButton(m_hex);
    group->addButton(m_decimal);
    m_hex->setChecked(true);
    auto* options = new QHBoxLayout;
    options->addWidget(m_hex);
    options->addWidget(m_decimal);
    options->addStretch(1);
    grid->addLayout(options, 5, 0, 1, 3);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(1, 1);
    scroll->setWidget(content);
}

// A box is rewritten only when it says something else than the owner, so that typing is not
// disturbed by the owner echoing what was just typed.
void IncrementPage::showSettings() {
    const UserSettings& s = m_owner.value();
    const QSignalBlocker block(m_chkInc);
    m_chkInc->setChecked(s.IncOpen);
    if (ParseIncrementAddress(m_address->text()) != s.IncAddress ||
        (m_address->text().isEmpty() && !m_address->hasFocus()))
        m_address->setText(IncrementAddressText(s.IncAddress));
    if (ParseSerialNumber(m_next->text()) != s.IncNext ||
        (m_next->text().isEmpty() && !m_next->hasFocus()))
        m_next->setText(QString::number(s.IncNext));
    if (m_format->text() != s.IncFormat) m_format->setText(s.IncFormat);
    showPreview();
}

void IncrementPage::showPreview() {
    const IncrementData data = IncrementBytes(m_owner.value(), m_hex->isChecked(), m_now());
    m_preview->setText(data.Preview);
    m_count->setText(data.CountLabel);
}

void IncrementPage::setDownloading(bool downloading) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_chkInc, m_address, m_format, m_next})
        w->setEnabled(!downloading);
}

}  // namespace korvan
