#include "core/hexreader.h"

#include "core/codefile.h"

#include <QFile>
#include <array>
#include <cstring>
#include <string>
#include <utility>

namespace korvan {
namespace {

constexpr qint64 kReadChunk = 1024 * 1024;

constexpr std::array<int8_t, 256> MakeHexTable() {
    std::array<int8_t, 256> table{};
    for (auto& v : table) v = -1;
    for (int c = '0'; c <= '9'; ++c) table[static_cast<size_t>(c)] = static_cast<int8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) {
        table[static_cast<size_t>(c)] = static_cast<int8_t>(c - 'A' + 10);
        table[static_cast<size_t>(c - 'A' + 'a')] = static_cast<int8_t>(c - 'A' + 10);
    }
    return table;
}
constexpr std::array<int8_t, 256> kHex = MakeHexTable();

int HexDigit(char c) {
    return kHex[static_cast<uint8_t>(c)];
}

// Up to `width` hexadecimal digits from `pos`, stopping at the first other character or the
// end of the line; no digit gives 0.
unsigned Field(const char* s, size_t len, size_t pos, size_t width) {
    unsigned value = 0;
    for (size_t i = pos; i < pos + width && i < len; ++i) {
        const int digit = HexDigit(s[i]);
        if (digit < 0) break;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value;
}

// A line that is a colon and nothing but hexadecimal pairs, of the length its count gives:
// its bytes are decoded in one pass. Such a record is read the same by the forgiving rules
// below; this is only the quick way for the common case.
struct WellFormed {
    uint8_t bytes[1 + 2 + 1 + 255 + 1];
    bool checksumOk;
};

bool DecodeWellFormed(const char* s, size_t len, WellFormed& out) {
    if (len < 11 || s[0] != ':' || (len - 1) % 2 != 0) return false;
    const size_t pairs = (len - 1) / 2;
    if (pairs > sizeof(out.bytes)) return false;
    unsigned sum = 0;
    for (size_t i = 0; i < pairs; ++i) {
        const int high = HexDigit(s[1 + 2 * i]), low = HexDigit(s[2 + 2 * i]);
        if ((high | low) < 0) return false;
        out.bytes[i] = static_cast<uint8_t>(high * 16 + low);
        sum += out.bytes[i];
    }
    out.checksumOk = (sum & 0xFF) == 0;
    return pairs == 5 + size_t{out.bytes[0]};
}

// A line of control characters only (a trailing end-of-file mark, tabs) is not a record.
bool HasText(const char* s, size_t len) {
    for (size_t i = 0; i < len; ++i) {
        if (static_cast<uint8_t>(s[i]) > ' ') return true;
    }
    return false;
}

bool IsStartAddress(unsigned type) {
    return type == 0x03 || type == 0x05;
}

constexpr unsigned kSegmentAddress = 0x02, kLinearAddress = 0x04;

bool IsExtendedAddress(unsigned type) {
    return type == kSegmentAddress || type == kLinearAddress;
}

// The base an extended address record sets: a paragraph number (type 02) or the upper 16 bits
// of the address (type 04).
uint32_t BaseOf(unsigned type, unsigned value) {
    return type == kSegmentAddress ? uint32_t{value} << 4 : uint32_t{value} << 16;
}

struct ReadState {
    CodeImage& image;
    uint32_t& base;
    qsizetype& lines;
    bool& afterCR;
};

constexpr unsigned kEndOfFile = 0x01;

void MarkBad(ReadState& state) {
    CodeImage& image = state.image;
    if (image.BadRecords++ == 0) image.FirstBadLine = state.lines + 1;
}

// Counts the line break that ended a line; the "\n" of a "\r\n" ends an empty line between
// the two and is not counted again.
void EndLine(ReadState& state, char terminator, bool emptyLine) {
    const bool secondHalf = terminator == '\n' && emptyLine && state.afterCR;
    if (!secondHalf) ++state.lines;
    state.afterCR = terminator == '\r';
}

void Store(CodeImage& image, uint64_t address, unsigned count, const uint8_t* data) {
    const uint64_t end = address + count;
    if (end > static_cast<uint64_t>(kMaxCodeFileSize)) {
        if (count > 0) image.BeyondLimit = true;
        return;
    }
    CodeBuffer& bytes = image.Bytes;
    if (end > bytes.size()) bytes.resize(static_cast<size_t>(end));
    uint8_t* out = bytes.data() + address;
    for (unsigned i = 0; i < count; ++i) {
        out[i] = data[i];
        image.Sum += data[i];
    }
}

void ReadRecord(const char* s, size_t len, ReadState& state) {
    if (len == 0) return;
    CodeImage& image = state.image;
    WellFormed record;
    if (DecodeWellFormed(s, len, record)) {
        ++image.GoodRecords;
        if (!record.checksumOk) MarkBad(state);
        const unsigned type = record.bytes[3];
        if (type == kEndOfFile) image.EndRecordSeen = true;
        if (IsExtendedAddress(type)) {
            if (record.bytes[0] == 2) {
                state.base = BaseOf(type, record.bytes[4] * 256u + record.bytes[5]);
            } else if (record.checksumOk) {
                MarkBad(state);  // an address record must hold exactly two bytes
            }
            return;
        }
        if (!IsStartAddress(type))
            Store(image, uint64_t{state.base} + record.bytes[1] * 256u + record.bytes[2],
                  record.bytes[0], record.bytes + 4);
        return;
    }
    if (HasText(s, len)) MarkBad(state);
    const unsigned count = Field(s, len, 1, 2);
    const unsigned address = Field(s, len, 3, 4);
    const unsigned type = Field(s, len, 7, 2);
    if (type == kEndOfFile && len > 0 && s[0] == ':') image.EndRecordSeen = true;
    if (IsStartAddress(type)) return;
    if (IsExtendedAddress(type)) {
        state.base = BaseOf(type, Field(s, len, 9, 4));
        return;
    }
    uint8_t data[255];
    for (unsigned i = 0; i < count; ++i)
        data[i] = static_cast<uint8_t>(Field(s, len, 9 + 2 * size_t{i}, 2));
    Store(image, uint64_t{state.base} + address, count, data);
}

// Reads every complete line of [p, end) (the last one may lack its terminator).
void ReadLines(const char* p, const char* end, ReadState& state, std::string& scratch) {
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r') ++lineEnd;
        const auto len = static_cast<size_t>(lineEnd - p);
        if (std::memchr(p, ' ', len) == nullptr) {
            ReadRecord(p, len, state);
        } else {
            scratch.clear();
            for (const char* c = p; c < lineEnd; ++c) {
                if (*c != ' ') scratch.push_back(*c);
            }
            ReadRecord(scratch.data(), scratch.size(), state);
        }
        if (lineEnd < end) EndLine(state, *lineEnd, len == 0);
        p = lineEnd + 1;
    }
}

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

}  // namespace

