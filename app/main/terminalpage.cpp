#include "main/terminalpage.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/textcodec.h"
#include "main/logicons.h"
#include "main/maintexts.h"
#include "main/messagegate.h"
#include "ui/controls/cmd.h"

namespace korvan {

namespace {
const QString kLineEnd = QStringLiteral("\r\n");
constexpr int kOpenIcon = 7;
constexpr int kCloseIcon = 8;
constexpr int kDefaultPeriodMs = 1000;
constexpr int kLongestPeriodMs = 65535;
constexpr int kFlushMs = 50;
constexpr int kPortButtonWidth = 64;
constexpr int kSendLines = 3;
// The settings lists narrow down to this many characters; the label under them shows the
// whole settings.
constexpr int kShortestComboText = 3;
constexpr int kShortEntry = 7;
}  // namespace

TerminalPage::TerminalPage(jobs::PortAccess& port, jobs::JobClock& clock, QWidget* parent)
    : QWidget(parent), port_(port), clock_(clock) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    receiveBox_ = new QPlainTextEdit(this);
    receiveBox_->setObjectName(QStringLiteral("txtReceive"));
    receiveBox_->setReadOnly(true);
    // The Edit menu takes the place of the box's own text menu.
    receiveBox_->setContextMenuPolicy(Qt::NoContextMenu);
    layout->addWidget(receiveBox_, 3);

    // Four short rows rather than three long ones: the page stays as narrow as the smallest
    // window, where the long rows ran off its right edge.
    auto* options = new QVBoxLayout;
    options->setSpacing(2);
    auto* comboRow = new QHBoxLayout;
    auto* tickRow = new QHBoxLayout;
    for (int i = 0; i < TerminalSettings::kComboCount; ++i) {
        combos_[size_t(i)] = new QComboBox(this);
        combos_[size_t(i)]->addItems(settings_.items(i));
        combos_[size_t(i)]->setCurrentIndex(settings_.selected(i));
        connect(combos_[size_t(i)], &QComboBox::currentIndexChanged, this,
                [this] { comboChanged(); });
        // Lists of short entries ("8 bit", "1.5 bit") take just their width; the rate and the
        // parity share the rest, narrowing down to a few characters in the smallest window,
        // where the label under them still shows the whole settings.
        qsizetype longest = 0;
        for (const QString& item : settings_.items(i)) longest = std::max(longest, item.size());
        const bool shortEntries = longest <= kShortEntry;
        combos_[size_t(i)]->setSizeAdjustPolicy(
            shortEntries ? QComboBox::AdjustToContents
                         : QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combos_[size_t(i)]->setMinimumContentsLength(kShortestComboText);
        comboRow->addWidget(combos_[size_t(i)], shortEntries ? 0 : 1);
    }
    encoding_ = new QComboBox(this);
    encoding_->addItems(maintext::kTerminalEncodings);
    connect(encoding_, &QComboBox::currentIndexChanged, this, [this](int index) {
        decoder_.setEncoding(index == 1 ? ReceiveEncoding::Gbk : ReceiveEncoding::Utf8);
    });
    encoding_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    encoding_->setMinimumContentsLength(kShortestComboText);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(encoding_);
    portButton_ = new kui::Cmd(this);
    portButton_->setObjectName(QStringLiteral("cmdPort"));
    portButton_->InitProperties();
    portButton_->setFixedSize(kPortButtonWidth, combos_[0]->sizeHint().height());
    showPortNumber(1);

    settingsLabel_ = new QLabel(settings_.labelText(), this);

    hex_ = captions_.text(new QCheckBox(this), maintext::kTerminalHex);
    lineBreak_ = captions_.text(new QCheckBox(this), maintext::kTerminalLineBreak);
    autoSend_ = captions_.text(new QCheckBox(this), maintext::kTerminalAutoSend);
    period_ = new QLineEdit(QString::number(kDefaultPeriodMs), this);
    period_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), period_));
    period_->setFixedWidth(period_->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    connect(period_, &QLineEdit::editingFinished, this, [this] {
        period_->setText(QString::number(std::min(period_->text().toInt(), kLongestPeriodMs)));
        autoSendChanged();
    });
    sentLabel_ = new QLabel(this);
    receivedLabel_ = new QLabel(this);
    sentLabel_->installEventFilter(this);
    receivedLabel_->installEventFilter(this);
    tickRow->addWidget(hex_);
    tickRow->addWidget(lineBreak_);
    tickRow->addWidget(autoSend_);
    tickRow->addStretch(1);
    countRow->insertWidget(0, period_);
    countRow->insertWidget(1, new QLabel(maintext::kTerminalPeriodUnit, this));
    countRow->insertWidget(2, portButton_);
    countRow->addStretch(1);
    auto* labelRow = new QHBoxLayout;
    labelRow->addWidget(settingsLabel_, 1);
    labelRow->addWidget(sentLabel_);
    labelRow->addWidget(receivedLabel_);
    options->addLayout(comboRow);
    options->addLayout(tickRow);
    options->addLayout(countRow);
    options->addLayout(labelRow);
    layout->addLayout(options);

    auto* sendRow = new QHBoxLayout;
    sendBox_ = new QPlainTextEdit(this);
    sendBox_->setObjectName(QStringLiteral("txtSend"));
    // A few lines to send; the page's height goes to what the chip says.
    sendBox_->setMaximumHeight(sendBox_->fontMetrics().lineSpacing() * kSendLines +
                               2 * sendBox_->frameWidth() + 8);
    sendRow->addWidget(sendBox_, 1);
    auto* buttons = new QVBoxLayout;
    send_ = captions_.text(new QPushButton(this), maintext::kTerminalSend);
    openClose_ = new QPushButton(this);
    buttons->addWidget(send_);
    buttons->addWidget(openClose_);
    sendRow->addLayout(buttons);
    layout->addLayout(sendRow, 1);

    flushTimer_ = new QTimer(this);
    flushTimer_->setSingleShot(true);
    flushTimer_->setInterval(kFlushMs);
    connect(flushTimer_, &QTimer::timeout, this, [this] { flushReceived(); });
    timer_ = clock.createTimer([this] {
        if (!busy()) sendTerminal();
    });
    connect(send_, &QPushButton::clicked, this, [this] { sendTerminal(); });
    connect(openClose_, &QPushButton::clicked, this, [this] { openTerminal(true, !open_); });
    connect(autoSend_, &QCheckBox::toggled, this, [this] { autoSendChanged(); });
    connect(hex_, &QCheckBox::toggled, this, [this](bool on) {
        if (open_)
            port_.comm().setInputMode(on ? kserial::MSComm::comInputModeBinary
                                         : kserial::MSComm::comInputModeText);
    });
    connect(&port_.comm(), &kserial::MSComm::OnComm, this, [this] { receive(); });
    showCounters();
    showOpenState();
}

