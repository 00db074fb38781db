#include "modemlinechannel.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace kserial {

void reportToModemLineChannel(const char* line, bool asserted) {
    const char* path = std::getenv(kModemLineChannelVariable);
    if (!path || !*path) return;
    // Non-blocking: without a reader the open fails at once (ENXIO) instead of hanging the
    // window thread.
    const int fd = ::open(path, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    const std::string text = std::string(line) + (asserted ? "=1\n" : "=0\n");
    // Shorter than PIPE_BUF, so the line arrives whole or not at all.
    [[maybe_unused]] const ssize_t written = ::write(fd, text.data(), text.size());
    ::close(fd);
}

}  // namespace kserial
