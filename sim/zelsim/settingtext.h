// Reading the chip's settings from text, as given on the command line.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace zelsim {

// "IDX=HEX[,IDX=HEX...]" (e.g. "24=BF,25=FA"): option bytes by status index.
std::optional<std::map<int, uint8_t>> parseOptionBytes(const std::string& text, std::string* error);
// A bootloader version such as "6.2C": major and minor number (0-15 each) and a letter.
bool parseBootVersion(const std::string& text, uint8_t* version, char* letter);
// Seven serial-number bytes as 14 hex digits, with or without "-" between the bytes.
std::optional<std::array<uint8_t, 7>> parseSerial(const std::string& text);
// A whole number in [min, max]; false for anything else.
bool parseInt(const std::string& text, long min, long max, long* value);

}  // namespace zelsim
