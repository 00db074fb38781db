#include "zelispcontrol.h"

#include <QPalette>
#include <QResizeEvent>
#include <algorithm>

#include "controlstate.h"
#include "hostports.h"
#include "mscomm.h"
#include "optioneditor.h"
#include "optionlayout.h"
#include "ui/core/propertybag.h"
#include "ui/core/twips.h"
#include "zeldb.h"
#include "zelinfoview.h"
#include "zelqtjob.h"

namespace zel::control {
namespace {

const QString kBackColorKey = QStringLiteral("BackColor");
const QString kFillColorKey = QStringLiteral("FillColor");
const QString kFendColorKey = QStringLiteral("FendColor");
const QString kForeColorKey = QStringLiteral("ForeColor");
const QString kCommPortKey = QStringLiteral("CommPort");
const QString kRTSKey = QStringLiteral("RTS");

QVariant Color(kui::OleColor c) {
    return QVariant::fromValue<uint>(c);
}

}  // namespace

ZelIspControl::ZelIspControl(QWidget* parent)
    : QWidget(parent), m_state(ControlState::processWide()), m_ctx(m_state.Context) {
    setObjectName(QStringLiteral("ZELISP"));
    m_state.Database.install();
    m_job = std::make_unique<ZelQtJob>(m_ctx, m_state.Database);
    connectEngine();

    const int tpp = kui::twipsPerPixelX(this);
    resize(kui::twipsToPixels(options::design::kScrollArea.width, tpp),
           kui::twipsToPixels(options::design::kScrollArea.height, tpp));
    applyBackColor(m_backColor);
    m_editor = new OptionEditor(this, m_ctx, m_state.Database, m_state.Database.series());
    m_editor->SetupScroll();
    m_editor->BuildOptionEditor();
    m_editor->Resize();
}

ZelIspControl::~ZelIspControl() {
    // A job still running ends quietly: the host is going away and must not hear of it.
    m_sinks.clear();
    m_job->disconnect(this);
    m_job.reset();
}

QSize ZelIspControl::sizeHint() const {
    const int tpp = kui::twipsPerPixelX(this);
    return {kui::twipsToPixels(options::design::kScrollArea.width, tpp),
            kui::twipsToPixels(options::design::kScrollArea.height, tpp)};
}

kserial::MSComm& ZelIspControl::MSComm1() {
    return m_job->port();
}

void ZelIspControl::connectEngine() {
    m_job->engine().setOptionCommitter([this] { m_editor->CommitOptions(); });
    connect(m_job.get(), &ZelQtJob::Error, this, &ZelIspControl::raiseError, Qt::DirectConnection);
    connect(m_job.get(), &ZelQtJob::ViewInfo, this, &ZelIspControl::raiseViewInfo,
            Qt::DirectConnection);
    connect(m_job.get(), &ZelQtJob::Interrupt, this, &ZelIspControl::raiseInterrupt,
            Qt::DirectConnection);
    connect(m_job.get(), &ZelQtJob::Progress, this, &ZelIspControl::raiseProgress,
            Qt::DirectConnection);
}

// A sink may Unadvise (itself or another) from inside its handler; only those still
// connected are called.
template <typename Call>
void ZelIspControl::notifySinks(Call call) {
    for (zelisp::IZelIspEvents* sink : QList(m_sinks)) {
        if (m_sinks.contains(sink)) call(*sink);
    }
}

void ZelIspControl::raiseError(int index, const QString& text) {
    short i = static_cast<short>(index);
    QString info = text;
    emit Error(i, info);
    notifySinks([&](zelisp::IZelIspEvents& sink) { sink.Error(i, info); });
}

void ZelIspControl::raiseViewInfo(int index, const QString& text) {
    short i = static_cast<short>(index);
    QString info = text;
    emit ViewInfo(i, info);
    notifySinks([&](zelisp::IZelIspEvents& sink) { sink.ViewInfo(i, info); });
}

void ZelIspControl::raiseInterrupt(int index, const QString& text, bool& resume) {
    short i = static_cast<short>(index);
    QString info = text;
    short bResume = zelisp::ToBool16(resume);
    emit Interrupt(i, info, bResume);
    notifySinks([&](zelisp::IZelIspEvents& sink) { sink.Interrupt(i, info, bResume); });
    resume = bResume != 0;
}

void ZelIspControl::raiseProgress(int percent) {
    short parent = static_cast<short>(percent);
    emit Progress(parent);
    notifySinks([&](zelisp::IZelIspEvents& sink) { sink.Progress(parent); });
}

void ZelIspControl::Advise(zelisp::IZelIspEvents* sink) {
    if (sink && !m_sinks.contains(sink)) m_sinks.append(sink);
}

void ZelIspControl::Unadvise(zelisp::IZelIspEvents* sink) {
    m_sinks.removeAll(sink);
}

void ZelIspControl::Start(int32_t pType) {
    LoadHostPortMap();
    m_job->engine().setSelectedSeries(m_editor->ListIndex());
    m_job->Start(pType);
}

void ZelIspControl::CancelDown(zelisp::Bool16& user) {
    m_job->CancelDown(user != 0);
}

zelisp::Bool16 ZelIspControl::SetData(QByteArray& dat) {
    m_job->SetData(Bytes(dat.begin(), dat.end()));
    return zelisp::kFalse;
}

zelisp::Bool16 ZelIspControl::AppendData(QByteArray& dat, int32_t& Add) {
    const CallStatus status = m_job->AppendData(Bytes(dat.begin(), dat.end()), Add);
    return zelisp::ToBool16(status == CallStatus::Ok);
}

std::shared_ptr<zelisp::IZelInfo> ZelIspControl::McuInfo() {
    return std::make_shared<ZelInfoView>(m_ctx);
}

int16_t ZelIspControl::OptCount() {
    return m_editor->OptCount();
}

void ZelIspControl::setOptValue(int16_t index, int32_t value) {
    m_editor->setOptValue(index, value);
}

int32_t ZelIspControl::OptValue(int16_t index) {
    return m_editor->OptValue(index);
}

int16_t ZelIspControl::ListCount() {
    return m_editor->ListCount();
}

int16_t ZelIspControl::ListIndex() {
    return m_editor->ListIndex();
}

int ZelIspControl::setListIndex(int16_t value) {
    if (!m_userMode) return zelisp::kDesignMode;
    if (m_editor->setListIndex(value)) m_job->engine().setSelectedSeries(value);
    return zelisp::kOk;
}

QString ZelIspControl::List(int16_t& index) {
    return m_editor->List(index);
}

void ZelIspControl::applyBackColor(zelisp::OleColor value) {
    m_backColor = value;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kui::toQColor(value));
    setPalette(palette);
    setAutoFillBackground(true);
}

