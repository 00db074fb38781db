#include "core/gzipfile.h"

#include <zlib.h>
#include <QFile>

#include "atomicsave.h"
#include "regularfile.h"

namespace korvan {
namespace {

constexpr int kGzipWindowBits = 16 + MAX_WBITS;
constexpr qint64 kChunk = 64 * 1024;

std::optional<QByteArray> ReadAll(const QString& path, qint64 maxSize, ktext::FileError* error) {
    return ktext::ReadRegularFile(path, maxSize, error);
}

bool StartsGzipMember(const Bytef* p, uInt left) {
    return left >= 2 && p[0] == 0x1F && p[1] == 0x8B;
}

}  // namespace

std::optional<QByteArray> GzipCompress(QByteArrayView data, int level) {
    z_stream zs{};
    if (deflateInit2(&zs, level, Z_DEFLATED, kGzipWindowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return std::nullopt;
    QByteArray out(static_cast<qsizetype>(deflateBound(&zs, static_cast<uLong>(data.size()))),
                   Qt::Uninitialized);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = static_cast<uInt>(data.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&zs, Z_FINISH);
    out.resize(static_cast<qsizetype>(zs.total_out));
    deflateEnd(&zs);
    if (rc != Z_STREAM_END) return std::nullopt;
    return out;
}

std::optional<QByteArray> GzipDecompress(QByteArrayView data, qint64 maxSize) {
    if (data.isEmpty()) return std::nullopt;
    z_stream zs{};
    if (inflateInit2(&zs, kGzipWindowBits) != Z_OK) return std::nullopt;
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = static_cast<uInt>(data.size());
    QByteArray out;
    bool complete = false;
    for (;;) {
        const qsizetype used = out.size();
        out.resize(used + kChunk);
        zs.next_out = reinterpret_cast<Bytef*>(out.data() + used);
        zs.avail_out = static_cast<uInt>(kChunk);
        const int rc = inflate(&zs, Z_NO_FLUSH);
        out.resize(used + kChunk - zs.avail_out);
        if (out.size() > maxSize) break;
        if (rc == Z_STREAM_END) {
            // Concatenated members are one gzip file; anything else after a member is not.
            if (zs.avail_in == 0) {
                complete = true;
                break;
            }
            if (!StartsGzipMember(zs.next_in, zs.avail_in) || inflateReset(&zs) != Z_OK) break;
            continue;
        }
        if (rc != Z_OK) break;  // damaged data, or cut short (no input left to go on)
    }
    inflateEnd(&zs);
    if (!complete) return std::nullopt;
    return out;
}

int CompFile(const QString& output, const QString& input, int level, int /*reserved*/,
             ktext::FileError* error) {
    // The input is a plain task image written a moment ago; the cap only guards against a
    // wrong file name.
    const auto plain = ReadAll(input, qint64{1} << 30, error);
    if (!plain) return 1;
    const auto packed = GzipCompress(*plain, level);
    if (!packed) return 2;
    return ktext::SaveFileAtomically(output, *packed, error) ? 0 : 3;
}

int DecompFile(const QString& output, const QString& input, int /*reserved*/, qint64 maxSize,
               ktext::FileError* error) {
    // gzip never grows incompressible data by more than a small fraction.
    const auto packed = ReadAll(input, maxSize + maxSize / 8 + 1024, error);
    if (!packed) return 1;
    const auto plain = GzipDecompress(*packed, maxSize);
    if (!plain) return 2;
    // A scratch file read back at once, but a full scratch folder must not pass for a task
    // cut short, so every write is checked all the same.
    if (ktext::SaveFileAtomically(output, *plain, error)) return 0;
    QFile::remove(output);
    return 3;
}

}  // namespace korvan
