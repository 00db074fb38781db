// The state of one ZEL engine, split by direction: what the host gives a job (JobParameters),
// what identification found out about the chip (ChipRecord, read-only to everyone but the
// engine), the data to be written, and the database the current job reads. Each engine user
// owns one; the ZEL control keeps the single process-wide one its interface requires.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "zeldb.h"

namespace zel {

// An address-tagged byte array to be written in 128-byte blocks.
struct DataSegment {
    int64_t StartAddr = 0;
    int64_t EndAddr = -1;  // inclusive; StartAddr + Data.size() - 1
    std::vector<uint8_t> Data;
};

// What goes into a job.
struct JobParameters {
    int64_t MaxBaud = 0;     // the highest rate the host allows; below 1200 means 115 200
    int SelectedSeries = 0;  // the series the host selected; compared with the chip's
};

// What the last status reply said about the chip.
struct ChipRecord {
    std::vector<uint8_t> StatusBytes;  // zero-based payload; the option editor commits into it
    QString ModelId;                   // four upper-case hex digits, "" before identification
    uint8_t SeriesByte = 0;            // first byte of the model ID, 0 before identification
    int SeriesIndex = 0;               // position of the series in the type list
    QString Model;                     // "" when the chip is unknown
    QString Version;
    int64_t Flash = 0, Memory = 0, Eeprom = 0;
    int64_t Cpu = 0;   // measured clock in Hz
    int64_t Baud = 0;  // the rate chosen for the job (the host's limit until one is chosen)
    QString Sn;        // serial number text or ""
    QStringList OptionDescriptors;  // [OPTION] of the chip, loaded after identification
};

struct ZelContext {
    JobParameters Params;
    ChipRecord Chip;
    // The data of the current job, owned by the engine.
    std::vector<DataSegment> Segments;
    // The database of the current job, loaded once when it starts; never null.
    DbSnapshot Db = EmptyDb();
};

}  // namespace zel
