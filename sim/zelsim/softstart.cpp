#include "zelsim/softstart.h"

#include <cctype>
#include <charconv>
#include <sstream>

namespace zelsim {
namespace {

bool readNumber(const std::string& text, long& value) {
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

std::optional<std::vector<uint8_t>> readBytes(const std::string& text) {
    std::string spaced = text;
    for (char& c : spaced)
        if (c == ',') c = ' ';
    std::istringstream in(spaced);
    std::vector<uint8_t> bytes;
    std::string token;
    while (in >> token) {
        if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X'))
            token = token.substr(2);
        if (token.empty() || token.size() > 2) return std::nullopt;
        unsigned value = 0;
        const auto [end, ec] =
            std::from_chars(token.data(), token.data() + token.size(), value, 16);
        if (ec != std::errc() || end != token.data() + token.size()) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(value));
    }
    if (bytes.empty()) return std::nullopt;
    return bytes;
}

}  // namespace

std::optional<SoftStart> parseSoftStart(const std::string& text, std::string* error) {
    auto fail = [&](const std::string& why) -> std::optional<SoftStart> {
        if (error) *error = "soft start '" + text + "': " + why;
        return std::nullopt;
    };
    const auto at = text.rfind('@');
    if (at == std::string::npos) return fail("expected BYTES@SETTINGS, e.g. 12 34@9600,N,8,1");
    SoftStart s;
    const auto bytes = readBytes(text.substr(0, at));
    if (!bytes) return fail("the bytes must be hex numbers 00-FF separated by blanks");
    s.bytes = *bytes;

    std::vector<std::string> fields;
    std::istringstream in(text.substr(at + 1));
    for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
    long rate = 0;
    if (fields.empty() || !readNumber(fields[0], rate) || rate < 50 || rate > 4000000)
        return fail("the settings must start with a rate such as 9600");
    s.rate = static_cast<uint32_t>(rate);
    if (fields.size() > 1) {
        if (fields[1].size() != 1) return fail("parity must be one of N, E, O, M, S");
        s.parity = static_cast<char>(std::toupper(static_cast<unsigned char>(fields[1][0])));
        if (std::string("NEOMS").find(s.parity) == std::string::npos)
            return fail("parity must be one of N, E, O, M, S");
    }
    long bits = 8, stops = 1;
    if (fields.size() > 2 && (!readNumber(fields[2], bits) || bits < 5 || bits > 8))
        return fail("data bits must be 5 to 8");
    if (fields.size() > 3 && (!readNumber(fields[3], stops) || (stops != 1 && stops != 2)))
        return fail("stop bits must be 1 or 2");
    if (fields.size() > 4) return fail("too many settings");
    s.dataBits = static_cast<int>(bits);
    s.stopBits = static_cast<int>(stops);
    return s;
}

}  // namespace zelsim
