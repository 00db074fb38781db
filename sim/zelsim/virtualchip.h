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

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "zelsim/chipcore.h"
#include "zelsim/chipmodel.h"
#include "zelsim/faultplan.h"
#include "zelsim/softstart.h"

namespace zelsim {

struct ChipOptions {
    std::string model;              // four-digit model ID ("D103") or model name ("ZELH64AD")
    std::string dbPath;             // zel.db to read; "" = $ZEL_DB or the installed database
    std::string linkPath;           // publish the slave as this symbolic link; "" = none
    uint32_t frequency = 11059200;  // the chip's clock in Hz
    int bootDelayMs = 300;          // stands in for the user's power cycle
    int eraseMs = 100;              // time an erase takes before it is answered
    // Time the program runs before the next power cycle; negative = never. Unset: 1000 ms,
    // or never when a soft start is set (the chip then waits for the soft-start bytes).
    std::optional<int> rebootMs;
    bool once = false;               // stop after the first program run
    std::string imageIn;             // initial flash contents (binary from address 0); "" = blank
    std::string imageOut;            // written with the whole flash at every program run
    std::string reportPath;          // JSON run report, written at every program run
    std::map<int, uint8_t> options;  // initial option bytes by status index
    uint8_t bootVersion = 0x62;      // bootloader version: major and minor nibble
    char bootLetter = 'C';
    std::array<uint8_t, 7> serial{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F};
    std::optional<SoftStart> softStart;
    bool pace = false;  // move bytes at the line rate in both directions
    FaultPlan faults;
    uint32_t seed = 1;  // for the noise fault
    bool run = false;   // run the flashed program in s51 after the end commands
    // Called on the chip's thread for every notable step; must not call back into the chip.
    std::function<void(const std::string&)> log;
};

// A consistent picture of the chip at one moment.
struct ChipSnapshot {
    ChipState state = ChipState::Off;
    ChipCounters counters;
    SessionStats session;
    double rate = 1200;
    bool finished = false;  // the chip's thread has ended (--once, a hang-up, or stop())
};

class VirtualChip {
  public:
    explicit VirtualChip(ChipOptions options);
    ~VirtualChip();
    VirtualChip(const VirtualChip&) = delete;
    VirtualChip& operator=(const VirtualChip&) = delete;

    // Finds the model, creates the terminal (and link) and starts the chip's thread. False
    // with `error` set when something is wrong with the options or the system.
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
