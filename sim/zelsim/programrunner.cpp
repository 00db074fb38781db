#include "zelsim/programrunner.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sstream>

extern char** environ;

namespace zelsim {
namespace {

constexpr int kProgramInFd = 3;
constexpr int kProgramOutFd = 4;
// How long a stopped simulator may take to end by itself.
constexpr std::chrono::milliseconds kStopGrace{300};

std::string findOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace

std::string intelHex(const std::vector<uint8_t>& flash) {
    std::string text;
    char line[64];
    for (size_t at = 0; at < flash.size() && at < 0x10000; at += 16) {
        const size_t n = std::min<size_t>(16, flash.size() - at);
        if (std::all_of(flash.begin() + static_cast<std::ptrdiff_t>(at),
                        flash.begin() + static_cast<std::ptrdiff_t>(at + n),
                        [](uint8_t b) { return b == 0xFF; }))
            continue;
        unsigned sum = static_cast<unsigned>(n + (at >> 8) + (at & 0xFF));
        int len = std::snprintf(line, sizeof line, ":%02X%04X00", static_cast<unsigned>(n),
                                static_cast<unsigned>(at));
        text.append(line, static_cast<size_t>(len));
        for (size_t i = 0; i < n; ++i) {
            sum += flash[at + i];
            len = std::snprintf(line, sizeof line, "%02X", flash[at + i]);
            text.append(line, static_cast<size_t>(len));
        }
        len = std::snprintf(line, sizeof line, "%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
        text.append(line, static_cast<size_t>(len));
    }
    text += ":00000001FF\n";
    return text;
}

ProgramRunner::~ProgramRunner() {
    stop();
}

bool ProgramRunner::available() {
    return !findOnPath("s51").empty();
}

bool ProgramRunner::start(const std::vector<uint8_t>& flash, uint32_t frequency,
                          std::string* error) {
    stop();
    const std::string s51 = findOnPath("s51");
    if (s51.empty()) {
        if (error) *error = "cannot run the program: s51 (package sdcc-ucsim) is not installed";
        return false;
    }
    // s51 reads Intel HEX only from files named .hex or .ihx.
    char hexTemplate[] = "/tmp/zel-sim-program-XXXXXX.hex";
    const int hexFd = ::mkstemps(hexTemplate, 4);
    if (hexFd < 0) {
        if (error) *error = std::string("cannot write the program file: ") + std::strerror(errno);
        return false;
    }
    m_hexPath = hexTemplate;
    const std::string hex = intelHex(flash);
    const bool written = ::write(hexFd, hex.data(), hex.size()) == static_cast<ssize_t>(hex.size());
    ::close(hexFd);
    int in[2], out[2];
    if (!written || ::pipe2(in, O_CLOEXEC) != 0) {
        if (error) *error = "cannot prepare the program run";
        stop();
        return false;
    }
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        if (error) *error = "cannot prepare the program run";
        stop();
        return false;
    }
    // The simulator reads the UART from fd 3 and writes it to fd 4; its console is silent.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], kProgramInFd);
    posix_spawn_file_actions_adddup2(&actions, out[1], kProgramOutFd);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string clock = std::to_string(frequency);
    const std::string serial = "in=/dev/fd/" + std::to_string(kProgramInFd) + ",out=/dev/fd/" +
                               std::to_string(kProgramOutFd);
    std::vector<std::string> args = {s51, "-X", clock, "-S", serial, "-e", "run", m_hexPath};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int rc = posix_spawn(&m_pid, s51.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    m_toProgram = in[1];
    m_fromProgram = out[0];
    if (rc != 0) {
        m_pid = -1;
        if (error) *error = std::string("cannot start s51: ") + std::strerror(rc);
        stop();
        return false;
    }
    ::fcntl(m_toProgram, F_SETFL, O_NONBLOCK);
    ::fcntl(m_fromProgram, F_SETFL, O_NONBLOCK);
    return true;
}

void ProgramRunner::stop() {
    closeFd(m_toProgram);
    closeFd(m_fromProgram);
    if (m_pid > 0) {
        // s51 ignores SIGTERM, and a simulator left behind spins at full load: it gets a short
        // grace to end by itself, then SIGKILL.
        ::kill(m_pid, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + kStopGrace;
        while (::waitpid(m_pid, nullptr, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() >= deadline) {
                ::kill(m_pid, SIGKILL);
                while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
                }
                break;
            }
            const timespec nap{0, 10'000'000};
            ::nanosleep(&nap, nullptr);
        }
        m_pid = -1;
    }
    if (!m_hexPath.empty()) ::unlink(m_hexPath.c_str());
    m_hexPath.clear();
}

void ProgramRunner::toProgram(const uint8_t* bytes, size_t count) {
    if (m_toProgram < 0) return;
    // A program that does not read its UART loses the bytes, as on real hardware.
    if (::write(m_toProgram, bytes, count) < 0 && errno == EPIPE) {
        closeFd(m_toProgram);
        sigset_t pipeSignal;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        const timespec zero{0, 0};
        sigtimedwait(&pipeSignal, nullptr, &zero);
    }
}

std::vector<uint8_t> ProgramRunner::fromProgram() {
    std::vector<uint8_t> bytes;
    if (m_fromProgram < 0) return bytes;
    uint8_t buffer[1024];
    for (;;) {
        const ssize_t n = ::read(m_fromProgram, buffer, sizeof buffer);
        if (n > 0) {
            bytes.insert(bytes.end(), buffer, buffer + n);
            continue;
        }
        // End of file: the simulator has quit.
        if (n == 0) closeFd(m_fromProgram);
        break;
    }
    return bytes;
}

}  // namespace zelsim
