// Baud parameters: the timer reload values the chip needs for a rate at its measured clock.
#include <gtest/gtest.h>

#include "zelisp.h"

namespace zel {
namespace {

struct BaudCase {
    int64_t cpu;
    int64_t rate;
    BaudMethod method;
    const char* expected;
};

TEST(CalcBaud, ComputesReloadValuesWithinTolerance) {
    constexpr auto T16 = BaudMethod::Timer16;
    constexpr auto T8 = BaudMethod::Timer8;
    const BaudCase cases[] = {
        {11059200, 115200, T16, "FF,FD,00,06"},
        {11059200, 115200, T8, "C0,FA,3F,0C"},  // divisor 12; divisor 6 ties and loses
        // 12 MHz: 115200 is off by 70, 85 and 457 per mille with the three divisors.
        {12000000, 115200, T8, ""},
        {12000000, 57600, T8, "C0,F3,3F,1A"},
        {12000000, 115200, T16, ""},  // 85 per mille
        {12000000, 9600, T16, "FF,D9,00,4E"},
        // 28 per mille is still accepted; the prescaler 18.5 rounds to the even 18.
        {2841600, 9600, T16, "FF,F7,00,12"},
        {1420800, 9600, T8, "C0,F7,3F,12"},
        // Divisors 12 and 6 overflow the 8-bit reload; divisor 1 fits exactly.
        {11059200, 1200, T8, "80,D0,7F,60"},
        // Divisor 6 wins, divisor 1 only ties it; the prescaler is capped at 254.
        {6000000, 1200, T8, "40,64,BF,FE"},
        {1000, 115200, T16, ""},        // reload would be 65536
        {3000000000LL, 1200, T16, ""},  // reload below zero
        {12366, 1200, T8, ""},
        {11059200, 0, T8, ""},
        {11059200, -9600, T16, ""},
        {0, 9600, T8, ""},
        // The fast rates. 11.0592 MHz: 921600 and 460800 are 250 per mille off (or overflow)
        // with every divisor; 230400 fits exactly with divisor 12.
        {11059200, 921600, T8, ""},
        {11059200, 460800, T8, ""},
        {11059200, 230400, T8, "C0,FD,3F,06"},
        {22118400, 460800, T8, "C0,FD,3F,06"},
        {22118400, 921600, T8, ""},
        {11059200, 230400, T16, ""},  // reload 65534.5 rounds to even: 172800 bps
        {22118400, 230400, T16, "FF,FD,00,06"},
        {12000000, 230400, T8, ""},  // 85 and 186 per mille
    };
    for (const auto& c : cases)
        EXPECT_EQ(cZelIsp::CalcBaud(c.cpu, c.rate, c.method), QString::fromLatin1(c.expected))
            << c.cpu << " Hz, " << c.rate << " bps, method " << int(c.method);
}

TEST(CalcBaud, MemberUsesTheMethodOfTheSeries) {
    const std::pair<uint8_t, const char*> cases[] = {
        {0xFF, "FF,FD,00,06"}, {0xF0, "FF,FD,00,06"}, {0xF1, "FF,FD,00,06"},
        {0xF2, "C0,FA,3F,0C"}, {0xF3, "C0,FA,3F,0C"}, {0xE0, "C0,FA,3F,0C"},
        {0xD1, "C0,FA,3F,0C"}, {0xE6, "C0,FA,3F,0C"}, {0x00, "C0,FA,3F,0C"},
    };
    for (auto [series, expected] : cases) {
        ZelContext context;
        context.Chip.Cpu = 11059200;
        context.Chip.SeriesByte = series;
        const cZelIsp isp(context);
        EXPECT_EQ(isp.CalcBaud(115200), QString::fromLatin1(expected)) << int(series);
    }
}

}  // namespace
}  // namespace zel
