#include "ptypair.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <cerrno>
#include <cstdlib>

PtyPair::PtyPair() {
    const int fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;
    const char* name = (grantpt(fd) == 0 && unlockpt(fd) == 0) ? ptsname(fd) : nullptr;
    if (!name || fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK) != 0) {
        ::close(fd);
        return;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    m_master = fd;
}

PtyPair::~PtyPair() {
    closeMaster();
}

void PtyPair::closeMaster() {
    if (m_master >= 0) ::close(m_master);
    m_master = -1;
}

bool PtyPair::send(const QByteArray& bytes) {
    qsizetype done = 0;
    QDeadlineTimer deadline(10000);
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        if (deadline.hasExpired()) return false;
        pollfd p{m_master, POLLOUT, 0};
        ::poll(&p, 1, 50);
    }
    return true;
}

QByteArray PtyPair::receive(qsizetype count, int timeoutMs) {
    QByteArray got;
    QDeadlineTimer deadline(timeoutMs);
    char buf[65536];
    do {
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, int(deadline.remainingTime())) <= 0) continue;
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0)
            got.append(buf, n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            break;
    } while (got.size() < count && !deadline.hasExpired());
    return got;
}
