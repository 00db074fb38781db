// Decoding the chip's status reply: clock, version, model, serial number and baud choice.
#include <gtest/gtest.h>

#include <vector>

#include "test_zelisp_support.h"
#include "zeldb.h"
#include "zelisp.h"

namespace zel {
namespace {

using test::statusPayload;
using test::text;

class StartUpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        context.Db = test::SampleDb();
        ASSERT_EQ(LoadTypeList(*context.Db).size(), 8);
    }
    ZelContext context;
};

TEST(MeasureClock, AveragesTheEightCounts) {
    struct Case {
        std::vector<std::pair<size_t, uint8_t>> bytes;  // set on a zeroed 21-byte payload
        int64_t cpu;
    };
    const Case cases[] = {
        {{}, 2061 * 6},
        {{{1, 1}}, 2061 * (32 + 6)},
        {{{2, 12}}, 2061 * (2 + 6)},      // 1.5 rounds up to even 2
        {{{2, 20}}, 2061 * (2 + 6)},      // 2.5 rounds down to even 2
        {{{2, 21}}, 2061 * (3 + 6) + 1},  // odd, 10.5 rounds to 10
        {{{2, 23}}, 2061 * (3 + 6) - 1},  // odd, 11.5 rounds to 12
        {{{15, 2}, {16, 8}}, 2061 * (64 + 1 + 6)},
    };
    for (const auto& c : cases) {
        Bytes status(21, 0);
        for (auto [index, value] : c.bytes) status[index] = value;
        EXPECT_EQ(cZelIsp::measureClock(status), c.cpu);
    }
    EXPECT_EQ(cZelIsp::measureClock(statusPayload(0xD1, 0x03)), 9616626);
    Bytes odd = statusPayload(0xD1, 0x03);
    odd[16] = 0x35;
    EXPECT_EQ(cZelIsp::measureClock(odd), 9616627);
}

TEST(VersionText, MajorMinorAndLetter) {
    const std::tuple<uint8_t, uint8_t, const char*> cases[] = {
        {0x62, 0x43, "6.2 C"}, {0x5F, 0x41, "5.15 A"}, {0x07, 0x20, "0.7  "}};
    for (auto [version, letter, expected] : cases) {
        Bytes status(21, 0);
        status[17] = version;
        status[18] = letter;
        EXPECT_EQ(cZelIsp::versionText(status), QString::fromLatin1(expected));
    }
}

TEST_F(StartUpTest, KnownModelFillsTheIdentification) {
    context.Params.MaxBaud = 115200;
    cZelIsp isp(context);
    const Bytes status = statusPayload(0xD1, 0x03);
    isp.StartUp(text(status));
    EXPECT_EQ(context.Chip.StatusBytes, status);
    EXPECT_EQ(context.Chip.ModelId, QStringLiteral("D103"));
    EXPECT_EQ(context.Chip.SeriesByte, 0xD1);
    EXPECT_EQ(context.Chip.Model, QStringLiteral("ZELH64AD"));
    EXPECT_EQ(context.Chip.SeriesIndex, 7);
    EXPECT_EQ(context.Chip.Flash, 65536);
    EXPECT_EQ(context.Chip.Memory, 1280);
    EXPECT_EQ(context.Chip.Eeprom, 0);
    EXPECT_EQ(context.Chip.Cpu, 9616626);
    EXPECT_EQ(context.Chip.Version, QStringLiteral("6.2 C"));
    EXPECT_EQ(context.Chip.Sn, QStringLiteral("2F-30-31-32-33-34-35"));
    EXPECT_EQ(isp.checksumWidth(), 2);
    EXPECT_EQ(isp.portSettings(context.Chip.Baud), QStringLiteral("38400,E,8,1"));
}

struct IdCase {
    size_t size;
    uint8_t series;
    const char* modelId;
    const char* model;
};

TEST_F(StartUpTest, ModelIdPositionDependsOnTheLength) {
    const IdCase cases[] = {
        {21, 0xF0, "F003", "ZELA64AD"},
        {22, 0xF2, "F203", "ZELF64AD"},
        {40, 0xE6, "E603", "ZELG64AD"},
    };
    for (const auto& c : cases) {
        cZelIsp isp(context);
        isp.StartUp(text(statusPayload(c.series, 0x03, c.size)));
        EXPECT_EQ(context.Chip.ModelId, QString::fromLatin1(c.modelId)) << c.size;
        EXPECT_EQ(context.Chip.SeriesByte, c.series) << c.size;
        EXPECT_EQ(context.Chip.Model, QString::fromLatin1(c.model)) << c.size;
    }
    // 22 bytes with different bytes at 19 and 21: the ID comes from 20-21.
    Bytes status = statusPayload(0xE1, 0x03, 22);
    status[19] = 0xD1;
    cZelIsp isp(context);
    isp.StartUp(text(status));
    EXPECT_EQ(context.Chip.ModelId, QStringLiteral("E103"));
}

