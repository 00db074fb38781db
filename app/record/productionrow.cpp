#include "record/productionrow.h"

#include "record/recordtexts.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace korvan::record {
namespace {

QString JobName(int type) {
    switch (type) {
        case 1:
            return QStringLiteral("check");
        case 3:
            return QStringLiteral("configure");
        default:
            return QStringLiteral("download");
    }
}

const QString kIso = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ");

}  // namespace

void TakeChipFacts(ProductionRow& row, const jobs::ChipRecord& chip) {
    row.chipModel = chip.model;
    row.chipId = chip.id;
    row.chipSerial = chip.sn;
    row.bootloader = chip.version;
    row.clock = chip.cpu;
    row.options = chip.options.join(QStringLiteral("; "));
}

ProductionRow RowOf(const jobs::JobFacts& facts, const Station& station) {
    ProductionRow row;
    const QDateTime ended = facts.endedAt.isValid() ? facts.endedAt : QDateTime::currentDateTime();
    row.endedAt = ended.toUTC();
    row.utcOffset = ended.toLocalTime().offsetFromUtc();
    row.station = station.name;
    row.program = station.program;
    row.version = station.version;
    row.port = facts.port;
    row.job = JobName(facts.result.jobType);
    TakeChipFacts(row, facts.chip);
    // Options are written by downloads and configure jobs; a check only reads them.
    if (facts.result.jobType == 1) row.options.clear();
    if (!facts.code.isEmpty() || !facts.codeFile.isEmpty()) {
        row.codeFile = QFileInfo(facts.codeFile).fileName();
        row.codeSize = facts.code.size();
        row.codeSum = facts.codeSum;
        row.codeSha256 = QString::fromLatin1(
            QCryptographicHash::hash(facts.code, QCryptographicHash::Sha256).toHex());
    }
    row.rate = facts.rate;
    row.serial = facts.serial;
    row.task = facts.task;
    const bool ok = facts.result.outcome == jobs::Outcome::Success;
    row.result = ok ? text::kOk : text::kFailed;
    row.cause = ok ? QString() : facts.cause;
    if (facts.startedAt.isValid()) row.durationMs = facts.startedAt.msecsTo(ended);
    return row;
}

const QStringList& RowColumns() {
    static const QStringList columns = {
        "ended_utc", "utc_offset", "station",  "program",     "version",    "port",
        "job",       "chip_model", "chip_id",  "chip_serial", "bootloader", "clock_hz",
        "code_file", "code_size",  "code_sum", "code_sha256", "options",    "rate",
        "serial",    "task",       "result",   "cause",       "duration_ms"};
    return columns;
}

QStringList RowValues(const ProductionRow& r) {
    return {r.endedAt.toUTC().toString(kIso),
            QString::number(r.utcOffset),
            r.station,
            r.program,
            r.version,
            r.port,
            r.job,
            r.chipModel,
            r.chipId,
            r.chipSerial,
            r.bootloader,
            QString::number(r.clock),
            r.codeFile,
            QString::number(r.codeSize),
            r.codeSum,
            r.codeSha256,
            r.options,
            QString::number(r.rate),
            r.serial ? QString::number(*r.serial) : QString(),
            r.task,
            r.result,
            r.cause,
            QString::number(r.durationMs)};
}

QJsonObject RowToJson(const ProductionRow& r) {
    QJsonObject o;
    const QStringList& columns = RowColumns();
    const QStringList values = RowValues(r);
    for (qsizetype i = 0; i < columns.size(); ++i) o.insert(columns[i], values[i]);
    // Numbers as numbers, so that a reader need not parse them.
    o.insert("utc_offset", r.utcOffset);
    o.insert("clock_hz", r.clock);
    o.insert("code_size", r.codeSize);
    o.insert("rate", r.rate);
    o.insert("duration_ms", r.durationMs);
    o.insert("serial", r.serial ? QJsonValue(*r.serial) : QJsonValue());
    return o;
}

std::optional<ProductionRow> RowFromJson(const QJsonObject& o) {
    ProductionRow r;
    r.endedAt = QDateTime::fromString(o.value("ended_utc").toString(), Qt::ISODateWithMs);
    if (!r.endedAt.isValid()) return {};
    r.endedAt = r.endedAt.toUTC();
    r.utcOffset = o.value("utc_offset").toInt();
    r.station = o.value("station").toString();
    r.program = o.value("program").toString();
    r.version = o.value("version").toString();
    r.port = o.value("port").toString();
    r.job = o.value("job").toString();
    r.chipModel = o.value("chip_model").toString();
    r.chipId = o.value("chip_id").toString();
    r.chipSerial = o.value("chip_serial").toString();
    r.bootloader = o.value("bootloader").toString();
    r.clock = o.value("clock_hz").toInteger();
    r.codeFile = o.value("code_file").toString();
    r.codeSize = o.value("code_size").toInteger();
    r.codeSum = o.value("code_sum").toString();
    r.codeSha256 = o.value("code_sha256").toString();
    r.options = o.value("options").toString();
    r.rate = o.value("rate").toInteger();
    if (o.value("serial").isDouble()) r.serial = o.value("serial").toInteger();
    r.task = o.value("task").toString();
    r.result = o.value("result").toString();
    r.cause = o.value("cause").toString();
    r.durationMs = o.value("duration_ms").toInteger();
    if (r.result != text::kOk && r.result != text::kFailed) return {};
    return r;
}

}  // namespace korvan::record
