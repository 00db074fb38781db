#include "seriestable.h"

#include <array>

namespace zel {

namespace {

struct SeriesRow {
    uint8_t seriesByte;
    SeriesFacts facts;
};

constexpr auto T16 = BaudMethod::Timer16;
constexpr auto T8 = BaudMethod::Timer8;

// clang-format off
constexpr std::array<SeriesRow, 12> kRows{{
    {0xFF, {1, false, T16, "80,01", "50",    false, EraseForm::Short, 0x02}},
    {0xF0, {1, false, T16, "80,02", "50",    false, EraseForm::Short, 0x02}},
    {0xF1, {1, false, T16, "80,02", "50",    false, EraseForm::Short, 0x02}},
    {0xF2, {1, false, T8,  "80,03", "50",    false, EraseForm::Sized, 0x03}},
    {0xF3, {1, false, T8,  "80,04", "50",    false, EraseForm::Sized, 0x03}},
    {0xE0, {1, false, T8,  "80,04", "50",    false, EraseForm::Fixed, 0x02}},
    {0xE6, {2, true,  T8,  "50,05", "69,05", true,  EraseForm::Long,  0x02}},
    {0xE1, {2, true,  T8,  "50,06", "69,06", true,  EraseForm::Long,  0x02}},
    {0xD1, {2, true,  T8,  "50,07", "69,07", true,  EraseForm::Long,  0x02}},
    {0xD2, {2, true,  T8,  "50,08", "69,08", true,  EraseForm::Long,  0x02}},
    {0xE2, {2, true,  T8,  "50,09", "69,09", true,  EraseForm::Long,  0x02}},
    {0xD3, {2, true,  T8,  "50,0A", "69,0A", true,  EraseForm::Long,  0x02}},
}};
// An unknown chip has no command prefix; its payloads start with one 00 byte in its place.
// (Left empty, the item would follow the length byte inside the packet and repeat it.)
constexpr SeriesFacts kFallback{2, false, T8, "00", "00", true, EraseForm::Long, 0x02};
// clang-format on

}  // namespace

const SeriesFacts& seriesFacts(uint8_t seriesByte) {
    for (const auto& row : kRows)
        if (row.seriesByte == seriesByte) return row.facts;
    return kFallback;
}

int checksumWidth(uint8_t seriesByte) {
    return seriesFacts(seriesByte).checksumWidth;
}

bool usesEvenParity(uint8_t seriesByte) {
    return seriesFacts(seriesByte).evenParity;
}

BaudMethod baudMethod(uint8_t seriesByte) {
    return seriesFacts(seriesByte).baudMethod;
}

QString portSettings(int64_t rate, uint8_t seriesByte) {
    return QString::number(rate) +
           (usesEvenParity(seriesByte) ? QStringLiteral(",E,8,1") : QStringLiteral(",N,8,1"));
}

}  // namespace zel
