// Shared helpers of the ZEL core tests: status payloads as a chip sends them, a packet oracle
// computed byte by byte (independent of the text helpers under test) and temporary databases.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "modfun.h"
#include "zeldb.h"

namespace zel::test {

using Bytes = std::vector<uint8_t>;

// A status reply payload of `size` bytes (at least 22, or exactly 21): reply code 0x50, eight
// clock counts of `count`, version 6.2 "C", the model ID at 19-20 (21 bytes) or 20-21, and
// recognisable option bytes at 19 (when free), 23, 24, 25, 27 and 29.
inline Bytes statusPayload(uint8_t seriesByte, uint8_t modelLow, size_t size = 40,
                           uint16_t count = 0x1234) {
    Bytes s(size, 0x00);
    s[0] = 0x50;
    for (size_t k = 1; k <= 8; ++k) {
        s[2 * k - 1] = static_cast<uint8_t>(count >> 8);
        s[2 * k] = static_cast<uint8_t>(count & 0xFF);
    }
    s[17] = 0x62;
    s[18] = 'C';
    const size_t idAt = size == 21 ? 19 : 20;
    s[idAt] = seriesByte;
    s[idAt + 1] = modelLow;
    if (idAt == 20) s[19] = 0x3C;
    const std::pair<size_t, uint8_t> options[] = {
        {23, 0xA3}, {24, 0xB4}, {25, 0xC5}, {27, 0xD6}, {29, 0xE7}};
    for (auto [index, value] : options)
        if (index < size) s[index] = value;
    for (size_t i = 30; i < size; ++i) s[i] = static_cast<uint8_t>(0x10 + i);
    return s;
}

inline QString text(const Bytes& bytes) {
    return JoinHex(bytes, 0, 0);
}

inline Bytes bytes(const QString& hexText) {
    Bytes out;
    ParseHex(hexText, out);
    return out;
}

// The wire bytes of a host packet carrying `payload`, with a `width`-byte checksum.
inline Bytes frame(const Bytes& payload, int width) {
    Bytes out{0x46, 0xB9, 0x6A, 0x00, static_cast<uint8_t>(payload.size() + 4 + width)};
    // Appended byte by byte: GCC 12 at -O2 misreads a range insert into this small vector
    // as an out-of-bounds copy.
    for (uint8_t b : payload) out.push_back(b);
    uint64_t sum = 0;
    for (size_t i = 2; i < out.size(); ++i) sum += out[i];
    for (int k = width - 1; k >= 0; --k) out.push_back(static_cast<uint8_t>(sum >> (8 * k)));
    out.push_back(0x16);
    return out;
}

// The chip's reply packet for a payload: header, 68 00 L, payload, checksum byte(s), 16.
inline Bytes chipReply(const Bytes& payload, int width = 1) {
    Bytes out{0x46, 0xB9, 0x68, 0x00, static_cast<uint8_t>(payload.size() + 4 + width)};
    for (uint8_t b : payload) out.push_back(b);
    for (int k = 0; k < width; ++k) out.push_back(static_cast<uint8_t>(0xC0 + k));
    out.push_back(0x16);
    return out;
}

// A database file in a temporary folder, removed with the object.

// The rows the command tests need: series list, a few models of every series and the
// option-write templates as the product database ships them.
inline QByteArray sampleDbText() {
    return QByteArrayLiteral(
        "; test database\n"
        "[ZEL]\nversion=101\n"
        "[TYPE]\ntype=0,1,2,4,5,6,7,8\n"
        "0=A:0\n1=B:1\n2=C:1\n4=D:1\n5=E:1\n6=F:1\n7=G:1\n8=H:1\n"
        "[ID]\n"
        "D103=8ZELH64AD00500\nD203=1ZELB64AD00500\nD303=2ZELC64AD00400\n"
        "E003=4ZELD64AD00200\nE103=5ZELE64AD00400\nE203=2ZELC64AD-200400\n"
        "E603=7ZELG64AD00400\nF003=0ZELA64AD00100\nF103=0ZELA64AD-200100\n"
        "F203=6ZELF64AD00100\nF303=6ZELF64AD-200100\nFF03=0ZELA64AD-300100\n"
        "F010=0ZELA16F0100\nD1F0=3ZELX99F0504\n"
        "[FORMAT]\n"
        "D1=%23,%24,%25,FF,FF,FF,FF,FF,%27,FF,FF,FF,FF,FF,FF,FF,%H\n"
        "D2=%23,%24,%25,FF,FF,FF,FF,FF,%27,FF,FF,FF,FF,FF,FF,FF,%H\n"
        "D3=%23,%24,%25,FF,FF,FF,FF,FF,%27,FF,FF,FF,FF,FF,FF,FF,%H\n"
        "E2=%23,%24,%25,FF,FF,FF,FF,FF,%27,FF,FF,FF,FF,FF,FF,FF,%H\n"
        "E0=%23,%24,%25,FF,FF,%H,%29,FF,%23,%24,FF,FF,FF,FF,%25,FF,FF,FF,FF,FF,FF,FF,%H,FF,FF,FF\n"
        "E1=%23,%24,%25,FF,FF,%H,%29,FF,%23,%24,FF,FF,FF,FF,%25,FF,FF,FF,FF,FF,FF,FF,%H,FF,FF,FF\n"
        "E6=%23,%24,%25,FF,FF,%H,%29,FF,%23,%24,FF,FF,FF,FF,%25,FF,FF,FF,FF,FF,FF,FF,%H,FF,FF,FF\n"
        "F0=%19,FF,F6,FF\n"
        "F1=%19,FF,F6,FF\n"
        "F2=%23,%24,%25,FF,FF,%H,FF,FF,%23,%24,FF,FF,FF,FF,%25,FF,FF,FF,FF,FF,FF,FF,%H,FF,FF,FF\n"
        "F3=%23,%24,%25,FF,FF,%H,FF,FF,%23,%24,FF,FF,FF,FF,%25,FF,FF,FF,FF,FF,FF,FF,%H,FF,FF,FF\n"
        "F010=%99,%19,%x\n");
}

// The sample rows as a loaded database.
inline DbSnapshot SampleDb() {
    return std::make_shared<const DbText>(
        DbText::fromBytes(sampleDbText(), ktext::ProfileEncoding::Gbk));
}

}  // namespace zel::test
