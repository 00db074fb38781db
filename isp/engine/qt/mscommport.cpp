#include "mscommport.h"

#include <cerrno>

namespace zel {

bool MSCommPort::open(int64_t rate, Parity parity, PortFailure& failure) {
    if (m_comm.PortOpen()) m_comm.setPortOpen(false);
    const QString settings = QStringLiteral("%1,%2,8,1")
                                 .arg(rate)
                                 .arg(parity == Parity::Even ? QLatin1Char('E') : QLatin1Char('N'));
    const bool ok = m_comm.setInputMode(kserial::MSComm::comInputModeBinary) &&
                    m_comm.setSettings(settings) && m_comm.setPortOpen(true);
    if (!ok) {
        failure.code = m_comm.lastError().number;
        failure.text = m_comm.lastError().description;
    }
    return ok;
}

bool MSCommPort::deviceGone() const {
    if (m_comm.CommEvent() == kserial::MSComm::comEventDeviceLost && !m_comm.PortOpen())
        return true;
    const int err = m_comm.lastError().systemErrno;
    return err == EIO || err == ENXIO || err == ENODEV || err == EPIPE;
}

void MSCommPort::close() {
    m_comm.setPortOpen(false);
}

bool MSCommPort::write(const Bytes& bytes) {
    if (!m_comm.PortOpen()) return false;
    return m_comm.Output(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                    static_cast<qsizetype>(bytes.size())));
}

}  // namespace zel
