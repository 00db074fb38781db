#include "datasegments.h"

#include "halfeven.h"

#include <algorithm>

namespace zel::segments {

namespace {

bool HasBlocks(const DataSegment& segment) {
    return !segment.Data.empty();
}
int64_t FirstBlockOf(const DataSegment& segment) {
    return segment.StartAddr / kBlockSize;
}
int64_t LastBlockOf(const DataSegment& segment) {
    return segment.EndAddr / kBlockSize;
}
int64_t BlocksOf(const DataSegment& segment) {
    return HasBlocks(segment) ? LastBlockOf(segment) - FirstBlockOf(segment) + 1 : 0;
}

DataSegment MakeSegment(int64_t start, Bytes data) {
    DataSegment segment;
    segment.StartAddr = start;
    segment.EndAddr = start + static_cast<int64_t>(data.size()) - 1;
    segment.Data = std::move(data);
    return segment;
}

// The first segment with data at or after `from`.
std::optional<size_t> SegmentWithData(const Segments& segments, size_t from) {
    for (size_t i = from; i < segments.size(); ++i) {
        if (HasBlocks(segments[i])) return i;
    }
    return std::nullopt;
}

// Merges `dat` into the last segment. When that reaches down into the blocks of earlier
// segments, they join the merge too (their bytes first), so that no block is written twice and
// the second time with erased bytes over data the host supplied.
CallStatus MergeIntoLast(Segments& segments, const Bytes& dat, int64_t add) {
    const DataSegment& last = segments.back();
    const int64_t size = static_cast<int64_t>(dat.size());
    int64_t start = std::min(last.StartAddr, add);
    const int64_t end = std::max(last.EndAddr, add + size - 1);
    size_t first = segments.size() - 1;
    while (first > 0 && (!HasBlocks(segments[first - 1]) ||
                         LastBlockOf(segments[first - 1]) >= start / kBlockSize)) {
        --first;
        if (HasBlocks(segments[first])) start = std::min(start, segments[first].StartAddr);
    }
    if (end - start + 1 > kMaxSegmentSpan) return CallStatus::BadAddress;

    Bytes merged(static_cast<size_t>(end - start + 1), 0xFF);
    for (size_t i = first; i < segments.size(); ++i) {
        const DataSegment& s = segments[i];
        std::copy(s.Data.begin(), s.Data.end(), merged.begin() + (s.StartAddr - start));
    }
    std::copy(dat.begin(), dat.end(), merged.begin() + (add - start));
    segments.erase(segments.begin() + static_cast<std::ptrdiff_t>(first), segments.end());
    segments.push_back(MakeSegment(start, std::move(merged)));
    return CallStatus::Ok;
}

}  // namespace

void SetData(Segments& segments, const Bytes& dat) {
    segments.clear();
    segments.push_back(MakeSegment(0, dat));
}

CallStatus AppendData(Segments& segments, const Bytes& dat, int64_t add) {
    if (dat.empty()) return CallStatus::EmptyData;
    const int64_t size = static_cast<int64_t>(dat.size());
    if (add < 0 || size > kMaxSegmentSpan || add > kMaxAddress - (size - 1)) {
        return CallStatus::BadAddress;
    }
    // An empty last segment has nothing to merge with: the new bytes take its place.
    if (!segments.empty() && !HasBlocks(segments.back())) segments.pop_back();
    if (segments.empty() || add / kBlockSize > LastBlockOf(segments.back()) + 1) {
        segments.push_back(MakeSegment(add, dat));
        return CallStatus::Ok;
    }
    return MergeIntoLast(segments, dat, add);
}

int64_t TotalBlocks(const Segments& segments) {
    int64_t total = 0;
    for (const DataSegment& segment : segments) total += BlocksOf(segment);
    return total;
}

std::optional<BlockCursor> FirstBlock(const Segments& segments) {
    const auto index = SegmentWithData(segments, 0);
    if (!index) return std::nullopt;
    return BlockCursor{*index, FirstBlockOf(segments[*index])};
}

std::optional<BlockCursor> NextBlock(const Segments& segments, const BlockCursor& at) {
    if (at.segment >= segments.size()) return std::nullopt;
    const DataSegment& current = segments[at.segment];
    if (HasBlocks(current) && at.block < LastBlockOf(current)) {
        return BlockCursor{at.segment, at.block + 1};
    }
    const auto next = SegmentWithData(segments, at.segment + 1);
    if (!next) return std::nullopt;
    return BlockCursor{*next, FirstBlockOf(segments[*next])};
}

BlockCursor PreviousBlock(const Segments& segments, const BlockCursor& at) {
    if (at.segment >= segments.size()) return at;
    if (at.block > FirstBlockOf(segments[at.segment])) return BlockCursor{at.segment, at.block - 1};
    for (size_t i = at.segment; i-- > 0;) {
        if (HasBlocks(segments[i])) return BlockCursor{i, LastBlockOf(segments[i])};
    }
    return at;
}

Bytes BlockBytes(const Segments& segments, const BlockCursor& at) {
    Bytes block(kBlockSize, 0xFF);
    if (at.segment >= segments.size()) return block;
    const DataSegment& segment = segments[at.segment];
    const int64_t size = static_cast<int64_t>(segment.Data.size());
    for (int64_t i = 0; i < kBlockSize; ++i) {
        const int64_t index = at.block * kBlockSize + i - segment.StartAddr;
        if (index >= 0 && index < size) block[static_cast<size_t>(i)] = segment.Data[index];
    }
    return block;
}

int ProgressPercent(const Segments& segments, const BlockCursor& at) {
    const int64_t total = TotalBlocks(segments);
    if (total == 0 || at.segment >= segments.size()) return 0;
    int64_t position = at.block - FirstBlockOf(segments[at.segment]) + 1;
    for (size_t i = 0; i < at.segment; ++i) position += BlocksOf(segments[i]);
    position = std::clamp<int64_t>(position, 0, total);
    return static_cast<int>(RoundHalfEven(position * 100, total));
}

}  // namespace zel::segments