TEST_F(StartUpTest, ShortReplyChangesNothing) {
    cZelIsp isp(context);
    const Bytes first = statusPayload(0xF0, 0x03, 30);
    isp.StartUp(text(first));
    const ZelContext before = context;
    isp.StartUp(text(statusPayload(0xD1, 0x03, 40)).section(',', 0, 19));  // 20 bytes
    EXPECT_EQ(context.Chip.StatusBytes, before.Chip.StatusBytes);
    EXPECT_EQ(context.Chip.ModelId, before.Chip.ModelId);
    EXPECT_EQ(context.Chip.SeriesByte, before.Chip.SeriesByte);
    EXPECT_EQ(context.Chip.Model, before.Chip.Model);
    EXPECT_EQ(context.Chip.Cpu, before.Chip.Cpu);
    EXPECT_EQ(context.Chip.Baud, before.Chip.Baud);
    isp.StartUp(QString());
    EXPECT_EQ(context.Chip.StatusBytes, first);
}

TEST_F(StartUpTest, UnknownModelStopsAfterTheVersion) {
    cZelIsp isp(context);
    isp.setBaudParams(QStringLiteral("AA,BB,CC,DD"));
    context.Params.MaxBaud = 57600;
    context.Chip.Model = QStringLiteral("old");
    context.Chip.Sn = QStringLiteral("old");
    Bytes status = statusPayload(0xD1, 0x77);
    status[17] = 0x71;
    isp.StartUp(text(status));
    EXPECT_EQ(context.Chip.ModelId, QStringLiteral("D177"));
    EXPECT_EQ(context.Chip.Model, QString());
    EXPECT_EQ(context.Chip.Sn, QString());
    EXPECT_EQ(context.Chip.Cpu, 9616626);
    EXPECT_EQ(context.Chip.Version, QStringLiteral("7.1 C"));
    EXPECT_EQ(context.Chip.Baud, 57600);
    EXPECT_EQ(isp.BaudParams(), QStringLiteral("AA,BB,CC,DD"));
}

TEST_F(StartUpTest, TypeCodeOutsideTheListKeepsTheSeriesIndex) {
    context.Chip.SeriesIndex = 5;
    cZelIsp isp(context);
    isp.StartUp(text(statusPayload(0xD1, 0xF0)));
    EXPECT_EQ(context.Chip.Model, QStringLiteral("ZELX99"));
    EXPECT_EQ(context.Chip.SeriesIndex, 5);
    EXPECT_EQ(context.Chip.Flash, 61440);
    EXPECT_EQ(context.Chip.Memory, 1280);
    EXPECT_EQ(context.Chip.Eeprom, 1024);
}

struct SerialCase {
    uint8_t series;
    size_t size;
    const char* sn;
};

TEST_F(StartUpTest, SerialNumberOfD1AndD3) {
    const SerialCase cases[] = {
        {0xD1, 40, "2F-30-31-32-33-34-35"},
        {0xD3, 40, "31-32-33-34-35-36-37"},
        {0xD3, 39, ""},  // the reply stops before the last serial byte
        {0xD1, 38, "2F-30-31-32-33-34-35"},
        {0xD2, 40, ""},
        {0xF0, 40, ""},
    };
    for (const auto& c : cases) {
        cZelIsp isp(context);
        isp.StartUp(text(statusPayload(c.series, 0x03, c.size)));
        EXPECT_EQ(context.Chip.Sn, QString::fromLatin1(c.sn)) << int(c.series) << " " << c.size;
    }
}

struct BaudChoiceCase {
    uint8_t series;
    uint16_t count;
    int64_t limit;
    int64_t baud;
    const char* params;
};