void TerminalPage::retranslate() {
    captions_.retranslate();
    // The lists' units and parity words; the values and the choices stay.
    const TerminalSettings fresh;
    for (int i = 0; i < TerminalSettings::kComboCount; ++i) {
        const QStringList items = fresh.items(i);
        QComboBox* combo = combos_[size_t(i)];
        for (int k = 0; k < combo->count() && k < items.size(); ++k)
            combo->setItemText(k, items.at(k));
    }
    settingsLabel_->setText(settings_.labelText());
    showCounters();
    showOpenState();
}

QString TerminalPage::syncPortSettings(const QString& text, bool settingsOnly) {
    const QString result = settings_.sync(text, settingsOnly);
    suppress_ = true;
    for (int i = 0; i < TerminalSettings::kComboCount; ++i)
        combos_[size_t(i)]->setCurrentIndex(settings_.selected(i));
    suppress_ = false;
    settingsLabel_->setText(settings_.labelText());
    return result;
}

bool TerminalPage::applyPortSettings(const QString& settings) {
    const bool wasOpen = port_.isOpen();
    if (wasOpen) port_.close();
    const QString baud = ComboItemValue(combos_[0]->currentText());
    if (!port_.comm().setSettings(EffectivePortSettings(baud, settings))) return false;
    if (wasOpen && !port_.comm().setPortOpen(true)) return false;
    return true;
}

void TerminalPage::applyPreset(const QString& caption) {
    suppress_ = true;
    const QString settings =
        syncPortSettings(settings_.resetCommand() + QChar(';') + PresetSettings(caption), true);
    applyPortSettings(settings);
    suppress_ = false;
    emit portSettingsEdited();
}

void TerminalPage::comboChanged() {
    if (suppress_) return;
    for (int i = 0; i < TerminalSettings::kComboCount; ++i)
        settings_.select(i, combos_[size_t(i)]->currentIndex());
    settingsLabel_->setText(settings_.labelText());
    if (open_) applyPortSettings(settings_.portSettingsText());
    emit portSettingsEdited();
}

void TerminalPage::openTerminal(bool enable, bool open) {
    for (QWidget* w : std::initializer_list<QWidget*>{send_, hex_, autoSend_, openClose_})
        w->setEnabled(enable);
    bool opened = false;
    if (enable) {
        if (busy()) return;
        if (open) {
            if (const auto problem = port_.open(settings_.portSettingsText(), false)) {
                AskUser(problem->message, problem->style);
            } else {
                opened = true;
                port_.comm().setInputMode(hex_->isChecked() ? kserial::MSComm::comInputModeBinary
                                                            : kserial::MSComm::comInputModeText);
            }
        } else {
            timer_->stop();
            port_.close();
        }
    } else {
        port_.comm().setInputMode(kserial::MSComm::comInputModeBinary);
        if (open_) {
            timer_->stop();
            port_.close();
        }
    }
    open_ = enable && opened;
    autoSendChanged();
    showOpenState();
}

