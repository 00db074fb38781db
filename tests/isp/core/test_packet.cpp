// Framing of host packets and reassembly of chip replies.
#include <gtest/gtest.h>

#include <random>

#include "test_zelisp_support.h"
#include "zelcontext.h"
#include "zelisp.h"

namespace zel {
namespace {

using test::bytes;
using test::chipReply;
using test::frame;

struct PacketCase {
    const char* payload;
    uint8_t series;
    const char* expected;
};

TEST(MakePacket, FramesWithTheSeriesChecksumWidth) {
    const PacketCase cases[] = {
        {"82", 0xF0, "46,B9,6A,00,06,82,F2,16"},
        {"82", 0x00, "46,B9,6A,00,07,82,00,F3,16"},
        {"82", 0xD1, "46,B9,6A,00,07,82,00,F3,16"},
        {"82", 0xE0, "46,B9,6A,00,06,82,F2,16"},
        // The trailing separator is kept: its empty item is sent as a second 0E.
        {"84,0E,", 0xF2, "46,B9,6A,00,08,84,0E,,12,16"},
        {"", 0xFF, "46,B9,6A,00,06,,76,16"},
        // A leading empty item lands after the length byte and is sent as its repeat.
        {",01", 0xF0, "46,B9,6A,00,07,,01,79,16"},
        {"FF,FF,FF,FF", 0xE6, "46,B9,6A,00,0A,FF,FF,FF,FF,04,70,16"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MakePacket(QString::fromLatin1(c.payload), c.series),
                  QString::fromLatin1(c.expected))
            << c.payload << " series " << int(c.series);
}

TEST(MakePacket, MatchesAByteLevelFrameForEverySeriesByte) {
    const Bytes payload = bytes(QStringLiteral("8F,C0,FA,3F,0C,28,83"));
    for (int series = 0; series <= 0xFF; ++series) {
        const bool narrow = series == 0xF0 || series == 0xF1 || series == 0xF2 || series == 0xF3 ||
                            series == 0xFF || series == 0xE0;
        const Bytes wire =
            bytes(MakePacket(QStringLiteral("8F,C0,FA,3F,0C,28,83"), uint8_t(series)));
        EXPECT_EQ(wire, frame(payload, narrow ? 1 : 2)) << series;
    }
}

TEST(MakePacket, LargestPayloadKeepsAOneByteLength) {
    Bytes payload(135);
    for (size_t i = 0; i < payload.size(); ++i) payload[i] = uint8_t(0xFF - i);
    const Bytes wire = bytes(MakePacket(test::text(payload), 0xD1));
    ASSERT_EQ(wire.size(), 143u);
    EXPECT_EQ(wire[4], 141);
    EXPECT_EQ(wire, frame(payload, 2));
}

TEST(MakePacket, ContextFormsFollowTheSeriesByte) {
    ZelContext context;
    context.Chip.SeriesByte = 0xF1;
    EXPECT_EQ(MakePacket(QStringLiteral("82"), context), QStringLiteral("46,B9,6A,00,06,82,F2,16"));
    context.Chip.SeriesByte = 0x00;
    EXPECT_EQ(MakePacket(QStringLiteral("82"), context),
              QStringLiteral("46,B9,6A,00,07,82,00,F3,16"));
    context.Chip.SeriesByte = 0xFF;
    EXPECT_EQ(MakePacket(QStringLiteral("82"), context), QStringLiteral("46,B9,6A,00,06,82,F2,16"));
}

// A sequence of port reads and what RxdData answers after each.
struct RxCase {
    const char* name;
    std::vector<Bytes> reads;
    std::vector<const char*> results;
};

TEST(RxdData, ReassemblesReplies) {
    const RxCase cases[] = {
        {"whole reply", {{0x46, 0xB9, 0x68, 0x00, 0x07, 0x80, 0x11, 0x22, 0x16}}, {"80,11"}},
        {"split between 68 and 00",
         {{0x46, 0xB9, 0x68}, {0x00, 0x07, 0x80, 0x11, 0x22, 0x16}},
         {"", "80,11"}},
        {"five bytes are not searched", {{0x68, 0x00, 0x06, 0x80, 0x55}, {0x16}}, {"", "80"}},
        {"start inside a short first read",
         {{0x46, 0xB9, 0x68, 0x00, 0x07}, {0x80, 0x11, 0x22, 0x16}},
         {"", "80,11"}},
        {"noise before the start",
         {{0x01, 0x68, 0x01, 0x68}, {0x00, 0x06, 0x90, 0x00, 0x16}},
         {"", "90"}},
        {"two-byte checksum leaves its first byte in the payload",
         {{0x46, 0xB9, 0x68, 0x00, 0x08, 0x50, 0x01, 0xC1, 0xC2, 0x16}},
         {"50,01,C1"}},
        {"longer than announced", {{0x68, 0x00, 0x06, 0x90, 0x00, 0x16, 0xAA, 0xBB}}, {"90"}},
        {"wrong end byte never completes",
         {{0x68, 0x00, 0x06, 0x90, 0x00, 0x17}, {0x16, 0x16}},
         {"", ""}},
        {"length 4 carries nothing", {{0x68, 0x00, 0x04, 0x16, 0x00, 0x00}}, {""}},
        {"length 5 carries nothing", {{0x68, 0x00, 0x05, 0xAA, 0x16, 0x00}}, {""}},
        {"length 0", {{0x68, 0x00, 0x00, 0x16, 0x16, 0x16}}, {""}},
        {"end byte only later",
         {{0x68, 0x00, 0x07, 0x01, 0x02, 0x03}, {}, {0x16}},
         {"", "", "01,02"}},
        {"reply returned again until Init",
         {{0x68, 0x00, 0x06, 0x90, 0x00, 0x16}, {}, {0x68, 0x00, 0x06, 0x91, 0x00, 0x16}},
         {"90", "90", "90"}},
        {"lone zero byte is overwritten",
         {{0x00}, {0x68, 0x00, 0x06, 0x80, 0x55, 0x16}},
         {"", "80"}},
    };
    for (const auto& c : cases) {
        ZelContext context;
        cZelIsp isp(context);
        ASSERT_EQ(c.reads.size(), c.results.size()) << c.name;
        for (size_t i = 0; i < c.reads.size(); ++i)
            EXPECT_EQ(isp.RxdData(c.reads[i]), QString::fromLatin1(c.results[i]))
                << c.name << ", read " << i;
    }
}

TEST(RxdData, SevenByteReplyCarriesOffsetsThreeAndFour) {
    ZelContext context;
    cZelIsp isp(context);
    EXPECT_EQ(isp.RxdData({0x68, 0x00, 0x07, 0xA1, 0xA2, 0xA3, 0x16}), QStringLiteral("A1,A2"));
}

TEST(RxdData, InitStartsAFreshReply) {
    ZelContext context;
    cZelIsp isp(context);
    EXPECT_EQ(isp.RxdData({0x68, 0x00, 0x06, 0x90, 0x00, 0x16}), QStringLiteral("90"));
    isp.Init();
    EXPECT_EQ(isp.heldBytes(), 0u);
    EXPECT_EQ(isp.RxdData({0x46, 0xB9, 0x68, 0x00}), QString());
    EXPECT_EQ(isp.RxdData({0x06, 0x81, 0x00, 0x16}), QStringLiteral("81"));
}

TEST(RxdData, StatusReplyCompletesWhereverTheReadsSplitIt) {
    const Bytes payload = test::statusPayload(0xD1, 0x03);
    const Bytes wire = chipReply(payload, 2);
    // The first checksum byte of a two-byte checksum stays at the end of the payload text.
    Bytes expectedBytes = payload;
    expectedBytes.push_back(0xC0);
    const QString expected = test::text(expectedBytes);
    for (size_t cut = 0; cut <= wire.size(); ++cut) {
        ZelContext context;
        cZelIsp isp(context);
        const QString first = isp.RxdData(Bytes(wire.begin(), wire.begin() + cut));
        EXPECT_EQ(first, cut == wire.size() ? expected : QString()) << cut;
        EXPECT_EQ(isp.RxdData(Bytes(wire.begin() + cut, wire.end())), expected) << cut;
    }
    ZelContext context;
    cZelIsp isp(context);
    QString result;
    for (size_t i = 0; i < wire.size(); ++i) {
        result = isp.RxdData({wire[i]});
        EXPECT_EQ(result.isEmpty(), i + 1 < wire.size()) << i;
    }
    EXPECT_EQ(result, expected);
}

// Random noise without a 68 00 pair: 0x68 is followed by anything but 0x00.
Bytes noise(std::mt19937& random, size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes out(size);
    for (size_t i = 0; i < size; ++i) {
        out[i] = uint8_t(byte(random));
        if (i > 0 && out[i - 1] == 0x68 && out[i] == 0x00) out[i] = 0x01;
    }
    return out;
}

TEST(RxdData, NoiseDoesNotGrowTheBufferWithoutBound) {
    std::mt19937 random(7);
    ZelContext context;
    cZelIsp isp(context);
    size_t most = 0;
    for (int read = 0; read < 4000; ++read) {
        Bytes chunk = noise(random, 257);
        if (chunk.back() == 0x68) chunk.back() = 0x67;
        EXPECT_EQ(isp.RxdData(chunk), QString());
        most = std::max(most, isp.heldBytes());
    }
    EXPECT_LE(most, 2 * cZelIsp::kNoiseKeep);
    EXPECT_GE(isp.heldBytes(), cZelIsp::kNoiseKeep);
    // A reply after a megabyte of noise, its start pair split across two reads, still completes.
    EXPECT_EQ(isp.RxdData({0x46, 0xB9, 0x68}), QString());
    EXPECT_EQ(isp.RxdData({0x00, 0x07, 0x80, 0x11, 0x22, 0x16}), QStringLiteral("80,11"));
}

TEST(RxdData, BytesAfterAStartAreCappedAtTheLongestReply) {
    ZelContext context;
    cZelIsp isp(context);
    // A 255-byte reply whose end byte arrives among a flood of further bytes.
    EXPECT_EQ(isp.RxdData({0x68, 0x00, 0xFF, 0x01, 0x02, 0x03}), QString());
    EXPECT_EQ(isp.RxdData(Bytes(100000, 0x16)),
              QStringLiteral("01,02,03") + QStringLiteral(",16").repeated(247));
    EXPECT_LE(isp.heldBytes(), 256u);
    // Without the end byte at offset 254 it never completes, and the buffer stays small.
    isp.Init();
    EXPECT_EQ(isp.RxdData({0x68, 0x00, 0xFF, 0x01, 0x02, 0x03}), QString());
    for (int i = 0; i < 100; ++i) EXPECT_EQ(isp.RxdData(Bytes(1000, 0x00)), QString());
    EXPECT_LE(isp.heldBytes(), 256u);
}

}  // namespace
}  // namespace zel
