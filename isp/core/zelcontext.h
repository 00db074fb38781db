// The identification state of one ZEL engine: what the last status reply said about the chip,
// the data to be written, and the database facts fixed at initialisation. The control uses
// the single process-wide instance; other engine users (one per port) may own their own.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace zel {

// An address-tagged byte array to be written in 128-byte blocks.
struct DataSegment {
    int64_t StartAddr = 0;
    int64_t EndAddr = -1;  // inclusive; StartAddr + Data.size() - 1
    std::vector<uint8_t> Data;
};

struct ZelContext {
    // Written by StartUp from the chip's status reply.
    std::vector<uint8_t> StatusBytes;  // zero-based payload; option bytes are edited in place
    QString ModelId;                   // four upper-case hex digits, "" before identification
    uint8_t SeriesByte = 0;            // first byte of the model ID, 0 before identification
    int SeriesIndex = 0;               // position of the series in TypeList
    QString Model;                     // "" when the chip is unknown
    QString Version;
    int64_t Flash = 0, Memory = 0, Eeprom = 0;
    int64_t Cpu = 0;   // measured clock in Hz
    int64_t Baud = 0;  // before a job: the highest rate allowed; after StartUp: the rate chosen
    QString Sn;        // serial number text or ""

    // Loaded by the engine after identification.
    QStringList OptionDescriptors;

    // The data of the current job, owned by the engine.
    std::vector<DataSegment> Segments;

    // Fixed when the database is installed.
    QString DbPath;
    QStringList TypeList;
    QString SeriesNames;  // display names joined with CR LF

    // The instance the control shares between all its objects.
    static ZelContext& processWide();
};

}  // namespace zel
