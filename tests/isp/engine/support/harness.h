// One engine wired to a chip model over an in-memory link and a virtual clock, with its own
// context and a small chip database in a temporary folder.
#pragma once

#include "chipmodel.h"
#include "eventrecorder.h"
#include "memorylink.h"
#include "virtualclock.h"
#include "zelcontext.h"
#include "zelengine.h"

#include <QTemporaryDir>

namespace zel::test {

// Chips the test database knows, by model ID.
inline constexpr uint8_t kSeriesF0 = 0xF0;
inline constexpr uint8_t kPlainF0 = 0x05;    // F005 "ZELF05N": no options, 16 KB
inline constexpr uint8_t kOptionF0 = 0x0A;   // F00A "ZELF0AOP": options and a configure job
inline constexpr uint8_t kUnknownF0 = 0xEE;  // F0EE: not in the database
// Series indices of the test database's type list.
inline constexpr int kIndexF0 = 0;
inline constexpr int kIndexD1 = 7;

// The database text: the step lists and templates of the shipped database for the series
// used here, with a handful of model rows.
QString TestDatabaseText();

ChipConfig PlainF0Chip();
ChipConfig OptionF0Chip();
ChipConfig FfChip();  // FF01: download list ends with the first end command
ChipConfig D1Chip();  // D103: even parity, two-byte checksums, long status reply

class Harness {
  public:
    // An empty database text stands for the database built into the control.
    explicit Harness(ChipConfig chip = PlainF0Chip(), const QString& database = TestDatabaseText());

    // Advances the clock until the engine is idle again; false after `limit` ms.
    bool runUntilIdle(int64_t limit = 120000);
    // Hands `data` to the engine from inside ViewInfo 102, as the host does.
    void supplyOnErase(Bytes data, std::vector<std::pair<Bytes, int64_t>> appended = {});
    // A download of `data` from start to end.
    bool download(const Bytes& data);

    MemoryChipDatabase database;
    ZelContext ctx;
    VirtualClock clock;
    ChipModel chip;
    MemoryLink link;
    EventRecorder events;
    ZelEngine engine;
    std::vector<TraceRecord> trace;
};

// `size` bytes of a recognisable pattern.
Bytes Pattern(size_t size, uint8_t seed = 1);

}  // namespace zel::test
