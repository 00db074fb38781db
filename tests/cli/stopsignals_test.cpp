// Stop signals in a child process of its own: heard by a running event loop they become a
// cancel and nothing else; unheard, because the main thread is stuck in a system call, they
// still end the program.
#include "stopsignals.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <thread>

namespace korvan::cli {
namespace {

enum class Child { Stuck, Listening };

// Runs the child's part; it reports "ready" through `ready` and never returns.
[[noreturn]] void RunChild(Child kind, int ready) {
    int argc = 1;
    char name[] = "stopsignals";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    StopSignals stops;
    int heard = 0;
    QObject::connect(&stops, &StopSignals::stopRequested, [&](int number) {
        heard = number;
        app.quit();
    });
    // Said once the loop runs, so the signal finds the child listening.
    QTimer::singleShot(0, [&] { [[maybe_unused]] const ssize_t n = ::write(ready, "r", 1); });
    if (kind == Child::Stuck) {
        [[maybe_unused]] const ssize_t n = ::write(ready, "r", 1);
        // A read that no one answers and that every signal restarts.
        int never[2];
        if (::pipe(never) != 0) ::_exit(90);
        char byte = 0;
        [[maybe_unused]] const ssize_t r = ::read(never[0], &byte, 1);
        ::_exit(91);  // the read ended: not expected
    }
    app.exec();
    // Heard: the grace alarm must be off, or it would end the program during the cancel.
    ::_exit(::alarm(0) == 0 ? 40 + heard : 92);
}

struct Outcome {
    bool ended = false;
    int status = 0;
};

// Waits (bounded generously) for the child to end.
Outcome WaitFor(pid_t child, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    Outcome outcome;
    while (std::chrono::steady_clock::now() < deadline) {
        const pid_t done = ::waitpid(child, &outcome.status, WNOHANG);
        if (done == child) {
            outcome.ended = true;
            return outcome;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &outcome.status, 0);
    return outcome;
}

struct SignalCase {
    const char* name;
    Child kind;
    int signal;
    int count;            // signals sent
    bool killedBySignal;  // ended by the signal's default action
};

class StopSignalsTest : public testing::TestWithParam<SignalCase> {};

TEST_P(StopSignalsTest, EndTheProgramOneWayOrTheOther) {
    const SignalCase& c = GetParam();
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        RunChild(c.kind, ready[1]);
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    for (int i = 0; i < c.count; ++i) ::kill(child, c.signal);
    // The grace period plus generous room for a busy machine.
    const Outcome outcome =
        WaitFor(child, std::chrono::seconds(StopSignals::kUnheardGraceSeconds + 60));
    ASSERT_TRUE(outcome.ended) << "the child ignored the signal";
    if (c.killedBySignal) {
        ASSERT_TRUE(WIFSIGNALED(outcome.status)) << outcome.status;
        EXPECT_EQ(WTERMSIG(outcome.status), c.signal);
    } else {
        ASSERT_TRUE(WIFEXITED(outcome.status)) << outcome.status;
        EXPECT_EQ(WEXITSTATUS(outcome.status), 40 + c.signal);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, StopSignalsTest,
    testing::Values(SignalCase{"HeardTermCancels", Child::Listening, SIGTERM, 1, false},
                    SignalCase{"HeardIntCancels", Child::Listening, SIGINT, 1, false},
                    SignalCase{"StuckTermEndsAfterTheGrace", Child::Stuck, SIGTERM, 1, true},
                    SignalCase{"StuckIntEndsAfterTheGrace", Child::Stuck, SIGINT, 1, true},
                    SignalCase{"StuckRepeatedIntEndsIt", Child::Stuck, SIGINT, 2, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvan::cli
