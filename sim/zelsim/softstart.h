// The soft-start command: a byte string that the running program recognises at a given line
// setting and answers by jumping into the bootloader.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelsim {

struct SoftStart {
    std::vector<uint8_t> bytes;
    uint32_t rate = 9600;
    char parity = 'N';
    int dataBits = 8;
    int stopBits = 1;
};

// Reads "BYTES@SETTINGS", e.g. "12 34@9600,N,8,1": hex bytes separated by blanks or commas,
// then rate, parity (N, E, O, M or S), data bits (5-8) and stop bits (1 or 2).
std::optional<SoftStart> parseSoftStart(const std::string& text, std::string* error);

}  // namespace zelsim
