#include "zelsim/faultplan.h"

#include <charconv>

namespace zelsim {
namespace {

bool number(const std::string& text, uint64_t& value) {
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// "A" or "A:B" as two numbers; B keeps its default when absent.
bool numberPair(const std::string& text, uint64_t& a, uint64_t& b) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) return number(text, a);
    return number(text.substr(0, colon), a) && number(text.substr(colon + 1), b);
}

}  // namespace

bool FaultPlan::empty() const {
    return dropReplyTo.empty() && nakBlock.empty() && !noise && !muteSync && !unknownId &&
           !otherSeries && !hangupAtBlock && corruptReply.empty() && !maxLineRate;
}

bool addFault(FaultPlan& plan, const std::string& text, std::string* error) {
    const auto eq = text.find('=');
    const std::string name = text.substr(0, eq);
    const std::string arg = eq == std::string::npos ? std::string() : text.substr(eq + 1);
    const bool hasArg = eq != std::string::npos;
    uint64_t a = 0, b = 1;
    bool ok = false;
    if (name == "noise" && !hasArg) {
        plan.noise = ok = true;
    } else if (name == "mute-sync" && !hasArg) {
        plan.muteSync = ok = true;
    } else if (name == "unknown-id" && !hasArg) {
        plan.unknownId = ok = true;
    } else if (name == "other-series" && !hasArg) {
        plan.otherSeries = ok = true;
    } else if (name == "drop" && number(arg, a) && a > 0) {
        plan.dropReplyTo.insert(a);
        ok = true;
    } else if (name == "nak" && numberPair(arg, a, b) && a <= UINT32_MAX && b > 0 && b <= 1000) {
        plan.nakBlock[static_cast<uint32_t>(a)] = static_cast<int>(b);
        ok = true;
    } else if (name == "hangup" && number(arg, a) && a <= UINT32_MAX) {
        plan.hangupAtBlock = static_cast<uint32_t>(a);
        ok = true;
    } else if (name == "max-rate" && number(arg, a) && a >= 1200 && a <= UINT32_MAX) {
        plan.maxLineRate = static_cast<uint32_t>(a);
        ok = true;
    } else if (name == "corrupt") {
        uint64_t offset = 0;
        const auto colon = arg.find(':');
        if (colon == std::string::npos) {
            ok = number(arg, a);
            if (ok) plan.corruptReply[a] = -1;
        } else {
            ok = number(arg.substr(0, colon), a) && number(arg.substr(colon + 1), offset) &&
                 offset < 256;
            if (ok) plan.corruptReply[a] = static_cast<int>(offset);
        }
    }
    if (!ok && error) *error = "unknown fault '" + text + "' (see --help for the list)";
    return ok;
}

const char* faultHelp() {
    return "  drop=N        never send the reply to host packet N (packets count from 1 in\n"
           "                each boot)\n"
           "  nak=B[:K]     answer 81 (write failed, send again) to the first K writes\n"
           "                (default 1, at most 1000) of block B (the block at address\n"
           "                B*128) in each boot; a host gives up after five in a row\n"
           "  noise         put a few random bytes on the line before every reply\n"
           "  mute-sync     never answer the sync bytes\n"
           "  unknown-id    report a model ID that zel.db does not list\n"
           "  other-series  report the model ID of a chip of another series\n"
           "  hangup=B      close the pseudo-terminal when block B arrives\n"
           "  corrupt=N[:O] flip the bits of byte O (counted from the 46 header byte;\n"
           "                default: the end byte) of the reply to packet N; N=0 is the\n"
           "                status reply\n"
           "  max-rate=R    play an adapter that cannot run above R baud: every byte sent\n"
           "                faster, either way, arrives as garbage\n";
}

uint8_t garbledByte(uint8_t byte) {
    // Both frame starts are below 0x80.
    return static_cast<uint8_t>(byte | 0x80);
}

}  // namespace zelsim
