// The program data of a job: address-tagged segments, how data is added to them, and the walk
// over their 128-byte blocks that the write phase follows.
#pragma once

#include "enginetypes.h"
#include "zelcontext.h"

#include <optional>
#include <vector>

namespace zel::segments {

inline constexpr int64_t kBlockSize = 128;
// Block addresses go out as four bytes.
inline constexpr int64_t kMaxAddress = 0xFFFFFFFFLL;
// A ZEL chip holds at most 64 KB of flash; the cap only keeps a stray address (data appended
// far below the last segment, which extends it downwards) from allocating gigabytes.
inline constexpr int64_t kMaxSegmentSpan = 16LL * 1024 * 1024;

using Segments = std::vector<DataSegment>;

// Replaces all segments by one segment at address 0 holding `dat`.
void SetData(Segments& segments, const Bytes& dat);

// Adds `dat` at address `add`: a new segment when at least one whole unused block lies
// between the last segment and `add`, otherwise merged into the last segment (growing it
// upwards or downwards; earlier segments whose blocks it then reaches join it; bytes in between
// that nobody supplied are 0xFF, like erased flash).
CallStatus AppendData(Segments& segments, const Bytes& dat, int64_t add);

// A position in the block walk: which segment is being written and which block of it.
struct BlockCursor {
    size_t segment = 0;
    int64_t block = 0;
    bool operator==(const BlockCursor&) const = default;
};

// Number of blocks the segments occupy (a segment with no bytes occupies none).
int64_t TotalBlocks(const Segments& segments);

// The first block to write, or nothing when there is no data.
std::optional<BlockCursor> FirstBlock(const Segments& segments);

// The block after `at`, or nothing when `at` was the last one.
std::optional<BlockCursor> NextBlock(const Segments& segments, const BlockCursor& at);

// The block written before `at`; the first block stays where it is.
BlockCursor PreviousBlock(const Segments& segments, const BlockCursor& at);

// The 128 bytes of a block from its segment; positions the segment does not cover are 0xFF.
Bytes BlockBytes(const Segments& segments, const BlockCursor& at);

// Percentage of the blocks written once `at` is accepted, rounded half to even.
int ProgressPercent(const Segments& segments, const BlockCursor& at);

}  // namespace zel::segments
