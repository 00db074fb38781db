// Random status payloads through StartUp and every command builder: no crash, and every
// packet is framed correctly (header, length, checksum over what is actually sent, end byte).
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "modfun.h"
#include "zelcontext.h"
#include "zeldb.h"
#include "zelisp.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

// A packet as sent: 46 B9 6A 00 L ... checksum 16, L = wire length - 2.
void requireFramed(const QString& packet, int width) {
    zel::Bytes wire;
    zel::ParseHex(packet, wire);
    require(wire.size() >= static_cast<size_t>(6 + width));
    require(wire[0] == 0x46 && wire[1] == 0xB9 && wire[2] == 0x6A && wire[3] == 0x00);
    require(wire.back() == 0x16);
    require(wire[4] == static_cast<uint8_t>(wire.size() - 2));
    uint64_t sum = 0;
    for (size_t i = 2; i < wire.size() - 1 - static_cast<size_t>(width); ++i) sum += wire[i];
    for (int k = 0; k < width; ++k) {
        const size_t at = wire.size() - 1 - static_cast<size_t>(width) + static_cast<size_t>(k);
        require(wire[at] == static_cast<uint8_t>(sum >> (8 * (width - 1 - k))));
    }
}

// The built-in database, as the control reads it when no file can be installed.
zel::DbSnapshot g_db;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_db = zel::EmbeddedDb();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    zel::ZelContext context;
    context.Db = g_db;
    // The first bytes choose the host's rate limit and the end of the data; the rest is the
    // status payload.
    const int64_t limits[] = {0, 1200, 4800, 9600, 19200, 38400, 57600, 115200};
    context.Params.MaxBaud = limits[data[0] & 7];
    const int64_t end = (int64_t{data[1]} << 8 | data[2]) * 3 - 1;
    context.Segments.push_back({0, end, zel::Bytes(size_t(std::max<int64_t>(end + 1, 0)), 0)});

    zel::cZelIsp isp(context);
    const bool hexText = (data[3] & 1) != 0;
    const zel::Bytes payload(data + 4, data + size);
    // Either well-formed hex of the bytes, or the bytes as raw text (malformed items).
    isp.StartUp(hexText ? zel::JoinHex(payload, 0, static_cast<int64_t>(payload.size()) - 1)
                        : QString::fromLatin1(reinterpret_cast<const char*>(payload.data()),
                                              static_cast<qsizetype>(payload.size())));

    const int width = isp.checksumWidth();
    require(isp.REST() == QStringLiteral("7F"));
    requireFramed(isp.BAUDT(), width);
    requireFramed(isp.BAUDR(), width);
    requireFramed(isp.ISP(), width);
    int64_t flash = -1;
    requireFramed(isp.Erase_Flash(flash), width);
    require(flash >= 0);
    requireFramed(isp.GetOption(), width);
    requireFramed(isp.READOPTION(), width);
    requireFramed(isp.END1(), width);
    requireFramed(isp.END2(), width);
    for (int64_t rate : {115200, 9600, 1200}) {
        const QString params = isp.CalcBaud(rate);
        require(params.isEmpty() || params.size() == 11);
    }
    return 0;
}
