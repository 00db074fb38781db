// The chip's building blocks on their own: packet reassembly, clock arithmetic and the
// readers of command-line settings.
#include <gtest/gtest.h>

#include "testhost.h"
#include "zelsim/chipframing.h"
#include "zelsim/clockmath.h"
#include "zelsim/settingtext.h"
#include "zelsim/statusblock.h"

namespace simtest {
namespace {

TEST(HostPacketParser, FindsPacketsWhereverTheyStartAndWhateverSurroundsThem) {
    for (int width : {1, 2}) {
        const Bytes packet = hostPacket({0x8E, 0xC0, 0xFA, 0x3F, 0x0C, 0x28}, width);
        const Bytes line =
            cat({{0x46, 0x46, 0xB9, 0x46, 0xB9, 0x6A, 0x01, 0x7F}, packet, {0x16, 0x00}, packet});
        zelsim::HostPacketParser parser(width);
        int found = 0;
        for (uint8_t b : line) {
            if (auto p = parser.feed(b)) {
                EXPECT_EQ(*p, (Bytes{0x8E, 0xC0, 0xFA, 0x3F, 0x0C, 0x28}));
                ++found;
            }
        }
        EXPECT_EQ(found, 2) << width;
        EXPECT_EQ(parser.rejectedPackets(), 0u);
    }
}

TEST(HostPacketParser, OneByteSumsWrapAndResyncDropsAHalfPacket) {
    const Bytes payload(135, 0xFF);  // the sum overflows one byte many times
    const Bytes packet = hostPacket(payload, 1);
    zelsim::HostPacketParser parser(1);
    for (size_t i = 0; i < 20; ++i) parser.feed(packet[i]);
    parser.resync();
    EXPECT_EQ(parser.rejectedPackets(), 1u);
    std::optional<Bytes> got;
    for (uint8_t b : packet) got = parser.feed(b);
    ASSERT_TRUE(got);
    EXPECT_EQ(*got, payload);
}

TEST(ReplyFraming, MatchesTheDocumentedExamples) {
    EXPECT_EQ(zelsim::frameReply(Bytes{0x80}, 1),
              (Bytes{0x46, 0xB9, 0x68, 0x00, 0x06, 0x80, 0xEE, 0x16}));
    EXPECT_EQ(zelsim::frameReply(Bytes{0x80}, 2),
              (Bytes{0x46, 0xB9, 0x68, 0x00, 0x07, 0x80, 0x00, 0xEF, 0x16}));
}

struct RateCase {
    zelsim::RateMethod method;
    std::array<uint8_t, 4> params;
    double frequency;
    double rate;
};

TEST(ClockMath, ParametersGiveTheRateTheHostChoseThemFor) {
    const RateCase cases[] = {
        {zelsim::RateMethod::Timer16, {0xFF, 0xFD, 0x00, 0x06}, 11059200, 115200},
        {zelsim::RateMethod::Timer8, {0xC0, 0xFA, 0x3F, 0x0C}, 11059200, 115200},
        {zelsim::RateMethod::Timer8, {0xC0, 0xF3, 0x3F, 0x1A}, 12000000, 57692.3},
        {zelsim::RateMethod::Timer8, {0x40, 0xFD, 0xBF, 0x0C}, 11059200, 115200},
        {zelsim::RateMethod::Timer8, {0x80, 0xFF, 0x7F, 0x01}, 22118400, 115200},
    };
    for (const RateCase& c : cases) {
        const auto rate = zelsim::rateFromParams(c.method, c.params, c.frequency);
        ASSERT_TRUE(rate);
        EXPECT_NEAR(*rate, c.rate, 0.5);
    }
    // Inconsistent complement bytes and unknown divider modes are not parameters.
    EXPECT_FALSE(
        zelsim::rateFromParams(zelsim::RateMethod::Timer16, {0xFF, 0xFD, 0x01, 0x06}, 11059200));
    EXPECT_FALSE(
        zelsim::rateFromParams(zelsim::RateMethod::Timer8, {0xC0, 0xFA, 0x3E, 0x0C}, 11059200));
    EXPECT_FALSE(
        zelsim::rateFromParams(zelsim::RateMethod::Timer8, {0x20, 0xFA, 0xDF, 0x0C}, 11059200));
}

TEST(ClockMath, CountsNameTheClockWithinOneUnitOverTheWholeRange) {
    for (uint32_t f = zelsim::kMinFrequency; f <= zelsim::kMaxFrequency; f += 1'234'567) {
        const auto counts = zelsim::clockCounts(f);
        Bytes status(17);
        for (size_t k = 0; k < 8; ++k) {
            status[1 + 2 * k] = static_cast<uint8_t>(counts[k] >> 8);
            status[2 + 2 * k] = static_cast<uint8_t>(counts[k]);
        }
        EXPECT_LE(std::llabs(hostClockFromStatus(status) - f), 1031) << f;
    }
    EXPECT_TRUE(zelsim::ratesMatch(115200 * 1.029, 115200));
    EXPECT_FALSE(zelsim::ratesMatch(115200 * 1.031, 115200));
    EXPECT_FALSE(zelsim::ratesMatch(0, 115200));
}

TEST(SettingText, SoftStart) {
    std::string error;
    auto s = zelsim::parseSoftStart("12 34@9600,N,8,1", &error);
    ASSERT_TRUE(s) << error;
    EXPECT_EQ(s->bytes, (Bytes{0x12, 0x34}));
    EXPECT_EQ(s->rate, 9600u);
    s = zelsim::parseSoftStart("0xAA,55 7f@115200,e,7,2", &error);
    ASSERT_TRUE(s) << error;
    EXPECT_EQ(s->bytes, (Bytes{0xAA, 0x55, 0x7F}));
    EXPECT_EQ(s->parity, 'E');
    EXPECT_EQ(s->dataBits, 7);
    EXPECT_EQ(s->stopBits, 2);
    for (const char* bad : {"12 34", "@9600", "123@9600", "zz@9600", "12@fast", "12@9600,X",
                            "12@9600,N,9", "12@9600,N,8,3", "12@9600,N,8,1,1"}) {
        EXPECT_FALSE(zelsim::parseSoftStart(bad, &error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

TEST(SettingText, OptionBytesVersionsSerialsAndFaults) {
    std::string error;
    const auto options = zelsim::parseOptionBytes("24=BF,25=fa,19=7", &error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(*options, (std::map<int, uint8_t>{{19, 0x07}, {24, 0xBF}, {25, 0xFA}}));
    for (const char* bad : {"24", "24=", "x=BF", "24=BFF", "24=G1", "300=00"})
        EXPECT_FALSE(zelsim::parseOptionBytes(bad, &error)) << bad;

    uint8_t version = 0;
    char letter = 0;
    EXPECT_TRUE(zelsim::parseBootVersion("6.2C", &version, &letter));
    EXPECT_EQ(version, 0x62);
    EXPECT_EQ(letter, 'C');
    EXPECT_TRUE(zelsim::parseBootVersion("15.15z", &version, &letter));
    EXPECT_EQ(version, 0xFF);
    for (const char* bad : {"6.2", "62C", "16.0A", "6.2CC", ".2C"})
        EXPECT_FALSE(zelsim::parseBootVersion(bad, &version, &letter)) << bad;

    EXPECT_EQ(zelsim::parseSerial("00-1A-2B-3C-4D-5E-6F"),
              (std::array<uint8_t, 7>{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F}));
    EXPECT_FALSE(zelsim::parseSerial("001A2B3C4D5E"));
    EXPECT_FALSE(zelsim::parseSerial("001A2B3C4D5E6G"));

    zelsim::FaultPlan plan;
    for (const char* fault : {"drop=3", "nak=5", "nak=6:4", "noise", "mute-sync", "unknown-id",
                              "other-series", "hangup=10", "corrupt=0", "corrupt=4:6"})
        EXPECT_TRUE(zelsim::addFault(plan, fault, &error)) << fault;
    EXPECT_EQ(plan.nakBlock, (std::map<uint32_t, int>{{5, 1}, {6, 4}}));
    EXPECT_EQ(plan.corruptReply, (std::map<uint64_t, int>{{0, -1}, {4, 6}}));
    for (const char* bad : {"drop", "drop=0", "nak=x", "noise=1", "explode", "corrupt=1:999"})
        EXPECT_FALSE(zelsim::addFault(plan, bad, &error)) << bad;
}

TEST(OptionWrite, TakesTheTemplateBytesBackIntoTheStatus) {
    zelsim::ChipModel m;
    m.optionBytes = {23, 24, 25, 29};
    m.optionFormat = {"%23", "%24", "%25", "FF", "FF", "%H", "%29", "FF", "%23", "%24", "FF"};
    m.statusLength = 30;
    Bytes status(30, 0xFF);
    const Bytes write = {0x01, 0x02, 0x03, 0xFF, 0xFF, 0x00, 0xA8,
                         0xC0, 0x00, 0x04, 0xFF, 0x0A, 0x0B, 0xFF};
    std::optional<uint32_t> clock;
    ASSERT_TRUE(zelsim::takeOptionWrite(m, write, status, &clock));
    EXPECT_EQ(status[23], 0x01) << "the first copy of a repeated byte counts";
    EXPECT_EQ(status[24], 0x02);
    EXPECT_EQ(status[25], 0x03);
    EXPECT_EQ(status[29], 0x04);
    EXPECT_EQ(clock, 11059200u);
    const Bytes before = status;
    EXPECT_FALSE(zelsim::takeOptionWrite(m, Bytes(write.begin(), write.end() - 1), status, &clock));
    EXPECT_EQ(status, before);
}

TEST(ChipSetup, RefusesWhatItCannotBe) {
    std::string error;
    zelsim::ChipOptions o = fastChip("NOSUCHCHIP");
    EXPECT_FALSE(zelsim::VirtualChip(o).start(&error));
    EXPECT_NE(error.find("NOSUCHCHIP"), std::string::npos);

    o = fastChip("D19A");
    o.options = {{19, 0x00}};
    EXPECT_FALSE(zelsim::VirtualChip(o).start(&error));
    EXPECT_NE(error.find("23, 24, 25, 27"), std::string::npos) << error;

    o = fastChip("D19A");
    o.dbPath = "/nonexistent/zel.db";
    EXPECT_FALSE(zelsim::VirtualChip(o).start(&error));

    o = fastChip("D19A");
    o.frequency = 500000;
    EXPECT_FALSE(zelsim::VirtualChip(o).start(&error));

    o = fastChip("D19A");
    o.faults.unknownId = o.faults.otherSeries = true;
    EXPECT_FALSE(zelsim::VirtualChip(o).start(&error));
}

}  // namespace
}  // namespace simtest
