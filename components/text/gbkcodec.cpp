#include "gbkcodec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ktext {
namespace {

enum class Source { Gbk, Utf8 };

// How many input bytes an unconvertible sequence at `p` spans: one byte of GBK (so the next
// byte can start a fresh character), or one whole UTF-8 character.
size_t BadSequenceLength(Source source, const char* p, size_t left) {
    if (source == Source::Gbk) return 1;
    size_t n = 1;
    while (n < left && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80) ++n;
    return n;
}

// Converts with iconv; every unconvertible sequence becomes `replacement` (already in the
// target encoding).
QByteArray Convert(const char* to, const char* from, Source source, QByteArrayView input,
                   QByteArrayView replacement) {
    QByteArray out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return out;

    out.resize(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = static_cast<size_t>(input.size());
    qsizetype used = 0;

    while (inLeft > 0) {
        char* dst = out.data() + used;
        size_t dstLeft = static_cast<size_t>(out.size() - used);
        const size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        const int error = errno;
        used = dst - out.data();
        if (rc != static_cast<size_t>(-1)) break;
        if (error == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ, or EINVAL for a sequence cut off at the end: replace it and go on.
        if (out.size() - used < replacement.size()) out.resize(out.size() * 2 + replacement.size());
        std::memcpy(out.data() + used, replacement.data(), static_cast<size_t>(replacement.size()));
        used += replacement.size();
        const size_t skip = std::min(inLeft, BadSequenceLength(source, in, inLeft));
        in += skip;
        inLeft -= skip;
    }
    out.resize(used);
    iconv_close(cd);
    return out;
}

bool IsAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

QString DecodeGbk(QByteArrayView bytes) {
    if (IsAscii(bytes)) return QString::fromLatin1(bytes);
    return QString::fromUtf8(Convert("UTF-8", "GBK", Source::Gbk, bytes, "\xEF\xBF\xBD"));
}

QByteArray EncodeGbk(QStringView text) {
    const QByteArray utf8 = text.toUtf8();
    if (IsAscii(utf8)) return utf8;
    return Convert("GBK", "UTF-8", Source::Utf8, utf8, "?");
}

int GbkWidth(QStringView text) {
    return static_cast<int>(EncodeGbk(text).size());
}

}  // namespace ktext
