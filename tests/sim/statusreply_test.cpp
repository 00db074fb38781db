// The status reply of every series, read the way a host reads it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "testhost.h"

namespace simtest {
namespace {

struct StatusCase {
    const char* model;
    uint16_t id;
    int width;
    size_t length;  // payload bytes
    size_t idIndex;
    std::vector<int> optionBytes;
    int serialIndex;  // -1: none
    uint32_t frequency;
};

class StatusReply : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusReply, DecodesToModelClockAndVersion) {
    const StatusCase& c = GetParam();
    zelsim::ChipOptions o = fastChip(c.model);
    o.frequency = c.frequency;
    o.bootVersion = 0x65;
    o.bootLetter = 'M';
    zelsim::VirtualChip chip(o);
    std::string error;
    ASSERT_TRUE(chip.start(&error)) << error;
    TestHost host(chip.slavePath());
    const auto reply = host.sync(c.width);
    ASSERT_TRUE(reply);
    const Bytes& s = reply->payload;
    ASSERT_EQ(s.size(), c.length);
    EXPECT_EQ((s[c.idIndex] << 8) | s[c.idIndex + 1], c.id);
    EXPECT_LE(std::llabs(hostClockFromStatus(s) - c.frequency), 1031)
        << "one clock unit is 2061 Hz";
    EXPECT_EQ(s[17], 0x65);
    EXPECT_EQ(s[18], 'M');
    for (int index : c.optionBytes) EXPECT_EQ(s[static_cast<size_t>(index)], 0xFF) << index;
    if (c.serialIndex >= 0) {
        const Bytes serial(s.begin() + c.serialIndex, s.begin() + c.serialIndex + 7);
        EXPECT_EQ(serial, (Bytes{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    EverySeries, StatusReply,
    ::testing::Values(StatusCase{"D19A", 0xD19A, 2, 38, 20, {23, 24, 25, 27}, 31, 11059200},
                      StatusCase{"D284", 0xD284, 2, 28, 20, {23, 24, 25, 27}, -1, 12000000},
                      StatusCase{"D303", 0xD303, 2, 40, 20, {23, 24, 25, 27}, 33, 24000000},
                      StatusCase{"E09A", 0xE09A, 1, 30, 20, {23, 24, 25, 29}, -1, 6000000},
                      StatusCase{"E19A", 0xE19A, 2, 30, 20, {23, 24, 25, 29}, -1, 33177600},
                      StatusCase{"E29A", 0xE29A, 2, 28, 20, {23, 24, 25, 27}, -1, 22118400},
                      StatusCase{"E69A", 0xE69A, 2, 30, 20, {23, 24, 25, 29}, -1, 18432000},
                      StatusCase{"F084", 0xF084, 1, 22, 20, {19}, -1, 11059200},
                      StatusCase{"F19A", 0xF19A, 1, 22, 20, {19}, -1, 3579545},
                      StatusCase{"F29A", 0xF29A, 1, 26, 20, {23, 24, 25}, -1, 40000000},
                      StatusCase{"F39A", 0xF39A, 1, 26, 20, {23, 24, 25}, -1, 1000000},
                      StatusCase{"FF9A", 0xFF9A, 1, 21, 19, {}, -1, 100000000},
                      StatusCase{"D31F", 0xD31F, 2, 40, 20, {23, 24, 25, 27}, 33, 11059200}),
    [](const auto& info) { return std::string(info.param.model); });

TEST(StatusReplyOptions, StartValuesAndModelNames) {
    zelsim::ChipOptions o = fastChip("zelh01le");  // D19A by name, any case
    o.options = {{24, 0xBF}, {27, 0x7E}};
    zelsim::VirtualChip chip(o);
    std::string error;
    ASSERT_TRUE(chip.start(&error)) << error;
    EXPECT_EQ(chip.model().idText, "D19A");
    TestHost host(chip.slavePath());
    const auto reply = host.sync(2);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->payload[23], 0xFF);
    EXPECT_EQ(reply->payload[24], 0xBF);
    EXPECT_EQ(reply->payload[27], 0x7E);
}

}  // namespace
}  // namespace simtest
