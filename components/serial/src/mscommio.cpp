// MSComm: the receive buffer, the output queue and the notifiers that feed them.
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QPointer>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <utility>

#include "mscomm.h"
#include "termiosline.h"
#include "utf8tail.h"

namespace kserial {

namespace {

constexpr qsizetype kReadChunk = 64 * 1024;
// Reads per notifier activation: a device that never pauses must not starve the event loop.
constexpr int kReadsPerActivation = 16;
// A written prefix of the queue is cut off once it is this large (not on every write).
constexpr qsizetype kCompactAt = 256 * 1024;

// What a drain allows beyond the bytes' own line time: USB adapters hand bytes on in frames
// of a millisecond or more, and the system needs a moment to schedule us.
constexpr qint64 kDrainMarginMs = 100;

// Bytes the driver holds that have not left the line yet (0 when it cannot tell).
qint64 unsentInDriver(int fd) {
    int queued = 0;
    return ::ioctl(fd, TIOCOUTQ, &queued) == 0 ? std::max(queued, 0) : 0;
}

}  // namespace

bool MSComm::Output(const QByteArray& bytes) {
    m_error = {};
    if (m_fd < 0) return fail(comPortNotOpen, 0, QStringLiteral("The port is not open"));
    if (bytes.isEmpty()) return true;
    const bool wasIdle = OutBufferCount() == 0;
    m_output.append(bytes);
    // Bytes already queued go first; new ones then wait for the write notifier.
    if (wasIdle && !writeSome()) return false;
    if (m_writeNotifier) m_writeNotifier->setEnabled(OutBufferCount() > 0);
    return true;
}

bool MSComm::Output(const QString& text) {
    return Output(text.toUtf8());
}

bool MSComm::writeSome() {
    while (m_outputPos < m_output.size()) {
        const ssize_t n = ::write(m_fd, m_output.constData() + m_outputPos,
                                  size_t(m_output.size() - m_outputPos));
        if (n > 0) {
            m_outputPos += n;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) break;
        const int err = n < 0 ? errno : EIO;
        const qsizetype lost = m_output.size() - m_outputPos;
        m_output.clear();
        m_outputPos = 0;
        if (m_writeNotifier) m_writeNotifier->setEnabled(false);
        return fail(comSystemError, err,
                    m_devicePath + QStringLiteral(": %1 bytes not sent: ").arg(lost) +
                        systemErrorText(err));
    }
    if (m_outputPos == m_output.size()) {
        m_output.clear();
        m_outputPos = 0;
    } else if (m_outputPos >= kCompactAt) {
        m_output.remove(0, m_outputPos);
        m_outputPos = 0;
    }
    return true;
}

void MSComm::writeQueued() {
    if (!writeSome()) {
        deviceLost(m_error.systemErrno);
        return;
    }
    if (m_writeNotifier) m_writeNotifier->setEnabled(OutBufferCount() > 0);
}

int MSComm::drainBudgetMs(const CommSettings& settings, qint64 bytes) {
    const qint64 lineMs =
        (std::max<qint64>(bytes, 0) * settings.bitsPerCharacter() * 1000 + settings.baud - 1) /
        settings.baud;
    return int(std::min<qint64>(lineMs + kDrainMarginMs, INT32_MAX));
}

bool MSComm::drainOutput() {
    if (m_fd < 0) return fail(comPortNotOpen, 0, QStringLiteral("The port is not open"));
    if (m_writeNotifier) m_writeNotifier->setEnabled(false);
    const QDeadlineTimer deadline(
        drainBudgetMs(m_settings, OutBufferCount() + unsentInDriver(m_fd)));
    while (OutBufferCount() > 0 && !deadline.hasExpired()) {
        pollfd p{m_fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, int(std::max<qint64>(1, deadline.remainingTime())));
        if (ready < 0 && errno != EINTR) break;
        if (ready > 0 && !writeSome()) return false;
    }
    // The driver's queue: on a real line the bytes leave at the rate; a pseudo-terminal
    // reports none. Waited for in short naps, as tcdrain has no time limit.
    while (unsentInDriver(m_fd) > 0 && !deadline.hasExpired()) {
        ::poll(nullptr, 0, int(std::clamp<qint64>(deadline.remainingTime(), 1, 10)));
    }
    const qint64 dropped = OutBufferCount() + unsentInDriver(m_fd);
    if (dropped == 0) return true;
    tcflush(m_fd, TCOFLUSH);
    m_output.clear();
    m_outputPos = 0;
    return fail(comSystemError, ETIMEDOUT,
                m_devicePath + QStringLiteral(": %1 bytes not sent in time, dropped").arg(dropped));
}

void MSComm::readAvailable() {
    const quint64 openCount = m_openCount;
    bool received = false;
    int lostErr = 0;
    for (int i = 0; i < kReadsPerActivation && !lostErr; ++i) {
        const qsizetype had = m_input.size();
        m_input.resize(had + kReadChunk);
        const ssize_t n = ::read(m_fd, m_input.data() + had, size_t(kReadChunk));
        m_input.resize(had + std::max<qsizetype>(n, 0));
        if (n > 0) {
            received = true;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) break;
        lostErr = n < 0 ? errno : EIO;  // 0 = hang-up
    }
    if (received) {
        m_commEvent = comEvReceive;
        const QPointer<MSComm> self(this);
        emit OnComm();
        if (!self) return;
    }
    // A handler may have closed or reopened the port; the loss only concerns the one read here.
    if (lostErr && m_fd >= 0 && m_openCount == openCount) deviceLost(lostErr);
}

void MSComm::deviceLost(int err) {
    const QString path = m_devicePath;
    closePort(false);
    fail(comSystemError, err,
         path + QStringLiteral(": the device is gone (") + systemErrorText(err) + u')');
    m_commEvent = comEventDeviceLost;
    emit OnComm();
}

QVariant MSComm::Input() {
    if (m_inputMode == comInputModeBinary) return QVariant(InputBytes());
    return QVariant(InputText());
}

QByteArray MSComm::InputBytes() {
    return std::exchange(m_input, QByteArray());
}

QString MSComm::InputText() {
    const qsizetype complete = m_input.size() - incompleteUtf8Tail(m_input);
    const QString text = QString::fromUtf8(m_input.constData(), complete);
    m_input.remove(0, complete);
    return text;
}

}  // namespace kserial
