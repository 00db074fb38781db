// zel-sim: a virtual ZEL chip behind a pseudo-terminal.
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <iostream>

#include "commandline.h"
#include "zelsim/virtualchip.h"

namespace {

std::string timestamp() {
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    char text[32];
    std::snprintf(text, sizeof text, "%9.3f",
                  duration<double>(steady_clock::now() - start).count());
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    zelsim::CommandLine cmd;
    std::string error;
    if (!zelsim::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), cmd, &error)) {
        std::cerr << "zel-sim: " << error << "\nTry 'zel-sim --help'.\n";
        return 2;
    }
    if (cmd.help) {
        std::cout << zelsim::helpText();
        return 0;
    }
    if (cmd.verbose)
        cmd.chip.log = [](const std::string& line) {
            std::cerr << timestamp() << "  " << line << '\n';
        };

    // Signals are taken by this thread only; the chip's thread never sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    zelsim::VirtualChip chip(cmd.chip);
    if (!chip.open(&error)) {
        std::cerr << "zel-sim: " << error << '\n';
        return 1;
    }
    std::cout << chip.slavePath() << std::endl;
    std::string optionBytes;
    for (int index : chip.model().optionBytes)
        optionBytes += (optionBytes.empty() ? "" : ",") + std::to_string(index);
    std::cerr << "zel-sim: " << chip.model().name << " (" << chip.model().idText << "), "
              << cmd.chip.frequency << " Hz, option bytes "
              << (optionBytes.empty() ? "none" : optionBytes) << ", on " << chip.slavePath()
              << (cmd.chip.linkPath.empty() ? "" : " as " + cmd.chip.linkPath) << std::endl;
    // Only now: the chip's first log line must not cut into the banner.
    if (!chip.start(&error)) {
        std::cerr << "zel-sim: " << error << '\n';
        return 1;
    }

    const timespec tick{0, 200'000'000};
    while (!chip.snapshot().finished) {
        if (sigtimedwait(&stopSignals, nullptr, &tick) > 0) break;
    }
    const zelsim::ChipSnapshot last = chip.snapshot();
    chip.stop();
    if (last.state == zelsim::ChipState::HungUp)
        std::cerr << "zel-sim: the line was hung up as the fault asked\n";
    // A file the user asked for and did not get is a failed run.
    if (const std::string failed = chip.outputError(); !failed.empty()) {
        std::cerr << "zel-sim: " << failed << '\n';
        return 1;
    }
    return 0;
}
