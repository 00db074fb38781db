#include "zelsim/pseudoterminal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

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
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(m_slave, TCSANOW, &tio);
    const int flags = fcntl(m_master, F_GETFL);
    fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
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

void PseudoTerminal::discardUnread() {
    if (m_slave >= 0) tcflush(m_slave, TCIFLUSH);
}

}  // namespace zelsim
