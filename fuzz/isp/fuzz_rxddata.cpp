// Random port reads through the reply reassembly: no crash, a bounded buffer, and every
// completed reply is well-formed hex text that stays the same until Init.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "modfun.h"
#include "zelcontext.h"
#include "zelisp.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zel::ZelContext context;
    zel::cZelIsp isp(context);
    QString completed;
    size_t at = 0;
    while (at < size) {
        // Each read is announced by one byte: its length, or an Init when it is 0xFF.
        const uint8_t control = data[at++];
        if (control == 0xFF) {
            isp.Init();
            completed.clear();
            require(isp.heldBytes() == 0);
            continue;
        }
        // 0xFE: the read that follows arrives 64 times over, so that long noise is reachable.
        const int repeats = control == 0xFE ? 64 : 1;
        const size_t announced = control == 0xFE ? (at < size ? data[at++] : 0) : control;
        const size_t length = std::min<size_t>(announced, size - at);
        zel::Bytes read;
        for (int r = 0; r < repeats; ++r) read.insert(read.end(), data + at, data + at + length);
        at += length;
        const QString reply = isp.RxdData(read);
        require(isp.heldBytes() <= 2 * zel::cZelIsp::kNoiseKeep);
        if (!completed.isEmpty()) require(reply == completed);
        if (reply.isEmpty()) continue;
        completed = reply;
        zel::Bytes parsed;
        zel::ParseHex(reply, parsed);
        require(zel::JoinHex(parsed, 0, 0) == reply);
        require(parsed.size() <= 252);
    }
    return 0;
}
