// The chip's status reply and the option bytes kept inside it. The reply is what the chip
// sends after the sync bytes; an option write puts new option bytes back into it through the
// series' option-write template, so the next status or option read shows them.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "zelsim/chipmodel.h"

namespace zelsim {

inline constexpr uint8_t kStatusReplyCode = 0x50;
inline constexpr uint8_t kDefaultOptionByte = 0xFF;  // erased option cells: factory defaults

struct StatusSetup {
    uint32_t frequency = 11059200;
    uint8_t version = 0x62;  // major in the high nibble, minor in the low one
    char versionLetter = 'C';
    uint16_t reportedId = 0;          // the ID the chip admits to
    std::map<int, uint8_t> options;   // status index -> byte; others start as FF
    std::array<uint8_t, 7> serial{};  // only used by series that report one
};

// The status reply payload of `model`.
std::vector<uint8_t> buildStatusPayload(const ChipModel& model, const StatusSetup& setup);

// The option bytes of a status payload, by index.
std::map<int, uint8_t> optionBytesOf(const ChipModel& model, std::span<const uint8_t> status);

// Takes an option write (the bytes after the command code) into `status`. False when the
// bytes do not follow the model's template, in which case nothing changes. The clock the host
// sends along (where the template carries one) is stored in `hostClock`.
bool takeOptionWrite(const ChipModel& model, std::span<const uint8_t> bytes,
                     std::vector<uint8_t>& status, std::optional<uint32_t>* hostClock);

}  // namespace zelsim
