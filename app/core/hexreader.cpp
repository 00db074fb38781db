#include "core/hexreader.h"

#include "core/codefile.h"

#include <QFile>
#include <array>
#include <cstring>
#include <string>

namespace korvan {
namespace {

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

void Store(CodeImage& image, unsigned address, unsigned count, const uint8_t* data) {
    CodeBuffer& bytes = image.Bytes;
    const size_t end = size_t{address} + count;
    if (end > bytes.size()) bytes.resize(end);
    uint8_t* out = bytes.data() + address;
    for (unsigned i = 0; i < count; ++i) {
        out[i] = data[i];
        image.Sum += data[i];
    }
}

void ReadRecord(const char* s, size_t len, CodeImage& image) {
    if (len == 0) return;
    WellFormed record;
    if (DecodeWellFormed(s, len, record)) {
        if (!record.checksumOk) ++image.BadRecords;
        const unsigned type = record.bytes[3];
        if (!IsStartAddress(type))
            Store(image, record.bytes[1] * 256u + record.bytes[2], record.bytes[0],
                  record.bytes + 4);
        return;
    }
    if (HasText(s, len)) ++image.BadRecords;
    const unsigned count = Field(s, len, 1, 2);
    const unsigned address = Field(s, len, 3, 4);
    if (IsStartAddress(Field(s, len, 7, 2))) return;
    uint8_t data[255];
    for (unsigned i = 0; i < count; ++i)
        data[i] = static_cast<uint8_t>(Field(s, len, 9 + 2 * size_t{i}, 2));
    Store(image, address, count, data);
}

}  // namespace

CodeImage ReadIntelHex(QByteArrayView text) {
    CodeImage image;
    std::string scratch;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r') ++lineEnd;
        const auto len = static_cast<size_t>(lineEnd - p);
        if (std::memchr(p, ' ', len) == nullptr) {
            ReadRecord(p, len, image);
        } else {
            scratch.clear();
            for (const char* c = p; c < lineEnd; ++c) {
                if (*c != ' ') scratch.push_back(*c);
            }
            ReadRecord(scratch.data(), scratch.size(), image);
        }
        p = lineEnd + 1;
    }
    return image;
}

std::optional<CodeImage> ReadIntelHexFile(const QString& path, LoadError* error) {
    auto fail = [error](LoadError why) -> std::optional<CodeImage> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (!FileUsable(path)) return fail(LoadError::NotUsable);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(LoadError::Unreadable);
    if (error) *error = LoadError::None;
    // A HEX file may be large (the same addresses written many times) while its image is at
    // most 64 KiB; mapping it keeps the whole text out of the heap.
    if (uchar* mapped = file.map(0, file.size())) {
        CodeImage image =
            ReadIntelHex(QByteArrayView(reinterpret_cast<const char*>(mapped), file.size()));
        file.unmap(mapped);
        return image;
    }
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError) return fail(LoadError::Unreadable);
    return ReadIntelHex(text);
}

}  // namespace korvan
