// The faults a virtual chip can be told to commit, so that a host's recovery paths can be
// exercised: lost, repeated, garbled or refused replies, a dead line, and wrong identities.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace zelsim {

struct FaultPlan {
    // Host packets are numbered from 1 in each boot session; the status reply counts as
    // reply 0.
    std::set<uint64_t> dropReplyTo;         // packets whose reply is never sent
    std::map<uint32_t, int> nakBlock;       // block number -> how many writes get 81
    bool noise = false;                     // random bytes before every reply
    bool muteSync = false;                  // the boot window never answers
    bool unknownId = false;                 // the status reply names a model the database lacks
    bool otherSeries = false;               // the status reply names a model of another series
    std::optional<uint32_t> hangupAtBlock;  // the line goes dead when this block arrives
    std::map<uint64_t, int> corruptReply;   // reply number -> byte offset, -1 = the end byte
    std::optional<uint32_t> maxLineRate;    // an adapter that garbles every byte above this rate

    bool empty() const;
};

// Adds one fault written as on the command line (see `zel-sim --help`), for example
// "drop=3", "nak=5:2", "noise", "mute-sync", "unknown-id", "other-series", "hangup=10",
// "corrupt=0", "corrupt=4:6" or
// "max-rate=115200". False with `error` set for text that names no fault.
bool addFault(FaultPlan& plan, const std::string& text, std::string* error);

// What an adapter that cannot run at `rate` makes of a byte sent at it: never the first byte of
// a host packet (0x46) or of a chip reply (0x68), so garbage never passes for a frame start.
uint8_t garbledByte(uint8_t byte);

// The help text lines that describe the faults.
const char* faultHelp();

}  // namespace zelsim
