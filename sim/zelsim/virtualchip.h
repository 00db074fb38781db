// A virtual ZEL chip behind a real pseudo-terminal, running on a thread of its own. Hosts talk
// to it through the terminal's slave path exactly as to a chip on a serial port; tests and
// benchmarks can also run it in-process and look at its flash, counters and run report.
//
//     zelsim::ChipOptions o;
//     o.model = "D103";
//     zelsim::VirtualChip chip(o);
//     std::string error;
//     if (!chip.start(&error)) ...;
//     run a host against chip.slavePath() ...;
//     chip.waitForProgramRuns(1, std::chrono::seconds(30));
//     auto image = chip.image();
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "zelsim/chipcore.h"
#include "zelsim/chipmodel.h"
#include "zelsim/chipoptions.h"

namespace zelsim {

// A consistent picture of the chip at one moment.
struct ChipSnapshot {
    ChipState state = ChipState::Off;
    ChipCounters counters;
    SessionStats session;
    double rate = 1200;
    // The host's line rate as the chip last learned it: a test that must send after a rate
    // change, not around it, waits for this.
    double hostRate = 0;
    // Bootloader bytes that went out while the host's line was at another rate: a receiver
    // at another rate makes nothing of them, so they never reach the host.
    uint64_t unheardBytes = 0;
    // Bytes the max-rate fault garbled, in either direction.
    uint64_t adapterGarbledBytes = 0;
    bool finished = false;  // the chip's thread has ended (--once, a hang-up, or stop())
};

class VirtualChip {
  public:
    explicit VirtualChip(ChipOptions options);
    ~VirtualChip();
    VirtualChip(const VirtualChip&) = delete;
    VirtualChip& operator=(const VirtualChip&) = delete;

    // Finds the model and creates the terminal (and link), without starting the chip: a
    // caller can announce it before the chip's thread says anything. False with `error` set
    // when something is wrong with the options or the system.
    bool open(std::string* error = nullptr);
    // Starts the chip's thread, after open() (which it calls when not done yet).
    bool start(std::string* error = nullptr);
    // Stops the thread and closes the terminal; safe to call more than once.
    void stop();

    std::string slavePath() const;
    std::string linkPath() const;
    const ChipModel& model() const;  // valid after a successful start()

    ChipSnapshot snapshot() const;
    std::vector<uint8_t> image() const;          // the whole flash now
    std::vector<uint8_t> statusPayload() const;  // the status reply payload now
    std::string report() const;                  // the run report (of the last run, or now)
    // The latest --image-out or --report write that failed ("" when none did).
    std::string outputError() const;

    // Waits until `done` holds for a snapshot or the time is up; true when it held.
    bool waitUntil(const std::function<bool(const ChipSnapshot&)>& done,
                   std::chrono::milliseconds timeout) const;
    bool waitForState(ChipState state, std::chrono::milliseconds timeout) const;
    bool waitForProgramRuns(uint64_t runs, std::chrono::milliseconds timeout) const;
    bool waitForFinish(std::chrono::milliseconds timeout) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace zelsim
