#include "core/textcodec.h"

#include <iconv.h>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace korvan {
namespace {

bool IsAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Input bytes to skip after a sequence iconv refused: one GBK byte (the next may start a
// character) or one whole UTF-8 character.
size_t SkipLength(bool fromUtf8, const char* p, size_t left) {
    if (!fromUtf8) return 1;
    size_t n = 1;
    while (n < left && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80) ++n;
    return n;
}

QByteArray Convert(const char* to, const char* from, bool fromUtf8, QByteArrayView input,
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
        if (out.size() - used < replacement.size()) out.resize(out.size() * 2 + replacement.size());
        std::memcpy(out.data() + used, replacement.data(), static_cast<size_t>(replacement.size()));
        used += replacement.size();
        const size_t skip = std::min(inLeft, SkipLength(fromUtf8, in, inLeft));
        in += skip;
        inLeft -= skip;
    }
    out.resize(used);
    iconv_close(cd);
    return out;
}

}  // namespace

QString DecodeUtf8OrGbk(QByteArrayView bytes) {
    if (IsAscii(bytes)) return QString::fromLatin1(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return DecodeGbk(bytes);
}

QString DecodeGbk(QByteArrayView bytes) {
    if (IsAscii(bytes)) return QString::fromLatin1(bytes);
    return QString::fromUtf8(Convert("UTF-8", "GBK", false, bytes, "\xEF\xBF\xBD"));
}

QByteArray EncodeGbk(QStringView text) {
    const QByteArray utf8 = text.toUtf8();
    if (IsAscii(utf8)) return utf8;
    return Convert("GBK", "UTF-8", true, utf8, "?");
}

}  // namespace korvan
