// MSComm: the receive buffer, the output queue and the notifiers that feed them.
#include <poll.h>
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

// How long a draining close waits for the device to take at least one more byte. The kernel
// only reports room once its buffer (about 4 KB) has nearly emptied, which at low rates takes
// seconds; a device that takes nothing for longer than that is stuck.
int drainStallMs(const CommSettings& s) {
    const qint64 bufferTimeMs = qint64(4096) * s.bitsPerCharacter() * 1000 / s.baud;
    return int(std::min<qint64>(60'000, 2'000 + bufferTimeMs));
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

bool MSComm::drainOutput() {
    if (m_fd < 0) return fail(comPortNotOpen, 0, QStringLiteral("The port is not open"));
    const int stallMs = drainStallMs(m_settings);
    QDeadlineTimer stall(stallMs);
    while (OutBufferCount() > 0) {
        pollfd p{m_fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, int(std::max<qint64>(0, stall.remainingTime())));
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) {
            const int left = OutBufferCount();
            m_output.clear();
            m_outputPos = 0;
            return fail(comSystemError, ETIMEDOUT,
                        m_devicePath + QStringLiteral(": the device took no data for %1 ms, "
                                                      "%2 bytes not sent")
                                           .arg(stallMs)
                                           .arg(left));
        }
        const int before = OutBufferCount();
        if (!writeSome()) return false;
        if (OutBufferCount() < before) stall.setRemainingTime(stallMs);
    }
    if (m_writeNotifier) m_writeNotifier->setEnabled(false);
    if (const int err = waitUntilSent(m_fd))
        return fail(comSystemError, err,
                    m_devicePath + QStringLiteral(": ") + systemErrorText(err));
    return true;
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