void IntelHexReader::feed(QByteArrayView chunk) {
    const char* p = chunk.data();
    const char* const end = p + chunk.size();
    if (!pending_.empty()) {
        // Complete the line that the previous chunk ended in.
        const char* lineEnd = p;
        while (lineEnd < end && !IsLineEnd(*lineEnd)) ++lineEnd;
        pending_.append(p, lineEnd);
        if (lineEnd == end) {
            boundPending();
            return;
        }
        ReadState state{image_, base_, lines_, afterCR_};
        ReadLines(pending_.data(), pending_.data() + pending_.size(), state, scratch_);
        EndLine(state, *lineEnd, pending_.empty());
        pending_.clear();
        p = lineEnd + 1;
    }
    const char* last = end;
    while (last > p && !IsLineEnd(last[-1])) --last;
    ReadState state{image_, base_, lines_, afterCR_};
    ReadLines(p, last, state, scratch_);
    pending_.assign(last, end);
    boundPending();
}

void IntelHexReader::boundPending() {
    if (pending_.size() <= kMaxLineLength) return;
    // Only the first few hundred characters of a line (without its blanks) are ever read; a
    // line this long is damaged in any case and stays so when cut.
    std::erase(pending_, ' ');
    if (pending_.size() > kMaxLineLength) pending_.resize(kMaxLineLength);
}

CodeImage IntelHexReader::finish() {
    ReadState state{image_, base_, lines_, afterCR_};
    ReadLines(pending_.data(), pending_.data() + pending_.size(), state, scratch_);
    pending_.clear();
    base_ = 0;
    lines_ = 0;
    afterCR_ = false;
    return std::move(image_);
}

CodeImage ReadIntelHex(QByteArrayView text) {
    IntelHexReader reader;
    reader.feed(text);
    return reader.finish();
}

std::optional<CodeImage> ReadIntelHexFile(const QString& path, LoadError* error) {
    auto fail = [error](LoadError why) -> std::optional<CodeImage> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (!FileUsable(path)) return fail(LoadError::NotUsable);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(LoadError::Unreadable);
    // Read in pieces, not mapped: a build tool may rewrite the file while it is read, and a
    // large file (the same addresses written many times) never has to fit in memory.
    IntelHexReader reader;
    QByteArray chunk(kReadChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(chunk.data(), chunk.size());
        if (n < 0) return fail(LoadError::Unreadable);
        if (n == 0) break;
        reader.feed(QByteArrayView(chunk.data(), n));
    }
    CodeImage image = reader.finish();
    if (image.GoodRecords == 0) return fail(LoadError::NoRecords);
    if (image.BeyondLimit) return fail(LoadError::TooLarge);
    if (error) *error = LoadError::None;
    return image;
}

}  // namespace korvan
