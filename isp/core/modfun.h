// modFun: conversions between numbers, bytes and hex text, and the bit-field helpers of the
// option code. Every packet of the ZEL engine is composed and inspected as hex text.
//
// Representation: hex text is a QString of two-digit upper-case items joined by "," (for
// example "46,B9,6A,00,06,82,F2,16"); byte arrays are zel::Bytes (std::vector<uint8_t>),
// zero-based. None of these helpers fails: malformed input yields a defined result.
#pragma once

#include <QString>
#include <concepts>
#include <cstdint>
#include <vector>

namespace zel {

struct ZelContext;

using Bytes = std::vector<uint8_t>;

// Which bound ArrayBound reports.
enum class BoundKind { Lower, Upper };

// The number taken modulo 256^width (negative numbers as two's complement), as `width` items
// of two upper-case digits, most significant first. width is clamped to 1..4.
// HexBytes(500, 2) == "01,F4", HexBytes(-1, 2) == "FF,FF", HexBytes(0x10000, 2) == "00,00".
QString HexBytes(int64_t value, int width);
// The text upper-cased, left-padded with "0" and cut to its rightmost 2*width characters,
// split into items: HexBytes("d103", 2) == "D1,03".
QString HexBytes(const QString& text, int width);

// Splits `text` at "," into `out` (one byte per item; "" is read as "0"). Each item is a
// hexadecimal number stored modulo 256; an empty or non-hex item repeats the previous byte
// (0 for the first), so "84,0E," gives 84 0E 0E. Returns the sum of the stored bytes.
int64_t ParseHex(const QString& text, Bytes& out);

// Bytes first..last (inclusive) as two-digit items joined by `separator`. last == 0 means the
// upper bound. Indices are clipped to the array; an empty range gives "".
QString JoinHex(const Bytes& bytes, int64_t first, int64_t last,
                const QString& separator = QStringLiteral(","));

// Appends `bytes` to `buffer` and returns the index where a new search must start: the upper
// bound the buffer had before (0 when it was empty). A buffer holding one 0x00 byte counts as
// empty, so the appended bytes overwrite it.
int64_t AppendBytes(Bytes& buffer, const Bytes& bytes);

// `count` bytes from `first` as a new array; count 0 (or beyond the end) copies through the
// upper bound. A start outside the array gives an empty array.
Bytes SliceBytes(const Bytes& bytes, int64_t first, int64_t count);

// The lower or upper bound of a one-dimensional array, or -1 when it holds nothing.
template <typename T>
int64_t ArrayBound(const std::vector<T>& array, BoundKind which = BoundKind::Upper) {
    if (array.empty()) return -1;
    return which == BoundKind::Lower ? 0 : static_cast<int64_t>(array.size()) - 1;
}

// The framed host-to-chip packet for a payload: 46,B9,6A,00,L,payload,checksum,16 with
// L = items + 4 + W and a W-byte checksum over the direction byte, the length bytes and the
// payload. W comes from the series byte (1 for the F0..F3, FF and E0 series, else 2). A
// payload ending in "," keeps its empty last item: it is sent as a repeat of the previous
// byte, and L and the checksum count it. Payloads are at most 249 items long.
QString MakePacket(const QString& payload, uint8_t seriesByte);
// W from the series of the context's chip.
QString MakePacket(const QString& payload, const ZelContext& context);

// Bit `bit` (0 = least significant) of value; false for bits outside 0..63.
bool GetBit(int64_t value, int bit);
// Bits hi..lo of value as a number (bit hi most significant); 0 when hi < lo.
int64_t GetBits(int64_t value, int hi, int lo);

// Sets (on) or clears bit `bit` of value; bits outside the type are left alone.
template <std::integral T>
void SetBit(T& value, int bit, bool on) {
    if (bit < 0 || bit >= static_cast<int>(sizeof(T) * 8)) return;
    const auto mask = static_cast<T>(static_cast<std::make_unsigned_t<T>>(1) << bit);
    value = on ? static_cast<T>(value | mask) : static_cast<T>(value & static_cast<T>(~mask));
}

// Writes bit (i - lo) of `field` into bit i of value, for i from hi down to lo.
template <std::integral T>
void SetBits(T& value, int hi, int lo, int64_t field) {
    const int top = hi < 63 ? hi : 63;
    const int bottom = lo > 0 ? lo : 0;
    for (int i = top; i >= bottom; --i) {
        const int64_t source = int64_t{i} - lo;
        SetBit(value, i, source < 64 && ((static_cast<uint64_t>(field) >> source) & 1U) != 0);
    }
}

}  // namespace zel
