// What a virtual chip is to be: model, clock, timing, outputs, soft start and faults, and the
// check that turns these options into the chip's configuration.
#pragma once

#include <QTemporaryFile>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "zelsim/chipcore.h"
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
    // A FIFO that carries the host's modem-line changes ("DTR=1"); set, the chip starts without
    // power and DTR switches its supply. A pty has no modem lines of its own.
    std::string powerChannel;
    // Called on the chip's thread for every notable step; must not call back into the chip.
    std::function<void(const std::string&)> log;
};

// Milliseconds added to each of the chip's waits for its host (see ChipConfig::hostSlackMs).
inline constexpr char kHostSlackVariable[] = "ZEL_SIM_HOST_SLACK_MS";
inline constexpr long kMaxHostSlackMs = 600'000;

// The options checked against the database: the chip's configuration and its first flash
// contents. `privateDb` holds the built-in database when it had to be written to a private
// file, and must live as long as the chip.
struct ChipSetup {
    ChipConfig config;
    std::vector<uint8_t> initialFlash;
    std::unique_ptr<QTemporaryFile> privateDb;
};

// Nothing, with `error` set, for options that do not describe a chip that can be run (or for
// a slack in the environment that is no number of milliseconds).
std::optional<ChipSetup> setUpChip(const ChipOptions& options, std::string* error);

}  // namespace zelsim
