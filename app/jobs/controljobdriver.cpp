#include "jobs/controljobdriver.h"

namespace korvan::jobs {

ControlJobDriver::ControlJobDriver(JobClock& clock, zelisp::IZelIsp& control)
    : JobDriver(clock), m_control(control) {
    m_control.Advise(this);
}

ControlJobDriver::~ControlJobDriver() {
    m_control.Unadvise(this);
}

bool ControlJobDriver::doStart(int type) {
    m_control.Start(type);
    return m_control.Buzy() != zelisp::kFalse;
}

// The control knows why a job ended; its events say only that it did.
EndReason ControlJobDriver::endReason() const {
    switch (m_control.EndCode()) {
        case zelisp::kEndPortOpenFailed:
            return EndReason::PortOpenFailed;
        case zelisp::kEndPortWriteFailed:
            return EndReason::PortWriteFailed;
        case zelisp::kEndPortLost:
            return EndReason::PortLost;
        case zelisp::kEndTimedOut:
            return EndReason::TimedOut;
        case zelisp::kEndRetriesExhausted:
            return EndReason::RetriesExhausted;
        case zelisp::kEndUnexpectedReply:
            return EndReason::UnexpectedReply;
        case zelisp::kEndUnknownModel:
            return EndReason::UnknownModel;
        case zelisp::kEndSeriesRefused:
            return EndReason::SeriesRefused;
        case zelisp::kEndNoSteps:
            return EndReason::NoSteps;
        case zelisp::kEndNoData:
            return EndReason::NoData;
        default:
            // Completed and cancelled jobs, and a control that does not say: as the final
            // event told.
            return JobDriver::endReason();
    }
}

void ControlJobDriver::cancel(bool user) {
    zelisp::Bool16 flag = zelisp::ToBool16(user);
    m_control.CancelDown(flag);
}

bool ControlJobDriver::setData(const QByteArray& bytes) {
    QByteArray copy = bytes;
    m_control.SetData(copy);
    return true;
}

bool ControlJobDriver::appendData(const QByteArray& bytes, qint64 address) {
    QByteArray copy = bytes;
    int32_t add = static_cast<int32_t>(address);
    return m_control.AppendData(copy, add) != zelisp::kFalse;
}

bool ControlJobDriver::busy() const {
    return m_control.Buzy() != zelisp::kFalse;
}

int ControlJobDriver::downType() const {
    return m_control.DownType();
}

bool ControlJobDriver::success() const {
    return m_control.success() != zelisp::kFalse;
}

ChipRecord ControlJobDriver::chip() const {
    const std::shared_ptr<zelisp::IZelInfo> info = m_control.McuInfo();
    ChipRecord c;
    if (!info) return c;
    c.model = info->model();
    c.id = info->id();
    c.version = info->version();
    c.cpu = info->cpu();
    c.flash = info->flash();
    c.memory = info->memory();
    c.eeprom = info->eeprom();
    c.baud = info->baud();
    c.sn = info->sn();
    c.index = info->index();
    for (int16_t i = 0; i < info->OptCount(); ++i) {
        const QString text = info->OptList(i);
        if (!text.isEmpty()) c.options << text;
    }
    return c;
}

void ControlJobDriver::setMaxBaud(qint64 baud) {
    if (const auto info = m_control.McuInfo()) info->setBaud(static_cast<int32_t>(baud));
}

void ControlJobDriver::setRts(bool on) {
    m_control.setRTS(zelisp::ToBool16(on));
}

void ControlJobDriver::setModemLine(ResetStep::Kind line, bool asserted) {
    if (line == ResetStep::Kind::Dtr)
        m_control.setDTR(zelisp::ToBool16(asserted));
    else
        m_control.setRTS(zelisp::ToBool16(asserted));
}

int ControlJobDriver::seriesCount() const {
    return m_control.ListCount();
}

QString ControlJobDriver::seriesName(int index) const {
    int16_t i = static_cast<int16_t>(index);
    return m_control.List(i);
}

int ControlJobDriver::seriesIndex() const {
    return m_control.ListIndex();
}

void ControlJobDriver::setSeriesIndex(int index) {
    m_control.setListIndex(static_cast<int16_t>(index));
}

int ControlJobDriver::optionCount() const {
    return m_control.OptCount();
}

int ControlJobDriver::optionValue(int index) const {
    return m_control.OptValue(static_cast<int16_t>(index));
}

void ControlJobDriver::setOptionValue(int index, int value) {
    m_control.setOptValue(static_cast<int16_t>(index), value);
}

void ControlJobDriver::Error(int16_t& index, QString& pInfo) {
    raiseError(index, pInfo);
}

void ControlJobDriver::ViewInfo(int16_t& index, QString& pInfo) {
    raiseViewInfo(index, pInfo);
}

void ControlJobDriver::Interrupt(int16_t& index, QString& pInfo, zelisp::Bool16& bResume) {
    bool resume = bResume != zelisp::kFalse;
    raiseInterrupt(index, pInfo, resume);
    bResume = zelisp::ToBool16(resume);
}

void ControlJobDriver::Progress(int16_t& Parent) {
    raiseProgress(Parent);
}

}  // namespace korvan::jobs
