#include "jobs/portaccess.h"

#include "core/apppaths.h"
#include "jobs/jobtexts.h"

#include <grp.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <vector>

namespace korvan::jobs {

namespace {

// A far side that reads the bytes a little after they arrived must still see them at the
// rate they were sent with.
constexpr int kReadMarginMs = 10;

}  // namespace

QString DeviceGroup(const QString& device) {
    struct stat st {};
    if (device.isEmpty() || ::stat(QFile::encodeName(device).constData(), &st) != 0)
        return QStringLiteral("dialout");
    // getgrgid_r: the port test may run beside other threads.
    std::vector<char> buffer(16384);
    struct group entry {};
    struct group* found = nullptr;
    if (::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return QString::number(st.st_gid);
    return QString::fromLocal8Bit(found->gr_name);
}

PortTarget ParsePortArgument(const QString& text) {
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]{0,3})$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto match = com.match(text);
    if (match.hasMatch()) {
        const int n = match.captured(1).toInt();
        return PortTarget{QStringLiteral("COM%1").arg(n), n, {}};
    }
    return PortTarget{text, std::nullopt, text};
}

void LoadPortMapOnce() {
    static const bool mapped = [] {
        const QString config = CurrentAppPaths().configFile();
        return QFileInfo::exists(config) && kserial::MSComm::loadPortMap(config);
    }();
    Q_UNUSED(mapped);
}

void ApplyPort(kserial::MSComm& comm, const PortTarget& target) {
    if (target.number) {
        LoadPortMapOnce();
        comm.setCommPort(*target.number);
    } else {
        comm.setPortName(target.device);
    }
}

PortProblem ProblemOf(const PortTarget& target, const kserial::CommError& error) {
    switch (error.number) {
        case kserial::comPortInvalid:
            return PortProblem{error.number, text::PortInvalid(target.shown), 12};
        case kserial::comPortAlreadyOpen: {
            QString message = text::PortHeld(target.shown);
            if (error.holderPid > 0)
                message += text::PortHolder(
                    error.holderName.isEmpty() ? QStringLiteral("?") : error.holderName,
                    error.holderPid);
            return PortProblem{error.number, message, 11};
        }
        default:
            break;
    }
    QString message = error.description.isEmpty() ? text::kPortFallback : error.description;
    if (error.systemErrno == EACCES || error.systemErrno == EPERM) {
        const QString device =
            target.number ? kserial::MSComm::deviceForPort(*target.number) : target.device;
        message += text::PortPermissionHint(DeviceGroup(device));
    }
    return PortProblem{error.number, message, 11};
}

void PortAccess::setTarget(const PortTarget& target) {
    m_target = target;
    ApplyPort(m_comm, target);
}

std::optional<PortProblem> PortAccess::open(const QString& settings, bool testOnly) {
    if (!m_comm.PortOpen() && !(m_comm.setSettings(settings) && m_comm.setPortOpen(true))) {
        const PortProblem problem = ProblemOf(m_target, m_comm.lastError());
        m_comm.setPortOpen(false);
        return problem;
    }
    if (testOnly) m_comm.setPortOpen(false);
    return std::nullopt;
}

void PortAccess::close() {
    m_comm.setPortOpen(false);
    if (m_comm.RTSEnable()) m_comm.setRTSEnable(false);
}

int PortAccess::sendDataText(const QString& text, const DataTextContext& context) {
    if (!m_comm.PortOpen()) return 0;
    const Bytes bytes = ParseDataText(text, context);
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    if (!m_comm.Output(data)) return 0;
    return static_cast<int>(bytes.size());
}

int PortAccess::lineTimeMs(int bytes) const {
    const kserial::CommSettings& s = m_comm.lineSettings();
    const qint64 bits = static_cast<qint64>(bytes) * s.bitsPerCharacter();
    const qint64 ms = (bits * 1000 + s.baud - 1) / std::max<qint64>(s.baud, 1);
    return static_cast<int>(ms) + kReadMarginMs;
}

}  // namespace korvan::jobs