TEST_F(StartUpTest, ChoosesTheFastestUsableRate) {
    const BaudChoiceCase cases[] = {
        // 9 616 626 Hz: 115200 and 57600 are 43 per mille off; 38400 is 22 off.
        {0xD1, 0x1234, 115200, 38400, "C0,F0,3F,1F"},
        {0xD1, 0x1234, 0, 38400, "C0,F0,3F,1F"},     // no limit set: 115200
        {0xD1, 0x1234, 1199, 38400, "C0,F0,3F,1F"},  // below 1200: 115200
        // About 11.0592 MHz, limited to 9600: the faster rates are never tried.
        {0xF2, 0x14F0, 9600, 9600, "C0,B8,3F,90"},
        {0xF2, 0x14F0, 50000, 38400, "C0,EE,3F,24"},
        {0xF0, 0x14F0, 115200, 115200, "FF,FD,00,06"},
        // A clock of 12 366 Hz fits no rate: the limit stays, the parameters too.
        {0xF2, 0x0000, 0, 115200, "AA,BB,CC,DD"},
        {0xF2, 0x0000, 19200, 19200, "AA,BB,CC,DD"},
        // A limit above 115200 walks the fast list. 11 059 326 Hz makes 230400 but not more.
        {0xF2, 0x14F0, 921600, 230400, "C0,FD,3F,06"},
        {0xF2, 0x14F0, 460800, 230400, "C0,FD,3F,06"},
        // 22 118 652 Hz makes 460800 with reload 253.
        {0xF2, 0x29E6, 921600, 460800, "C0,FD,3F,06"},
        {0xF2, 0x29E6, 300000, 230400, "C0,FA,3F,0C"},  // a limit between listed rates
        {0xF2, 0x29E6, 115200, 115200, "C0,F4,3F,18"},
        {0xF2, 0x29E6, 0, 115200, "C0,F4,3F,18"},
        // The 16-bit method makes no fast rate at 11.0592 MHz: 115200 stays.
        {0xF0, 0x14F0, 921600, 115200, "FF,FD,00,06"},
        // 11 999 142 Hz: 230400 and 115200 are both refused, as 115200 alone is today.
        {0xF2, 0x16B8, 230400, 57600, "C0,F3,3F,1A"},
        {0xF2, 0x16B8, 115200, 57600, "C0,F3,3F,1A"},
    };
    for (const auto& c : cases) {
        cZelIsp isp(context);
        isp.setBaudParams(QStringLiteral("AA,BB,CC,DD"));
        context.Params.MaxBaud = c.limit;
        isp.StartUp(text(statusPayload(c.series, 0x03, 40, c.count)));
        EXPECT_EQ(context.Chip.Baud, c.baud) << int(c.series) << " limit " << c.limit;
        EXPECT_EQ(isp.BaudParams(), QString::fromLatin1(c.params))
            << int(c.series) << " limit " << c.limit;
    }
}

struct StepDownCase {
    uint8_t series;
    uint16_t count;
    int64_t limit;
    std::vector<std::pair<int64_t, const char*>> walk;  // chosen rate, then each step down
};

// A line that fails at a fast rate moves to the next rate the clock makes, never below 115200
// and never for a host that did not ask for the fast rates.
TEST_F(StartUpTest, StepsDownThroughTheFastRatesOnly) {
    const StepDownCase cases[] = {
        {0xF2,
         0x29E6,
         921600,
         {{460800, "C0,FD,3F,06"}, {230400, "C0,FA,3F,0C"}, {115200, "C0,F4,3F,18"}}},
        {0xF2, 0x14F0, 921600, {{230400, "C0,FD,3F,06"}, {115200, "C0,FA,3F,0C"}}},
        {0xF2, 0x29E6, 115200, {{115200, "C0,F4,3F,18"}}},
        {0xF2, 0x16B8, 921600, {{57600, "C0,F3,3F,1A"}}},
        {0xF0, 0x14F0, 921600, {{115200, "FF,FD,00,06"}}},
    };
    for (const auto& c : cases) {
        cZelIsp isp(context);
        context.Params.MaxBaud = c.limit;
        isp.StartUp(text(statusPayload(c.series, 0x03, 40, c.count)));
        for (size_t i = 0; i < c.walk.size(); ++i) {
            if (i > 0) {
                EXPECT_TRUE(isp.stepDownBaud()) << c.count << " step " << i;
            }
            EXPECT_EQ(context.Chip.Baud, c.walk[i].first) << c.count << " step " << i;
            EXPECT_EQ(isp.BaudParams(), QString::fromLatin1(c.walk[i].second))
                << c.count << " step " << i;
        }
        EXPECT_FALSE(isp.stepDownBaud()) << c.count << " limit " << c.limit;
        EXPECT_EQ(context.Chip.Baud, c.walk.back().first) << c.count << " limit " << c.limit;
    }
}

// Two command builders on two contexts (two ports) never see each other's chip.
TEST_F(StartUpTest, ContextsStayApart) {
    ZelContext other;
    other.Db = context.Db;
    cZelIsp first(context);
    cZelIsp second(other);
    first.StartUp(text(statusPayload(0xE0, 0x03)));
    EXPECT_EQ(context.Chip.Model, QStringLiteral("ZELD64AD"));
    EXPECT_EQ(other.Chip.Model, QString());
    EXPECT_EQ(second.END1(), QStringLiteral("46,B9,6A,00,07,82,00,F3,16"));
    EXPECT_EQ(first.END1(), QStringLiteral("46,B9,6A,00,06,82,F2,16"));
}

}  // namespace
}  // namespace zel
