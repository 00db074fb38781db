// What the bootloader of each ZEL series does differently: checksum width, port parity, how
// baud parameters are computed and the variants of a few commands. Chip differences live here
// as data so the command builders stay the same for every series.
#pragma once

#include <QString>
#include <cstdint>

namespace zel {

// How the chip derives its baud rate from the clock (see cZelIsp::CalcBaud).
enum class BaudMethod { Timer16, Timer8 };

// Which erase command layout the series expects (see cZelIsp::Erase_Flash).
enum class EraseForm { Short, Sized, Fixed, Long };

struct SeriesFacts {
    int checksumWidth;  // bytes of the packet checksum
    bool evenParity;    // the port runs with even parity
    BaudMethod baudMethod;
    const char* ispPrefix;       // items before the model-ID tail of the enter-programming payload
    const char* readOptionHead;  // "50", or the items before the model-ID tail
    bool readOptionTail;         // whether ",00,36,01,<model ID>" follows readOptionHead
    EraseForm eraseForm;
    uint8_t end2Mode;  // middle byte of the second end command (02 or 03)
};

// The facts of a series; unknown series bytes (including 0 before identification) get the
// fallback row: W = 2, no parity, 8-bit baud, a single 00 for the prefix, long erase.
const SeriesFacts& seriesFacts(uint8_t seriesByte);

int checksumWidth(uint8_t seriesByte);
bool usesEvenParity(uint8_t seriesByte);
BaudMethod baudMethod(uint8_t seriesByte);

// The port-settings text for a rate: "115200,E,8,1" for even-parity series, else "...,N,8,1".
QString portSettings(int64_t rate, uint8_t seriesByte);

}  // namespace zel
