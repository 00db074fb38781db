// The command packets of every series, checked byte by byte against an independent frame.
#include <gtest/gtest.h>

#include "test_zelisp_support.h"
#include "zeldb.h"
#include "zelisp.h"

namespace zel {
namespace {

using test::bytes;
using test::frame;
using test::statusPayload;
using test::text;

int widthOf(uint8_t series) {
    switch (series) {
        case 0xF0:
        case 0xF1:
        case 0xF2:
        case 0xF3:
        case 0xFF:
        case 0xE0:
            return 1;
        default:
            return 2;
    }
}

ZelContext contextFor(uint8_t series) {
    ZelContext context;
    context.Chip.SeriesByte = series;
    context.Chip.ModelId = HexBytes(series, 1) + QStringLiteral("03");
    return context;
}

struct SeriesCase {
    uint8_t series;
    const char* isp;
    const char* readOption;
    const char* end2;
    const char* settings;
};

TEST(SeriesCommands, EverySeriesByte) {
    const SeriesCase cases[] = {
        {0xFF, "80,01,00,36,01,FF,03", "50", "52,02,00", "1200,N,8,1"},
        {0xF0, "80,02,00,36,01,F0,03", "50", "52,02,00", "1200,N,8,1"},
        {0xF1, "80,02,00,36,01,F1,03", "50", "52,02,00", "1200,N,8,1"},
        {0xF2, "80,03,00,36,01,F2,03", "50", "52,03,00", "1200,N,8,1"},
        {0xF3, "80,04,00,36,01,F3,03", "50", "52,03,00", "1200,N,8,1"},
        {0xE0, "80,04,00,36,01,E0,03", "50", "52,02,00", "1200,N,8,1"},
        {0xE6, "50,05,00,36,01,E6,03", "69,05,00,36,01,E6,03", "52,02,00", "1200,E,8,1"},
        {0xE1, "50,06,00,36,01,E1,03", "69,06,00,36,01,E1,03", "52,02,00", "1200,E,8,1"},
        {0xD1, "50,07,00,36,01,D1,03", "69,07,00,36,01,D1,03", "52,02,00", "1200,E,8,1"},
        {0xD2, "50,08,00,36,01,D2,03", "69,08,00,36,01,D2,03", "52,02,00", "1200,E,8,1"},
        {0xE2, "50,09,00,36,01,E2,03", "69,09,00,36,01,E2,03", "52,02,00", "1200,E,8,1"},
        {0xD3, "50,0A,00,36,01,D3,03", "69,0A,00,36,01,D3,03", "52,02,00", "1200,E,8,1"},
        // Unknown series: the empty prefix goes out as one 00 byte.
        {0x00, "00,00,36,01,00,03", "00,00,36,01,00,03", "52,02,00", "1200,N,8,1"},
        {0x12, "00,00,36,01,12,03", "00,00,36,01,12,03", "52,02,00", "1200,N,8,1"},
        {0xD4, "00,00,36,01,D4,03", "00,00,36,01,D4,03", "52,02,00", "1200,N,8,1"},
    };
    for (const auto& c : cases) {
        ZelContext context = contextFor(c.series);
        const cZelIsp isp(context);
        const int w = widthOf(c.series);
        EXPECT_EQ(isp.checksumWidth(), w) << int(c.series);
        EXPECT_EQ(bytes(isp.ISP()), frame(bytes(QString::fromLatin1(c.isp)), w)) << int(c.series);
        EXPECT_EQ(bytes(isp.READOPTION()), frame(bytes(QString::fromLatin1(c.readOption)), w))
            << int(c.series);
        EXPECT_EQ(bytes(isp.END2()), frame(bytes(QString::fromLatin1(c.end2)), w)) << int(c.series);
        EXPECT_EQ(bytes(isp.END1()), frame({0x82}, w)) << int(c.series);
        EXPECT_EQ(isp.portSettings(1200), QString::fromLatin1(c.settings)) << int(c.series);
        EXPECT_EQ(isp.evenParity(), QString::fromLatin1(c.settings).contains(QLatin1Char('E')));
        EXPECT_EQ(isp.REST(), QStringLiteral("7F"));
    }
}

TEST(SeriesCommands, BaudMethodOfEverySeries) {
    for (int series = 0; series <= 0xFF; ++series) {
        const bool timer16 = series == 0xF0 || series == 0xF1 || series == 0xFF;
        EXPECT_EQ(baudMethod(uint8_t(series)), timer16 ? BaudMethod::Timer16 : BaudMethod::Timer8)
            << series;
        EXPECT_EQ(checksumWidth(uint8_t(series)), widthOf(uint8_t(series))) << series;
    }
    EXPECT_EQ(portSettings(115200, 0xE2), QStringLiteral("115200,E,8,1"));
    EXPECT_EQ(portSettings(9600, 0xF3), QStringLiteral("9600,N,8,1"));
}

TEST(BaudCommands, ClockRangeByteThresholds) {
    const std::pair<int64_t, uint8_t> cases[] = {
        {0, 0x87},        {1999999, 0x87},  {2000000, 0x86},  {3999999, 0x85},
        {4000000, 0x84},  {6999999, 0x84},  {7000000, 0x83},  {11059200, 0x83},
        {12000000, 0x83}, {12999999, 0x83}, {13000000, 0x82}, {20999999, 0x82},
        {21000000, 0x81}, {24999999, 0x81}, {25000000, 0x80}, {40000000, 0x80},
    };
    for (auto [cpu, range] : cases) {
        ZelContext context = contextFor(0xF2);
        context.Chip.Cpu = cpu;
        cZelIsp isp(context);
        isp.setBaudParams(QStringLiteral("C0,FA,3F,0C"));
        EXPECT_EQ(bytes(isp.BAUDT()), frame({0x8F, 0xC0, 0xFA, 0x3F, 0x0C, 0x28, range}, 1)) << cpu;
        EXPECT_EQ(bytes(isp.BAUDR()), frame({0x8E, 0xC0, 0xFA, 0x3F, 0x0C, 0x28}, 1)) << cpu;
    }
}

TEST(BaudCommands, UseTheParametersChosenByStartUp) {
    ZelContext context;
    context.Db = test::SampleDb();
    context.Params.MaxBaud = 115200;
    cZelIsp isp(context);
    isp.StartUp(text(statusPayload(0xD1, 0x03)));
    ASSERT_EQ(isp.BaudParams(), QStringLiteral("C0,F0,3F,1F"));
    EXPECT_EQ(bytes(isp.BAUDT()), frame({0x8F, 0xC0, 0xF0, 0x3F, 0x1F, 0x28, 0x83}, 2));
    EXPECT_EQ(bytes(isp.BAUDR()), frame({0x8E, 0xC0, 0xF0, 0x3F, 0x1F, 0x28}, 2));
}

struct EraseCase {
    const char* name;
    uint8_t series;
    int64_t flash;
    std::vector<std::pair<int64_t, int64_t>> segments;  // start, end
    const char* payload;
    int64_t timeoutBytes;
};

TEST(EraseFlash, EveryForm) {
    const EraseCase cases[] = {
        {"sized", 0xF2, 65536, {{0, 0x1234}}, "84,FF,00,14,00,00,00,00", 65536},
        {"sized, data beyond the flash",
         0xF3,
         0x2000,
         {{0, 0x3FFF}},
         "84,FF,00,20,00,00,20,00",
         0x2000},
        {"sized, whole pages", 0xF2, 0x4000, {{0, 0x3FF}}, "84,FF,00,04,00,00,40,00", 0x4000},
        {"fixed", 0xE0, 65536, {{0, 0x1FF}}, "84,FF,00,02,00,00,6F,FF", 0x7000},
        {"short", 0xF0, 65536, {{0, 0x1234}}, "84,35,33,33,33,33,33,33", 65536},
        {"short, low byte", 0xFF, 0x8000, {{0, 0xFF}}, "84,00,33,33,33,33,33,33", 0x8000},
        {"last segment counts",
         0xF2,
         65536,
         {{0, 0xFF}, {0x2000, 0x20FF}},
         "84,FF,00,22,00,00,00,00",
         65536},
        {"no data", 0xF2, 65536, {}, "84,FF,00,00,00,00,00,00", 65536},
        {"empty segment", 0xF1, 65536, {{0, -1}}, "84,00,33,33,33,33,33,33", 65536},
    };
    for (const auto& c : cases) {
        ZelContext context = contextFor(c.series);
        context.Chip.Flash = c.flash;
        for (auto [start, end] : c.segments) {
            DataSegment segment;
            segment.StartAddr = start;
            segment.EndAddr = end;
            segment.Data.resize(size_t(std::max<int64_t>(end - start + 1, 0)), 0x5A);
            context.Segments.push_back(segment);
        }
        const cZelIsp isp(context);
        int64_t timeoutBytes = -1;
        EXPECT_EQ(bytes(isp.Erase_Flash(timeoutBytes)),
                  frame(bytes(QString::fromLatin1(c.payload)), widthOf(c.series)))
            << c.name;
        EXPECT_EQ(timeoutBytes, c.timeoutBytes) << c.name;
    }
}

TEST(EraseFlash, LongFormCarries135Bytes) {
    for (uint8_t series : {0xD1, 0xD2, 0xD3, 0xE1, 0xE2, 0xE6, 0x00, 0x42}) {
        ZelContext context = contextFor(series);
        context.Chip.Flash = 0xF000;
        context.Segments.push_back({0, 0x1234, Bytes(0x1235, 0x00)});
        const cZelIsp isp(context);
        int64_t timeoutBytes = 0;
        const Bytes wire = bytes(isp.Erase_Flash(timeoutBytes));
        EXPECT_EQ(timeoutBytes, 0xF000);

        Bytes payload{0x84, 0xFF, 0x00, 0x14, 0x00, 0x00, 0xF0, 0x00};
        payload.insert(payload.end(), 11, 0x00);
        for (int filler = 0x80; filler >= 0x0E; --filler) payload.push_back(uint8_t(filler));
        payload.push_back(0x0E);
        ASSERT_EQ(payload.size(), 135u);
        EXPECT_EQ(wire, frame(payload, 2)) << int(series);
        EXPECT_EQ(wire[4], 141) << int(series);
        EXPECT_EQ(wire.size(), 143u) << int(series);
    }
}

struct OptionCase {
    uint8_t series;
    const char* payload;
};

// The measured clock of statusPayload() is 9 616 626 Hz = 00,92,BC,F2.
TEST(GetOption, BuiltFromTheStatusReplyForEveryFormatRow) {
    const char* wide = "8D,A3,B4,C5,FF,FF,FF,FF,FF,D6,FF,FF,FF,FF,FF,FF,FF,00,92,BC,F2";
    const char* withWatchdog =
        "8D,A3,B4,C5,FF,FF,00,92,BC,F2,E7,FF,A3,B4,FF,FF,FF,FF,C5,FF,FF,FF,FF,FF,FF,FF,"
        "00,92,BC,F2,FF,FF,FF";
    const char* sized =
        "8D,A3,B4,C5,FF,FF,00,92,BC,F2,FF,FF,A3,B4,FF,FF,FF,FF,C5,FF,FF,FF,FF,FF,FF,FF,"
        "00,92,BC,F2,FF,FF,FF";
    const OptionCase cases[] = {
        {0xD1, wide},
        {0xD2, wide},
        {0xD3, wide},
        {0xE2, wide},
        {0xE0, withWatchdog},
        {0xE1, withWatchdog},
        {0xE6, withWatchdog},
        {0xF0, "8D,3C,FF,F6,FF"},
        {0xF1, "8D,3C,FF,F6,FF"},
        {0xF2, sized},
        {0xF3, sized},
        {0xFF, "8D,8D"},  // no template: the trailing separator repeats 8D
    };
    for (const auto& c : cases) {
        ZelContext context;
        context.Db = test::SampleDb();
        cZelIsp isp(context);
        isp.StartUp(text(statusPayload(c.series, 0x03)));
        ASSERT_EQ(context.Chip.SeriesByte, c.series);
        EXPECT_EQ(bytes(isp.GetOption()),
                  frame(bytes(QString::fromLatin1(c.payload)), widthOf(c.series)))
            << int(c.series);
    }
}

TEST(GetOption, CarriesEditedOptionBytesAndPrefersTheModelRow) {
    ZelContext context;
    context.Db = test::SampleDb();
    cZelIsp isp(context);
    isp.StartUp(text(statusPayload(0xF0, 0x03)));
    context.Chip.StatusBytes[19] = 0x81;  // as the option editor writes it
    EXPECT_EQ(bytes(isp.GetOption()), frame({0x8D, 0x81, 0xFF, 0xF6, 0xFF}, 1));

    // F010 has its own row: %99 lies beyond the reply (sent as FF), %x names byte 0.
    isp.StartUp(text(statusPayload(0xF0, 0x10)));
    EXPECT_EQ(context.Chip.ModelId, QStringLiteral("F010"));
    EXPECT_EQ(bytes(isp.GetOption()), frame({0x8D, 0xFF, 0x3C, 0x50}, 1));
}

TEST(Commands, FollowTheContextsSeries) {
    ZelContext context;
    context.Chip.SeriesByte = 0xE6;
    context.Chip.ModelId = QStringLiteral("E603");
    ZelContext& c = context;
    const cZelIsp isp(c);
    EXPECT_EQ(bytes(isp.ISP()), frame({0x50, 0x05, 0x00, 0x36, 0x01, 0xE6, 0x03}, 2));
    EXPECT_EQ(isp.portSettings(115200), QStringLiteral("115200,E,8,1"));
}

}  // namespace
}  // namespace zel
