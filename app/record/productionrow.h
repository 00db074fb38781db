// One row of the production record: which firmware went into which chip, when, at which
// station, and whether it worked.
#pragma once

#include "jobs/jobrecord.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <optional>

namespace korvan::record {

struct ProductionRow {
    QDateTime endedAt;  // UTC
    int utcOffset = 0;  // the station's offset from UTC then, in seconds
    QString station, program, version, port;
    QString job;  // "check", "download", "configure"
    QString chipModel, chipId, chipSerial, bootloader;
    qint64 clock = 0;  // the measured clock, Hz
    QString codeFile;
    qint64 codeSize = 0;
    QString codeSum, codeSha256;
    QString options;  // the chip's options as written, "; "-separated
    qint64 rate = 0;
    std::optional<qint64> serial;
    QString task;
    QString result;  // "ok" or "failed"
    QString cause;
    qint64 durationMs = 0;

    bool operator==(const ProductionRow&) const = default;
};

// Who writes the rows: the same for every row of a run.
struct Station {
    QString name;  // the configured name, else the host name
    QString program, version;
};

// The chip's own facts, the one place that knows the chip record's fields.
void TakeChipFacts(ProductionRow& row, const jobs::ChipRecord& chip);
ProductionRow RowOf(const jobs::JobFacts& facts, const Station& station);

// The row as JSON (the spool file and `korvan-cli record --json`) and back.
QJsonObject RowToJson(const ProductionRow& row);
std::optional<ProductionRow> RowFromJson(const QJsonObject& object);

// The column names, in the order of RowValues, for the table and CSV.
const QStringList& RowColumns();
QStringList RowValues(const ProductionRow& row);

}  // namespace korvan::record
