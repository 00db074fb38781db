#include "zelsim/pseudoterminal.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "zelsim/linerate.h"

namespace zelsim {
namespace {

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

}  // namespace

PseudoTerminal::~PseudoTerminal() {
    close();
}

bool PseudoTerminal::open(std::string* error) {
    close();
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0) {
        if (error) *error = systemError("cannot create a pseudo-terminal");
        return false;
    }
    char name[256] = {};
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0 ||
        ptsname_r(m_master, name, sizeof name) != 0) {
        if (error) *error = systemError("cannot unlock the pseudo-terminal");
        close();
        return false;
    }
    m_slavePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        if (error) *error = systemError("cannot open " + m_slavePath);
        close();
        return false;
    }
    // Raw from the start: a host that has not configured the line yet must not get the chip's
    // bytes echoed back or translated.
    termios tio{};
    tcgetattr(m_slave, &tio);
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_lflag |= EXTPROC;
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(m_slave, TCSANOW, &tio);
    const int flags = fcntl(m_master, F_GETFL);
    fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
    int on = 1;
    m_notified = ioctl(m_master, TIOCPKT, &on) == 0;
    m_rate = hostRate().value_or(0);
    return true;
}

bool PseudoTerminal::publishLink(const std::string& path, std::string* error) {
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        if (error) *error = path + " exists and is not a symbolic link; not replacing it";
        return false;
    }
    // A new link under a temporary name, renamed over the old one: the path never dangles.
    const std::string temporary = path + ".new" + std::to_string(getpid());
    ::unlink(temporary.c_str());
    if (::symlink(m_slavePath.c_str(), temporary.c_str()) != 0) {
        if (error) *error = systemError("cannot create the link " + path);
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        if (error) *error = systemError("cannot create the link " + path);
        ::unlink(temporary.c_str());
        return false;
    }
    m_link = path;
    return true;
}

void PseudoTerminal::close() {
    if (!m_link.empty()) {
        // Only our own link is removed; another chip may have taken the name since.
        char target[512] = {};
        const ssize_t n = ::readlink(m_link.c_str(), target, sizeof target - 1);
        if (n > 0 && m_slavePath == std::string(target, static_cast<size_t>(n)))
            ::unlink(m_link.c_str());
        m_link.clear();
    }
    if (m_slave >= 0) ::close(m_slave);
    if (m_master >= 0) ::close(m_master);
    m_slave = m_master = -1;
}

std::optional<uint32_t> PseudoTerminal::hostRate() const {
    if (m_slave < 0) return std::nullopt;
    return lineRate(m_slave);
}

std::vector<PseudoTerminal::Arrival> PseudoTerminal::readArrivals() {
    std::vector<Arrival> out;
    if (m_master < 0) return out;
    uint8_t buffer[4097];
    // After a settings notice, everything read until the terminal runs dry may have been sent
    // before the change or after it. A read that finds nothing first pulls in what the kernel
    // still holds for delivery, so bytes the host wrote before its change cannot slip past the
    // window and be taken as certain.
    double uncertainSince = 0;
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0) break;
        if (!m_notified) {
            out.push_back({std::vector<uint8_t>(buffer, buffer + n),
                           static_cast<double>(hostRate().value_or(0)), 0});
            continue;
        }
        if (buffer[0] == TIOCPKT_DATA) {
            if (n > 1)
                out.push_back(
                    {std::vector<uint8_t>(buffer + 1, buffer + n), m_rate, uncertainSince});
            continue;
        }
        if (!(buffer[0] & TIOCPKT_IOCTL)) continue;
        if (uncertainSince == 0) uncertainSince = m_rate;
        m_rate = hostRate().value_or(0);
        termios tio{};
        if (tcgetattr(m_slave, &tio) == 0 && !(tio.c_lflag & EXTPROC)) {
            m_notified = false;
            int off = 0;
            ioctl(m_master, TIOCPKT, &off);
        }
    }
    return out;
}

void PseudoTerminal::discardUnread() {
    if (m_slave >= 0) tcflush(m_slave, TCIFLUSH);
}

}  // namespace zelsim
