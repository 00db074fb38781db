// One chip model as the virtual chip needs to know it: its identity and sizes from the [ID]
// rows of zel.db, its bootloader, which status bytes hold options, how an option write lays
// them out, and which end command finishes a session.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "zelsim/bootloadervariant.h"

namespace zelsim {

struct ChipModel {
    uint16_t id = 0;     // the two model-ID bytes, series byte first
    std::string idText;  // four upper-case hex digits
    std::string name;
    int64_t flashSize = 0, ramSize = 0, eepromSize = 0;
    BootloaderVariant bootloader;
    std::vector<int> optionBytes;           // status-reply indices holding option bytes, sorted
    std::vector<std::string> optionFormat;  // the option-write template, split; empty = none
    bool sessionEndsWithSecondEnd = false;  // a step list closes with the second end command
    size_t statusLength = 21;               // payload bytes of the status reply
    int serialIndex = -1;                   // first of seven serial-number bytes, -1 for none

    uint8_t series() const { return static_cast<uint8_t>(id >> 8); }
};

// Index of the model ID in the status reply: a 21-byte reply carries it at 19, longer ones
// at 20.
inline constexpr int kShortStatusIdIndex = 19;
inline constexpr int kLongStatusIdIndex = 20;
inline constexpr size_t kShortStatusLength = 21;
inline constexpr int kSerialLength = 7;

// Finds a model by its four-digit ID (e.g. "D103") or its name (any case) in the database at
// `dbPath`. On failure `error` says why in words a user can act on.
std::optional<ChipModel> findChipModel(const QString& dbPath, const std::string& wanted,
                                       std::string* error);

// An ID of the same series that the database does not know.
std::optional<uint16_t> unlistedIdOfSeries(const QString& dbPath, uint8_t series);
// The ID of the first listed model of another series.
std::optional<uint16_t> idOfAnotherSeries(const QString& dbPath, uint8_t series);

// The series bytes for which a bootloader exists, in a stable order.
const std::vector<uint8_t>& knownSeries();

}  // namespace zelsim
