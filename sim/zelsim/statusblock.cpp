#include "zelsim/statusblock.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "zelsim/clockmath.h"

namespace zelsim {
namespace {

constexpr int kClockBytes = 4;

// One template item after the clock marker is expanded: a status index, one byte of the
// host's clock, or a constant.
struct FormatSlot {
    int statusIndex = -1;
    int clockByte = -1;
};

std::vector<FormatSlot> expandFormat(const std::vector<std::string>& items) {
    std::vector<FormatSlot> cells;
    for (const std::string& item : items) {
        if (item == "%H") {
            for (int i = 0; i < kClockBytes; ++i) cells.push_back({-1, i});
        } else if (item.size() > 1 && item[0] == '%') {
            cells.push_back({std::atoi(item.c_str() + 1), -1});
        } else {
            cells.push_back({});
        }
    }
    return cells;
}

}  // namespace

std::vector<uint8_t> buildStatusPayload(const ChipModel& model, const StatusSetup& setup) {
    std::vector<uint8_t> p(model.statusLength, 0x00);
    p[0] = kStatusReplyCode;
    const auto counts = clockCounts(setup.frequency);
    for (size_t k = 0; k < counts.size(); ++k) {
        p[1 + 2 * k] = static_cast<uint8_t>(counts[k] >> 8);
        p[2 + 2 * k] = static_cast<uint8_t>(counts[k]);
    }
    p[17] = setup.version;
    p[18] = static_cast<uint8_t>(setup.versionLetter);
    const size_t idIndex =
        model.statusLength == kShortStatusLength ? kShortStatusIdIndex : kLongStatusIdIndex;
    p[idIndex] = static_cast<uint8_t>(setup.reportedId >> 8);
    p[idIndex + 1] = static_cast<uint8_t>(setup.reportedId);
    for (int index : model.optionBytes) {
        const auto given = setup.options.find(index);
        p[static_cast<size_t>(index)] =
            given != setup.options.end() ? given->second : kDefaultOptionByte;
    }
    if (model.serialIndex >= 0)
        for (int i = 0; i < kSerialLength; ++i)
            p[static_cast<size_t>(model.serialIndex + i)] = setup.serial[static_cast<size_t>(i)];
    return p;
}

std::map<int, uint8_t> optionBytesOf(const ChipModel& model, std::span<const uint8_t> status) {
    std::map<int, uint8_t> options;
    for (int index : model.optionBytes)
        if (static_cast<size_t>(index) < status.size())
            options[index] = status[static_cast<size_t>(index)];
    return options;
}

bool takeOptionWrite(const ChipModel& model, std::span<const uint8_t> bytes,
                     std::vector<uint8_t>& status, std::optional<uint32_t>* hostClock) {
    if (model.optionFormat.empty()) return false;
    const std::vector<FormatSlot> cells = expandFormat(model.optionFormat);
    if (bytes.size() != cells.size()) return false;
    std::vector<uint8_t> updated = status;
    std::vector<bool> taken(updated.size(), false);
    uint32_t clock = 0;
    bool clockSeen = false;
    for (size_t i = 0; i < cells.size(); ++i) {
        const FormatSlot& slot = cells[i];
        if (slot.clockByte >= 0) {
            // A template may repeat the clock; the first copy is the one the chip keeps.
            if (!clockSeen) clock = (clock << 8) | bytes[i];
            if (slot.clockByte == kClockBytes - 1) clockSeen = true;
            continue;
        }
        if (slot.statusIndex < 0) continue;
        const auto index = static_cast<size_t>(slot.statusIndex);
        if (index >= updated.size()) return false;
        // Only option cells can be written; the identity and the clock counts are fixed.
        if (std::find(model.optionBytes.begin(), model.optionBytes.end(), slot.statusIndex) ==
            model.optionBytes.end())
            continue;
        // A byte named twice keeps its first copy.
        if (!taken[index]) updated[index] = bytes[i];
        taken[index] = true;
    }
    status = std::move(updated);
    if (hostClock && clockSeen) *hostClock = clock;
    return true;
}

}  // namespace zelsim