void ZelIspControl::setBackColor(zelisp::OleColor value) {
    applyBackColor(value);
    emit PropertyChanged(kBackColorKey);
}

zelisp::OleColor ZelIspControl::FillColor() {
    return m_editor->FillColor();
}

void ZelIspControl::setFillColor(zelisp::OleColor value) {
    m_editor->setFillColor(value);
    emit PropertyChanged(kFillColorKey);
}

zelisp::OleColor ZelIspControl::FendColor() {
    return m_editor->FendColor();
}

void ZelIspControl::setFendColor(zelisp::OleColor value) {
    m_editor->setFendColor(value);
    emit PropertyChanged(kFendColorKey);
}

zelisp::OleColor ZelIspControl::ForeColor() {
    return m_editor->ForeColor();
}

void ZelIspControl::setForeColor(zelisp::OleColor value) {
    m_editor->setForeColor(value);
    emit PropertyChanged(kForeColorKey);
}

int16_t ZelIspControl::CommPort() {
    return static_cast<int16_t>(std::clamp(MSComm1().CommPort(), -32768, 32767));
}

int ZelIspControl::setCommPort(int16_t value) {
    if (!MSComm1().setCommPort(value)) return MSComm1().lastError().number;
    emit PropertyChanged(kCommPortKey);
    return zelisp::kOk;
}

zelisp::Bool16 ZelIspControl::Buzy() {
    return zelisp::ToBool16(m_job->Buzy());
}

zelisp::Bool16 ZelIspControl::RTS() {
    return zelisp::ToBool16(MSComm1().RTSEnable());
}

int ZelIspControl::setRTS(zelisp::Bool16 value) {
    if (!MSComm1().setRTSEnable(value != 0)) return MSComm1().lastError().number;
    emit PropertyChanged(kRTSKey);
    return zelisp::kOk;
}

int ZelIspControl::setDTR(zelisp::Bool16 value) {
    if (!MSComm1().setDTREnable(value != 0)) return MSComm1().lastError().number;
    return zelisp::kOk;
}

// The interface numbers its end codes as the engine orders its reasons.
static_assert(static_cast<int16_t>(zel::EndReason::PortLost) == zelisp::kEndPortLost &&
              static_cast<int16_t>(zel::EndReason::NoSteps) == zelisp::kEndNoSteps &&
              static_cast<int16_t>(zel::EndReason::TimedOut) == zelisp::kEndTimedOut);

int16_t ZelIspControl::EndCode() {
    return static_cast<int16_t>(m_job->engine().endReason());
}

int16_t ZelIspControl::DownType() {
    return static_cast<int16_t>(m_job->DownType());
}

zelisp::Bool16 ZelIspControl::success() {
    return zelisp::ToBool16(m_job->success());
}

void ZelIspControl::ReadProperties(const QVariantMap& stored) {
    const kui::PropertyBag bag(stored);
    applyBackColor(bag.readProperty(kBackColorKey, Color(kDefaultBackColor)).toUInt());
    // Applied to every row that exists, by parity, so rows made before the load match the
    // ones the rebuild below adds.
    m_editor->setFillColor(bag.readProperty(kFillColorKey, Color(kDefaultFillColor)).toUInt());
    m_editor->setFendColor(bag.readProperty(kFendColorKey, Color(kDefaultFendColor)).toUInt());
    m_editor->setForeColor(bag.readProperty(kForeColorKey, Color(kDefaultForeColor)).toUInt());
    const int port = bag.readProperty(kCommPortKey, int{kDefaultCommPort}).toInt();
    MSComm1().setCommPort(std::clamp(port, -32768, 32767));
    MSComm1().setRTSEnable(bag.readProperty(kRTSKey, kDefaultRTS).toBool());
    m_editor->SetupScroll();
    m_editor->BuildOptionEditor();
}

void ZelIspControl::WriteProperties(QVariantMap& stored) {
    kui::PropertyBag bag(stored);
    bag.writeProperty(kBackColorKey, Color(m_backColor), Color(kDefaultBackColor));
    bag.writeProperty(kFillColorKey, Color(FillColor()), Color(kDefaultFillColor));
    bag.writeProperty(kFendColorKey, Color(FendColor()), Color(kDefaultFendColor));
    bag.writeProperty(kForeColorKey, Color(ForeColor()), Color(kDefaultForeColor));
    bag.writeProperty(kCommPortKey, int{CommPort()}, int{kDefaultCommPort});
    bag.writeProperty(kRTSKey, RTS() != 0, kDefaultRTS);
    stored = bag.toMap();
}

void ZelIspControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_editor) m_editor->Resize();
}

void ZelIspControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && m_editor) m_editor->retranslate();
}

}  // namespace zel::control
