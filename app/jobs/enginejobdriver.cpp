#include "jobs/enginejobdriver.h"

#include "zeldb.h"
#include "zelinfo.h"
#include "zelqtjob.h"

#include <QFileInfo>

namespace korvan::jobs {

namespace {

EndReason FromEngine(zel::EndReason reason) {
    switch (reason) {
        case zel::EndReason::None:
            return EndReason::None;
        case zel::EndReason::Completed:
            return EndReason::Completed;
        case zel::EndReason::Cancelled:
            return EndReason::Cancelled;
        case zel::EndReason::PortOpenFailed:
            return EndReason::PortOpenFailed;
        case zel::EndReason::PortWriteFailed:
            return EndReason::PortWriteFailed;
        case zel::EndReason::PortLost:
            return EndReason::PortLost;
        case zel::EndReason::TimedOut:
            return EndReason::TimedOut;
        case zel::EndReason::RetriesExhausted:
            return EndReason::RetriesExhausted;
        case zel::EndReason::UnexpectedReply:
            return EndReason::UnexpectedReply;
        case zel::EndReason::UnknownModel:
            return EndReason::UnknownModel;
        case zel::EndReason::SeriesRefused:
            return EndReason::SeriesRefused;
        case zel::EndReason::NoSteps:
            return EndReason::NoSteps;
        case zel::EndReason::NoData:
            return EndReason::NoData;
    }
    return EndReason::Failed;
}

zel::Bytes ToBytes(const QByteArray& bytes) {
    return zel::Bytes(bytes.begin(), bytes.end());
}

}  // namespace

EngineJobDriver::EngineJobDriver(JobClock& clock)
    : JobDriver(clock), m_context(std::make_unique<zel::ZelContext>()) {
    m_job = std::make_unique<zel::ZelQtJob>(*m_context, m_database);
    // Direct connections: the handlers run inside the engine's event, before it goes on, so
    // the data handed over at the erase announcement is what gets written.
    QObject::connect(
        m_job.get(), &zel::ZelQtJob::Error, &m_receiver,
        [this](int index, const QString& text) { raiseError(index, text); }, Qt::DirectConnection);
    QObject::connect(
        m_job.get(), &zel::ZelQtJob::ViewInfo, &m_receiver,
        [this](int index, const QString& text) { raiseViewInfo(index, text); },
        Qt::DirectConnection);
    QObject::connect(
        m_job.get(), &zel::ZelQtJob::Interrupt, &m_receiver,
        [this](int index, const QString& text, bool& resume) {
            raiseInterrupt(index, text, resume);
        },
        Qt::DirectConnection);
    QObject::connect(
        m_job.get(), &zel::ZelQtJob::Progress, &m_receiver,
        [this](int percent) { raiseProgress(percent); }, Qt::DirectConnection);
    m_job->engine().setOptionCommitter(
        [this] { WriteOptionChoices(*m_context, m_context->Chip.SeriesIndex, m_choices); });
}

EngineJobDriver::~EngineJobDriver() {
    QObject::disconnect(m_job.get(), nullptr, &m_receiver, nullptr);
    m_job.reset();
}

bool EngineJobDriver::openDatabase(const QString& path) {
    if (path.isEmpty()) {
        // The installed database, refreshed from the built-in copy when older, as the control
        // does when it is created; the built-in copy itself when none can be installed.
        zel::InstalledDb installed = zel::OpenInstalledDb();
        m_database.m_source = std::move(installed.database);
        m_dbPath = installed.embedded ? QString() : installed.path;
        m_builtIn = installed.embedded;
    } else {
        // A database the user names is read as it is, never overwritten.
        const QFileInfo file(path);
        if (!file.isFile() || !file.isReadable()) return false;
        m_dbPath = file.absoluteFilePath();
        m_database.m_source = std::make_unique<zel::FileChipDatabase>(m_dbPath);
        m_builtIn = false;
    }
    m_series = zel::SeriesCatalog::of(*m_database.load());
    return !m_series.TypeList.isEmpty();
}

kserial::MSComm& EngineJobDriver::port() {
    return m_job->port();
}

void EngineJobDriver::setTrace(std::function<void(const QString&)> trace) {
    QObject::disconnect(m_job.get(), &zel::ZelQtJob::traced, nullptr, nullptr);
    m_job->setTraceEnabled(static_cast<bool>(trace));
    if (trace)
        QObject::connect(m_job.get(), &zel::ZelQtJob::traced, &m_receiver,
                         [trace](const QString& line) { trace(line); });
}

QString EngineJobDriver::lastPortFailure() const {
    return m_job->engine().lastPortFailure().text;
}

std::vector<OptionRowInfo> EngineJobDriver::chipOptions() const {
    return ReadOptionRows(*m_context, m_context->Chip.SeriesIndex);
}

bool EngineJobDriver::doStart(int type) {
    return m_job->Start(type) == zel::CallStatus::Ok;
}

EndReason EngineJobDriver::endReason() const {
    const EndReason reason = FromEngine(m_job->engine().endReason());
    return reason == EndReason::None ? JobDriver::endReason() : reason;
}

void EngineJobDriver::cancel(bool user) {
    m_job->CancelDown(user);
}

bool EngineJobDriver::setData(const QByteArray& bytes) {
    return m_job->SetData(ToBytes(bytes)) == zel::CallStatus::Ok;
}

bool EngineJobDriver::appendData(const QByteArray& bytes, qint64 address) {
    return m_job->AppendData(ToBytes(bytes), address) == zel::CallStatus::Ok;
}

bool EngineJobDriver::busy() const {
    return m_job->Buzy();
}

int EngineJobDriver::downType() const {
    return m_job->DownType();
}

bool EngineJobDriver::success() const {
    return m_job->success();
}

ChipRecord EngineJobDriver::chip() const {
    const zel::cZelInfo info(*m_context);
    ChipRecord c;
    c.model = info.model();
    c.id = info.id();
    c.version = info.version();
    c.cpu = info.cpu();
    c.flash = info.flash();
    c.memory = info.memory();
    c.eeprom = info.eeprom();
    c.baud = info.baud();
    c.sn = info.sn();
    c.index = info.index();
    for (int16_t i = 0; i < info.OptCount(); ++i) {
        const QString text = info.OptList(i);
        if (!text.isEmpty()) c.options << text;
    }
    return c;
}

void EngineJobDriver::setMaxBaud(qint64 baud) {
    m_job->engine().setMaxBaud(baud);
}

void EngineJobDriver::setRts(bool on) {
    m_job->port().setRTSEnable(on);
}

void EngineJobDriver::setModemLine(ResetStep::Kind line, bool asserted) {
    if (line == ResetStep::Kind::Dtr)
        m_job->port().setDTREnable(asserted);
    else
        m_job->port().setRTSEnable(asserted);
}

int EngineJobDriver::seriesCount() const {
    return static_cast<int>(m_series.TypeList.size());
}

QString EngineJobDriver::seriesName(int index) const {
    const QStringList names = m_series.SeriesNames.split(QStringLiteral("\r\n"));
    return index >= 0 && index < names.size() ? names.at(index) : QString();
}

int EngineJobDriver::seriesIndex() const {
    return m_job->engine().selectedSeries();
}

void EngineJobDriver::setSeriesIndex(int index) {
    m_job->engine().setSelectedSeries(index);
}

}  // namespace korvan::jobs
