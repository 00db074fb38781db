// The number, byte and hex-text helpers and the bit-field helpers of the option code.
#include <gtest/gtest.h>

#include <climits>

#include "modfun.h"

namespace zel {
namespace {

struct HexNumberCase {
    int64_t value;
    int width;
    const char* expected;
};

TEST(HexBytes, NumbersKeepTheRightmostDigits) {
    const HexNumberCase cases[] = {
        {500, 2, "01,F4"},
        {0x10000, 2, "00,00"},
        {0, 1, "00"},
        {255, 1, "FF"},
        {256, 1, "00"},
        {0x1234, 4, "00,00,12,34"},
        {0x12345678, 4, "12,34,56,78"},
        {0x123456789A, 4, "34,56,78,9A"},
        {-1, 2, "FF,FF"},
        {-2, 1, "FE"},
        {-1, 4, "FF,FF,FF,FF"},
        {-0x10000, 4, "FF,FF,00,00"},
        {INT64_MIN, 4, "00,00,00,00"},
        {0xABCD, 0, "CD"},  // widths outside 1..4 are clamped
        {0x123456789A, 9, "34,56,78,9A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexBytes(c.value, c.width), QString::fromLatin1(c.expected))
            << c.value << " width " << c.width;
}

struct HexTextCase {
    const char* text;
    int width;
    const char* expected;
};

TEST(HexBytes, TextIsUpperCasedPaddedAndCut) {
    const HexTextCase cases[] = {
        {"d103", 2, "D1,03"}, {"3", 1, "03"},         {"", 2, "00,00"},
        {"1", 2, "00,01"},    {"abcdef", 2, "CD,EF"}, {"f0", 1, "F0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexBytes(QString::fromLatin1(c.text), c.width), QString::fromLatin1(c.expected))
            << c.text;
}

struct ParseCase {
    const char* text;
    std::vector<uint8_t> bytes;
    int64_t sum;
};

TEST(ParseHex, BadItemsRepeatThePreviousByte) {
    const ParseCase cases[] = {
        {"84,0E,", {0x84, 0x0E, 0x0E}, 0xA0},
        {"", {0x00}, 0},
        {"82", {0x82}, 0x82},
        {"46,B9,6A", {0x46, 0xB9, 0x6A}, 0x46 + 0xB9 + 0x6A},
        {"ff,a", {0xFF, 0x0A}, 0x109},
        {"1FF", {0xFF}, 0xFF},  // stored modulo 256
        {"123456789ABC", {0xBC}, 0xBC},
        {"zz,10", {0x00, 0x10}, 0x10},  // bad first item reads as 0
        {"10,zz,,20", {0x10, 0x10, 0x10, 0x20}, 0x50},
        {",00,36", {0x00, 0x00, 0x36}, 0x36},
        {"84,0E, 0F", {0x84, 0x0E, 0x0E}, 0xA0},  // blanks make an item invalid
        {"0x10", {0x00}, 0},
        {",", {0x00, 0x00}, 0},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out{0x99, 0x98};  // whatever was there is replaced
        EXPECT_EQ(ParseHex(QString::fromLatin1(c.text), out), c.sum) << c.text;
        EXPECT_EQ(out, c.bytes) << c.text;
    }
}

TEST(ParseHex, NonLatinCharactersAreInvalidItems) {
    std::vector<uint8_t> out;
    EXPECT_EQ(ParseHex(QStringLiteral("12,\u0661\u0662,34"), out), 0x12 + 0x12 + 0x34);
    EXPECT_EQ(out, (std::vector<uint8_t>{0x12, 0x12, 0x34}));
}

struct JoinCase {
    std::vector<uint8_t> bytes;
    int64_t first, last;
    const char* separator;
    const char* expected;
};

TEST(JoinHex, JoinsTheInclusiveRange) {
    const std::vector<uint8_t> b{0x0A, 0xFF, 0x10};
    const JoinCase cases[] = {
        {b, 0, 0, ",", "0A,FF,10"},  // last 0 = upper bound
        {b, 1, 1, ",", "FF"},       {b, 0, 1, "-", "0A-FF"},     {b, 1, 2, "", "FF10"},
        {b, 2, 1, ",", ""},         {b, 0, 99, ",", "0A,FF,10"}, {b, -3, 0, ",", "0A,FF,10"},
        {{}, 0, 0, ",", ""},        {{}, 3, 5, ",", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinHex(c.bytes, c.first, c.last, QString::fromLatin1(c.separator)),
                  QString::fromLatin1(c.expected))
            << c.first << ".." << c.last;
}

struct AppendCase {
    std::vector<uint8_t> before, added;
    int64_t start;
    std::vector<uint8_t> after;
};

TEST(AppendBytes, ReturnsTheOldUpperBound) {
    const AppendCase cases[] = {
        {{}, {0x01, 0x02}, 0, {0x01, 0x02}},
        {{0x00}, {0x05}, 0, {0x05}},  // a lone zero byte counts as empty
        {{0x07}, {0x01}, 0, {0x07, 0x01}},
        {{0x00, 0x00}, {0x01}, 1, {0x00, 0x00, 0x01}},
        {{0x01, 0x02, 0x03}, {0x04}, 2, {0x01, 0x02, 0x03, 0x04}},
        {{0x01, 0x02}, {}, 1, {0x01, 0x02}},
        {{}, {}, 0, {}},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> buffer = c.before;
        EXPECT_EQ(AppendBytes(buffer, c.added), c.start);
        EXPECT_EQ(buffer, c.after);
    }
}

struct SliceCase {
    int64_t first, count;
    std::vector<uint8_t> expected;
};

TEST(SliceBytes, CutsAtTheUpperBound) {
    const std::vector<uint8_t> b{1, 2, 3, 4, 5};
    const SliceCase cases[] = {
        {1, 2, {2, 3}}, {1, 0, {2, 3, 4, 5}}, {3, 10, {4, 5}}, {0, 5, {1, 2, 3, 4, 5}},
        {4, 1, {5}},    {5, 1, {}},           {-1, 2, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SliceBytes(b, c.first, c.count), c.expected) << c.first << "+" << c.count;
    EXPECT_TRUE(SliceBytes({}, 0, 0).empty());
}

TEST(ArrayBound, EmptyArraysReportMinusOne) {
    EXPECT_EQ(ArrayBound(std::vector<uint8_t>{}), -1);
    EXPECT_EQ(ArrayBound(std::vector<uint8_t>{}, BoundKind::Lower), -1);
    EXPECT_EQ(ArrayBound(std::vector<uint8_t>{9, 8, 7}), 2);
    EXPECT_EQ(ArrayBound(std::vector<uint8_t>{9, 8, 7}, BoundKind::Lower), 0);
    EXPECT_EQ(ArrayBound(std::vector<int>{1}), 0);
}

struct GetBitsCase {
    int64_t value;
    int hi, lo;
    int64_t expected;
};

TEST(GetBits, ReadsHighDownToLow) {
    const GetBitsCase cases[] = {
        {0b0011'0100, 5, 4, 3}, {0b0011'0100, 4, 5, 0}, {0xFF, 7, 0, 0xFF},
        {0xA5, 7, 4, 0xA},      {0xA5, 0, 0, 1},        {-1, 63, 0, -1},
        {0x80, 100, 7, 1},      {0x3, 1, -5, 0x3},      {0x12, 70, 64, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetBits(c.value, c.hi, c.lo), c.expected) << c.hi << ".." << c.lo;
}

TEST(GetBit, ReadsOneBit) {
    EXPECT_TRUE(GetBit(0x80, 7));
    EXPECT_FALSE(GetBit(0x80, 6));
    EXPECT_TRUE(GetBit(1, 0));
    EXPECT_TRUE(GetBit(INT64_MIN, 63));
    EXPECT_FALSE(GetBit(-1, 64));
    EXPECT_FALSE(GetBit(-1, -1));
}

TEST(SetBits, WritesTheFieldIntoItsBits) {
    struct Case {
        uint8_t value;
        int hi, lo;
        int64_t field;
        uint8_t expected;
    };
    const Case cases[] = {
        {0xFF, 5, 4, 2, 0xEF},   {0x00, 7, 0, 0x1A5, 0xA5}, {0x0F, 7, 4, 0xF, 0xFF},
        {0xFF, 3, 3, 0, 0xF7},   {0xAA, 2, 5, 0x3, 0xAA},  // hi < lo writes nothing
        {0x00, 9, 6, 0xF, 0xC0},                           // bits beyond the byte do not exist
    };
    for (const auto& c : cases) {
        uint8_t value = c.value;
        SetBits(value, c.hi, c.lo, c.field);
        EXPECT_EQ(value, c.expected) << int(c.value) << " " << c.hi << ".." << c.lo;
    }
    int64_t wide = 0;
    SetBits(wide, 63, 60, 0xF);
    EXPECT_EQ(static_cast<uint64_t>(wide), 0xF000000000000000ULL);
}

TEST(SetBit, SetsAndClears) {
    uint8_t value = 0x00;
    SetBit(value, 3, true);
    EXPECT_EQ(value, 0x08);
    SetBit(value, 3, true);
    EXPECT_EQ(value, 0x08);
    SetBit(value, 7, true);
    EXPECT_EQ(value, 0x88);
    SetBit(value, 3, false);
    EXPECT_EQ(value, 0x80);
    SetBit(value, 3, false);
    EXPECT_EQ(value, 0x80);
    SetBit(value, 8, true);  // no such bit
    SetBit(value, -1, false);
    EXPECT_EQ(value, 0x80);
    int value32 = 0;
    SetBit(value32, 31, true);
    EXPECT_EQ(value32, INT_MIN);
}

}  // namespace
}  // namespace zel
