#include "zelsim/settingtext.h"

#include <cctype>
#include <charconv>
#include <sstream>

namespace zelsim {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool parseInt(const std::string& text, long min, long max, long* value) {
    long v = 0;
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < min || v > max) return false;
    *value = v;
    return true;
}

std::optional<std::map<int, uint8_t>> parseOptionBytes(const std::string& text,
                                                       std::string* error) {
    std::map<int, uint8_t> bytes;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) {
        const auto eq = item.find('=');
        long index = 0;
        const std::string value = eq == std::string::npos ? "" : item.substr(eq + 1);
        const bool valueOk = value.size() >= 1 && value.size() <= 2 &&
                             hexDigit(value.front()) >= 0 && hexDigit(value.back()) >= 0;
        if (eq == std::string::npos || !parseInt(item.substr(0, eq), 0, 255, &index) || !valueOk) {
            if (error)
                *error = "option bytes '" + text + "': expected INDEX=HEX items, e.g. 24=BF,25=FA";
            return std::nullopt;
        }
        const int high = value.size() == 2 ? hexDigit(value[0]) : 0;
        bytes[static_cast<int>(index)] = static_cast<uint8_t>(high * 16 + hexDigit(value.back()));
    }
    return bytes;
}

bool parseBootVersion(const std::string& text, uint8_t* version, char* letter) {
    const auto dot = text.find('.');
    if (dot == std::string::npos || dot + 2 > text.size()) return false;
    long major = 0, minor = 0;
    size_t minorEnd = dot + 1;
    while (minorEnd < text.size() && std::isdigit(static_cast<unsigned char>(text[minorEnd])))
        ++minorEnd;
    if (!parseInt(text.substr(0, dot), 0, 15, &major) ||
        !parseInt(text.substr(dot + 1, minorEnd - dot - 1), 0, 15, &minor))
        return false;
    const std::string rest = text.substr(minorEnd);
    if (rest.size() != 1 || !std::isalpha(static_cast<unsigned char>(rest[0]))) return false;
    *version = static_cast<uint8_t>(major * 16 + minor);
    *letter = rest[0];
    return true;
}

std::optional<std::array<uint8_t, 7>> parseSerial(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c != '-') digits += c;
    if (digits.size() != 14) return std::nullopt;
    std::array<uint8_t, 7> serial{};
    for (size_t i = 0; i < serial.size(); ++i) {
        const int hi = hexDigit(digits[2 * i]), lo = hexDigit(digits[2 * i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        serial[i] = static_cast<uint8_t>(hi * 16 + lo);
    }
    return serial;
}

}  // namespace zelsim