void TerminalPage::setIdle(bool idle) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{send_, hex_, autoSend_, portButton_, openClose_})
        w->setEnabled(idle);
}

void TerminalPage::showUserSettings(bool hex, bool lineBreak, qint64 periodMs,
                                    const QString& send) {
    hex_->setChecked(hex);
    lineBreak_->setChecked(lineBreak);
    const QString period = QString::number(std::clamp<qint64>(periodMs, 0, kLongestPeriodMs));
    if (period_->text() != period) {
        period_->setText(period);
        autoSendChanged();
    }
    // Rewritten only when it differs: the text being typed keeps its caret.
    if (sendBox_->toPlainText() != send) sendBox_->setPlainText(send);
}

void TerminalPage::showPortNumber(int number) {
    portButton_->setCaption(maintext::kPortPrefix + QString::number(number));
}

void TerminalPage::sendTerminal() {
    if (!busy() && !open_) openTerminal(true, true);
    if (!open_ || !port_.isOpen()) {
        autoSend_->setChecked(false);
        AskUser(maintext::kTerminalInUse, 11);
        return;
    }
    flushReceived();
    const QString received = receiveBox_->toPlainText();
    // The box keeps "\n" for a line end; the line end the chip sent shows as one.
    if (lineBreak_->isChecked() && !received.isEmpty() && !received.endsWith(QChar('\n')))
        appendReceived(kLineEnd);
    const QString text = sendBox_->toPlainText();
    if (hex_->isChecked()) {
        const DataTextContext context{serial_ ? serial_() : 0, clock_.now()};
        sent_ += quint32(port_.sendDataText(text, context));
    } else {
        // The text goes out in the encoding the box reads the chip's text in.
        port_.comm().Output(encoding_->currentIndex() == 1 ? EncodeGbk(text) : text.toUtf8());
        sent_ += quint32(text.size());
    }
    showCounters();
}

void TerminalPage::appendReceived(const QString& text) {
    QString shown = text;
    if (ReceiveBoxOverflows(receiveBox_->document()->characterCount(), text.size())) {
        receiveBox_->clear();
        shown = ReceiveBoxTail(text);
    }
    QTextCursor cursor = receiveBox_->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(shown);
    receiveBox_->setTextCursor(cursor);
    // The caret at the end is where the newest text is; the box scrolls there as it grows.
    receiveBox_->ensureCursorVisible();
}

void TerminalPage::receive() {
    kserial::MSComm& comm = port_.comm();
    if (comm.CommEvent() != kserial::MSComm::comEvReceive) return;
    if (comm.InputMode() == kserial::MSComm::comInputModeBinary) {
        const QByteArray bytes = comm.InputBytes();
        if (!open_) return;
        received_ += quint32(bytes.size());
        pending_ += HexReceived(bytes);
    } else {
        const QString text = decoder_.decode(comm.InputBytes());
        received_ += quint32(text.size());
        pending_ += text;
    }
    // A fast line gives many small reads; the box takes them together, a few times a second
    // at most, as every insertion lays the box's last line out again.
    if (!flushTimer_->isActive()) flushTimer_->start();
    showCounters();
}

void TerminalPage::flushReceived() {
    flushTimer_->stop();
    if (pending_.isEmpty()) return;
    QString text;
    text.swap(pending_);
    appendReceived(text);
}

void TerminalPage::resetSent() {
    sent_ = 0;
    showCounters();
}

void TerminalPage::resetReceived() {
    received_ = 0;
    showCounters();
}

void TerminalPage::showCounters() {
    sentLabel_->setText(SentCounterText(sent_));
    receivedLabel_->setText(ReceivedCounterText(received_));
}

void TerminalPage::showOpenState() {
    openClose_->setText(open_ ? maintext::kTerminalClose : maintext::kTerminalOpen);
    openClose_->setIcon(LogIcon(open_ ? kCloseIcon : kOpenIcon));
}

void TerminalPage::autoSendChanged() {
    const int period = std::min(period_->text().toInt(), kLongestPeriodMs);
    // A period of 0 stops the timer, as a platform timer's interval 0 does; it must not send
    // as fast as the event loop turns.
    if (autoSend_->isChecked() && open_ && period > 0)
        timer_->start(period, true);
    else
        timer_->stop();
}

bool TerminalPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == sentLabel_) resetSent();
        if (watched == receivedLabel_) resetReceived();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace korvan
