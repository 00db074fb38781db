#include "views/gridrows.h"
#include "views/datasearch.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

CodeBuffer Counting(size_t size) {
    CodeBuffer bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i);
    return bytes;
}

struct ShapeCase {
    const char* name;
    size_t size;
    qsizetype rows;
    int width;
    QString lastAddress;
    qsizetype lastRowBytes;
};

class GridShapeTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(GridShapeTest, RowsAndAddressWidthFollowTheBuffer) {
    const ShapeCase& c = GetParam();
    const CodeBuffer buffer = Counting(c.size);
    const GridRows rows(&buffer);
    EXPECT_EQ(rows.rowCount(), c.rows);
    EXPECT_EQ(rows.addressWidth(), c.width);
    if (c.rows == 0) return;
    EXPECT_EQ(rows.addressText(c.rows - 1), c.lastAddress);
    EXPECT_EQ(rows.rowByteCount(c.rows - 1), c.lastRowBytes);
    EXPECT_EQ(rows.dataText(c.rows - 1).size(), c.lastRowBytes * 3 - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Buffers, GridShapeTest,
    ::testing::Values(ShapeCase{"empty", 0, 0, 4, "", 0},
                      ShapeCase{"one_byte", 1, 1, 4, "0000 ", 1},
                      ShapeCase{"full_64k", 0x10000, 0x1000, 4, "FFF0 ", 16},
                      ShapeCase{"one_past_64k", 0x10001, 0x1001, 5, "10000 ", 1},
                      ShapeCase{"tail_of_five", 0x12345, 0x1235, 5, "12340 ", 5},
                      ShapeCase{"sixteen_mib", 0x1000000, 0x100000, 6, "FFFFF0 ", 16}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridRowsTest, DataTextIsUpperCaseHexPairsSeparatedByOneBlank) {
    CodeBuffer buffer = Counting(0x12345);
    buffer[0x12340] = 0xAB;
    buffer[0x12344] = 0x0F;
    const GridRows rows(&buffer);
    EXPECT_EQ(rows.dataText(0), "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
    EXPECT_EQ(rows.dataText(0x1234), "AB 41 42 43 0F");
    EXPECT_EQ(rows.addressText(0x1A), "001A0 ");
}

struct GridSearchCase {
    const char* name;
    qsizetype lastHit;
    QString text;
    qsizetype expected;
};

class GridSearchTest : public ::testing::TestWithParam<GridSearchCase> {};

// Rows: 1 "AB 00 ..", 2 "00 .. CD EF", 3 "12 34 .. AB" (5 bytes).
TEST_P(GridSearchTest, FindsTheNextRowContainingTheTextInExactCase) {
    const GridSearchCase& c = GetParam();
    CodeBuffer buffer(37, 0);
    buffer[0] = 0xAB;
    buffer[30] = 0xCD;
    buffer[31] = 0xEF;
    buffer[32] = 0x12;
    buffer[33] = 0x34;
    buffer[36] = 0xAB;
    const GridRows rows(&buffer);
    EXPECT_EQ(FindGridRow(rows, c.lastHit, c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, GridSearchTest,
                         ::testing::Values(GridSearchCase{"start_of_row_data", 0, "AB 00", 1},
                                           GridSearchCase{"lower_case_misses", 0, "ab", 0},
                                           GridSearchCase{"next_after_hit", 1, "AB", 3},
                                           GridSearchCase{"across_bytes", 0, "CD EF", 2},
                                           GridSearchCase{"none_after_last_match", 2, "CD", 0},
                                           GridSearchCase{"last_row_hit_starts_over", 3, "AB", 1},
                                           GridSearchCase{"empty_text", 0, "", 0},
                                           GridSearchCase{"not_present", 0, "99", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TextSearchCase {
    const char* name;
    QString box;
    qsizetype lastHit;
    QString text;
    qsizetype expected;
};

class TextSearchTest : public ::testing::TestWithParam<TextSearchCase> {};

TEST_P(TextSearchTest, FindsAfterTheLastHit) {
    const TextSearchCase& c = GetParam();
    EXPECT_EQ(FindInText(c.box, c.lastHit, c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, TextSearchTest,
    ::testing::Values(TextSearchCase{"first", "hello hello", 0, "hello", 1},
                      TextSearchCase{"second", "hello hello", 1, "hello", 7},
                      TextSearchCase{"none_left", "hello hello", 7, "hello", 0},
                      TextSearchCase{"at_end_starts_over", "hello", 5, "he", 1},
                      TextSearchCase{"exact_case", "Hello", 0, "hello", 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvan
