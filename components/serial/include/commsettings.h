// The port-settings text "baud,parity,data bits,stop bits" (e.g. "9600,E,7,1") and its values.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace kserial {

struct CommSettings {
    static constexpr uint32_t kMinBaud = 50;
    static constexpr uint32_t kMaxBaud = 20'000'000;

    uint32_t baud = 9600;
    char parity = 'N';  // 'N', 'E' or 'O'
    int dataBits = 8;   // 5..8
    int stopBits = 1;   // 1 or 2

    // Exactly four comma-separated fields; blanks around a field and a lower-case parity letter
    // are accepted. Anything else (mark/space parity, 1.5 stop bits, a rate out of range) is not.
    static std::optional<CommSettings> parse(QStringView text);

    // The canonical text, e.g. "115200,E,8,1".
    QString toString() const;

    // Start + data + parity + stop bits: the line time of one character.
    int bitsPerCharacter() const { return 1 + dataBits + (parity == 'N' ? 0 : 1) + stopBits; }

    bool operator==(const CommSettings&) const = default;
};

}  // namespace kserial
