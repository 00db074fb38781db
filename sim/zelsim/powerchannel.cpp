#include "zelsim/powerchannel.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zelsim {

PowerChannel::~PowerChannel() {
    close();
}

bool PowerChannel::open(const std::string& path, std::string* error) {
    close();
    struct stat st {};
    if (::mkfifo(path.c_str(), 0600) != 0 &&
        !(errno == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode))) {
        if (error) *error = "cannot create the FIFO " + path + ": " + std::strerror(errno);
        return false;
    }
    m_read = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_read >= 0) m_keepOpen = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_read < 0 || m_keepOpen < 0) {
        if (error) *error = "cannot open the FIFO " + path + ": " + std::strerror(errno);
        close();
        return false;
    }
    return true;
}

void PowerChannel::close() {
    for (int* fd : {&m_read, &m_keepOpen}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    m_partial.clear();
}

std::vector<LineChange> PowerChannel::readChanges() {
    std::vector<LineChange> changes;
    if (m_read < 0) return changes;
    char buffer[256];
    ssize_t n = 0;
    while ((n = ::read(m_read, buffer, sizeof buffer)) > 0) m_partial.append(buffer, size_t(n));
    size_t end = 0;
    while ((end = m_partial.find('\n')) != std::string::npos) {
        if (const auto change = parseLineChange(m_partial.substr(0, end)))
            changes.push_back(*change);
        m_partial.erase(0, end + 1);
    }
    // A writer that never ends its line must not grow the buffer without bound.
    if (m_partial.size() > 64) m_partial.clear();
    return changes;
}

std::optional<LineChange> parseLineChange(const std::string& text) {
    std::string t = text;
    while (!t.empty() && (t.back() == '\r' || t.back() == ' ')) t.pop_back();
    if (t.size() != 5 || t[3] != '=' || (t[4] != '0' && t[4] != '1')) return std::nullopt;
    const std::string name = t.substr(0, 3);
    if (name != "DTR" && name != "RTS") return std::nullopt;
    return LineChange{name[0], t[4] == '1'};
}

}  // namespace zelsim
