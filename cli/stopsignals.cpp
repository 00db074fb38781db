#include "stopsignals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace korvan::cli {

namespace {

int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
// The signal the event loop has not taken up yet, 0 when none.
volatile sig_atomic_t g_unheard = 0;

void Install(int number, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // Restarted calls keep the program's own I/O simple; the alarm below covers calls that
    // would be restarted for ever.
    action.sa_flags = SA_RESTART;
    ::sigaction(number, &action, nullptr);
}

// Ends the process as the signal would have without a handler (exit status and all).
void EndBySignal(int number) {
    Install(number, SIG_DFL);
    ::raise(number);
}

void OnAlarm(int) {
    if (g_unheard != 0) EndBySignal(g_unheard);
}

void OnSignal(int number) {
    // Only async-signal-safe calls here.
    if (g_unheard != 0) EndBySignal(number);
    g_unheard = number;
    ::alarm(StopSignals::kUnheardGraceSeconds);
    const unsigned char byte = static_cast<unsigned char>(number);
    // A full pipe just drops the repeat.
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
}

}  // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) return;
    ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::onReadable);
    g_unheard = 0;
    Install(SIGALRM, OnAlarm);
    for (int number : kSignals) Install(number, OnSignal);
}

StopSignals::~StopSignals() {
    for (int number : kSignals) std::signal(number, SIG_DFL);
    ::alarm(0);
    std::signal(SIGALRM, SIG_DFL);
    g_unheard = 0;
    delete m_notifier;
    m_notifier = nullptr;
    for (int& fd : g_pipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

void StopSignals::onReadable() {
    unsigned char byte = 0;
    if (::read(g_pipe[0], &byte, 1) != 1) return;
    // Heard: the job's own cancel takes it from here, however long it needs.
    ::alarm(0);
    g_unheard = 0;
    emit stopRequested(byte);
}

}  // namespace korvan::cli
