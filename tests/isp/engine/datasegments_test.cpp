// The program data: how SetData and AppendData build segments, the block walk, the bytes of
// each block and the progress percentages.
#include "datasegments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace zel::segments {
namespace {

Bytes Filled(size_t size, uint8_t value) {
    return Bytes(size, value);
}

struct Span {
    int64_t start;
    int64_t end;
    bool operator==(const Span&) const = default;
};

std::vector<Span> Spans(const Segments& segments) {
    std::vector<Span> spans;
    for (const DataSegment& s : segments) {
        EXPECT_EQ(s.EndAddr - s.StartAddr + 1, static_cast<int64_t>(s.Data.size()));
        spans.push_back({s.StartAddr, s.EndAddr});
    }
    return spans;
}

struct AppendCase {
    const char* name;
    int64_t address;
    size_t size;
    std::vector<Span> expected;
};

class AppendAfter256 : public testing::TestWithParam<AppendCase> {};

TEST_P(AppendAfter256, MergesOrAddsASegment) {
    Segments segments;
    SetData(segments, Filled(0x100, 0x11));
    const AppendCase& c = GetParam();
    ASSERT_EQ(AppendData(segments, Filled(c.size, 0x22), c.address), CallStatus::Ok);
    EXPECT_EQ(Spans(segments), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Segments, AppendAfter256,
    testing::Values(AppendCase{"Adjacent", 0x100, 0x10, {{0, 0x10F}}},
                    AppendCase{"Overlapping", 0x80, 0x100, {{0, 0x17F}}},
                    AppendCase{"InTheNextBlockButOne", 0x17F, 1, {{0, 0x17F}}},
                    AppendCase{"OneWholeBlockApart", 0x180, 4, {{0, 0xFF}, {0x180, 0x183}}},
                    AppendCase{"FarApart", 0x2000, 0x100, {{0, 0xFF}, {0x2000, 0x20FF}}},
                    AppendCase{"SerialNumberAtTheTop", 0xFFFC, 4, {{0, 0xFF}, {0xFFFC, 0xFFFF}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Segments, MergeOverwritesAndFillsTheGapWithErasedBytes) {
    Segments segments;
    SetData(segments, Filled(0x100, 0x11));
    ASSERT_EQ(AppendData(segments, Filled(2, 0x22), 0x150), CallStatus::Ok);
    ASSERT_EQ(AppendData(segments, Filled(2, 0x33), 0xFF), CallStatus::Ok);
    const Bytes& data = segments.at(0).Data;
    ASSERT_EQ(data.size(), 0x152u);
    EXPECT_EQ(data[0xFE], 0x11);
    EXPECT_EQ(data[0xFF], 0x33);
    EXPECT_EQ(data[0x100], 0x33);
    EXPECT_EQ(data[0x101], 0xFF);
    EXPECT_EQ(data[0x14F], 0xFF);
    EXPECT_EQ(data[0x150], 0x22);
}

TEST(Segments, AppendBelowTheLastSegmentExtendsItDownwards) {
    Segments segments;
    SetData(segments, Filled(0x10, 0x11));
    ASSERT_EQ(AppendData(segments, Filled(0x10, 0x22), 0x2000), CallStatus::Ok);
    ASSERT_EQ(AppendData(segments, Filled(4, 0x33), 0x1F00), CallStatus::Ok);
    ASSERT_EQ(Spans(segments), (std::vector<Span>{{0, 0xF}, {0x1F00, 0x200F}}));
    const Bytes& data = segments[1].Data;
    EXPECT_EQ(data[0], 0x33);
    EXPECT_EQ(data[4], 0xFF);
    EXPECT_EQ(data[0x100], 0x22);
}

// Data appended below the last segment can reach into the blocks of an earlier one; the
// block walk must then still send each block once, with every byte the host supplied.
TEST(Segments, AppendReachingIntoAnEarlierSegmentKeepsItsBytes) {
    Segments segments;
    SetData(segments, Filled(0x100, 0x11));
    ASSERT_EQ(AppendData(segments, Filled(0x10, 0x22), 0x2000), CallStatus::Ok);
    ASSERT_EQ(AppendData(segments, Filled(0x10, 0x33), 0x50), CallStatus::Ok);

    Bytes image(0x2010, 0xFF);
    std::fill(image.begin(), image.begin() + 0x100, 0x11);
    std::fill(image.begin() + 0x50, image.begin() + 0x60, 0x33);
    std::fill(image.begin() + 0x2000, image.end(), 0x22);

    Bytes written(0x2010, 0xFF);
    std::vector<int64_t> blocks;
    for (auto at = FirstBlock(segments); at; at = NextBlock(segments, *at)) {
        blocks.push_back(at->block);
        const Bytes bytes = BlockBytes(segments, *at);
        const int64_t base = at->block * kBlockSize;
        for (int64_t i = 0; i < kBlockSize && base + i < 0x2010; ++i)
            written[static_cast<size_t>(base + i)] = bytes[static_cast<size_t>(i)];
    }
    EXPECT_EQ(written, image);
    EXPECT_TRUE(std::adjacent_find(blocks.begin(), blocks.end(), std::greater_equal<>()) ==
                blocks.end())
        << "blocks must be walked once each, in ascending order";
}

TEST(Segments, RefusesWhatCannotBeStored) {
    Segments segments;
    SetData(segments, Filled(0x10, 0x11));
    EXPECT_EQ(AppendData(segments, {}, 0x100), CallStatus::EmptyData);
    EXPECT_EQ(AppendData(segments, Filled(1, 0), -1), CallStatus::BadAddress);
    EXPECT_EQ(AppendData(segments, Filled(2, 0), kMaxAddress), CallStatus::BadAddress);
    // Far above: a new segment. Far below it, a downward merge would span 3 GB.
    ASSERT_EQ(AppendData(segments, Filled(1, 0), 0xC0000000LL), CallStatus::Ok);
    EXPECT_EQ(AppendData(segments, Filled(1, 0), 0x100), CallStatus::BadAddress);
    EXPECT_EQ(Spans(segments), (std::vector<Span>{{0, 0xF}, {0xC0000000LL, 0xC0000000LL}}));
}

TEST(Segments, AppendWithoutSetDataStartsTheFirstSegment) {
    Segments segments;
    ASSERT_EQ(AppendData(segments, Filled(3, 1), 0x400), CallStatus::Ok);
    EXPECT_EQ(Spans(segments), (std::vector<Span>{{0x400, 0x402}}));
    SetData(segments, {});
    ASSERT_EQ(AppendData(segments, Filled(3, 1), 0x40), CallStatus::Ok);
    EXPECT_EQ(Spans(segments), (std::vector<Span>{{0x40, 0x42}}));
}

std::vector<BlockCursor> Walk(const Segments& segments) {
    std::vector<BlockCursor> walk;
    for (auto at = FirstBlock(segments); at; at = NextBlock(segments, *at)) walk.push_back(*at);
    return walk;
}

TEST(Blocks, WalkVisitsEverySegmentInOrder) {
    Segments segments;
    SetData(segments, Filled(300, 1));
    ASSERT_EQ(AppendData(segments, Filled(4, 2), 0xFFFC), CallStatus::Ok);
    const std::vector<BlockCursor> expected{{0, 0}, {0, 1}, {0, 2}, {1, 0x1FF}};
    EXPECT_EQ(Walk(segments), expected);
    EXPECT_EQ(TotalBlocks(segments), 4);
    EXPECT_EQ(PreviousBlock(segments, {1, 0x1FF}), (BlockCursor{0, 2}));
    EXPECT_EQ(PreviousBlock(segments, {0, 1}), (BlockCursor{0, 0}));
    EXPECT_EQ(PreviousBlock(segments, {0, 0}), (BlockCursor{0, 0}));
}

TEST(Blocks, NoDataMeansNoBlocks) {
    Segments segments;
    EXPECT_FALSE(FirstBlock(segments));
    SetData(segments, {});
    EXPECT_FALSE(FirstBlock(segments));
    EXPECT_EQ(TotalBlocks(segments), 0);
}

TEST(Blocks, UncoveredPositionsAreErased) {
    Segments segments;
    SetData(segments, Filled(130, 0x55));
    ASSERT_EQ(AppendData(segments, Bytes{1, 2, 3, 4}, 0xFFFC), CallStatus::Ok);

    const Bytes partial = BlockBytes(segments, {0, 1});
    EXPECT_EQ(partial[0], 0x55);
    EXPECT_EQ(partial[1], 0x55);
    EXPECT_EQ(std::count(partial.begin(), partial.end(), 0xFF), 126);

    const Bytes top = BlockBytes(segments, {1, 0x1FF});
    ASSERT_EQ(top.size(), 128u);
    EXPECT_EQ(std::count(top.begin(), top.begin() + 124, 0xFF), 124);
    EXPECT_EQ(Bytes(top.begin() + 124, top.end()), (Bytes{1, 2, 3, 4}));
}

TEST(Blocks, SegmentAcrossABlockBoundaryCountsBothBlocks) {
    Segments segments;
    ASSERT_EQ(AppendData(segments, Filled(4, 9), 0x7E), CallStatus::Ok);
    EXPECT_EQ(TotalBlocks(segments), 2);
    EXPECT_EQ(ProgressPercent(segments, {0, 0}), 50);
    EXPECT_EQ(ProgressPercent(segments, {0, 1}), 100);
}

TEST(Progress, RoundsHalvesToEven) {
    Segments segments;
    SetData(segments, Filled(8 * 128, 0));
    std::vector<int> percents;
    for (int64_t block = 0; block < 8; ++block) {
        percents.push_back(ProgressPercent(segments, {0, block}));
    }
    // 12.5 -> 12, 37.5 -> 38, 62.5 -> 62, 87.5 -> 88
    EXPECT_EQ(percents, (std::vector<int>{12, 25, 38, 50, 62, 75, 88, 100}));
}

TEST(Progress, CountsEarlierSegments) {
    Segments segments;
    SetData(segments, Filled(300, 0));
    ASSERT_EQ(AppendData(segments, Filled(4, 0), 0xFFFC), CallStatus::Ok);
    EXPECT_EQ(ProgressPercent(segments, {0, 0}), 25);
    EXPECT_EQ(ProgressPercent(segments, {0, 2}), 75);
    EXPECT_EQ(ProgressPercent(segments, {1, 0x1FF}), 100);
}

}  // namespace
}  // namespace zel::segments
