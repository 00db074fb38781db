#include "recordcommand.h"

#include "core/apppaths.h"
#include "core/programconfig.h"
#include "record/recordcsv.h"
#include "record/recorddatabase.h"
#include "record/recorder.h"
#include "record/recordtexts.h"
#include "session.h"
#include "text.h"

#include <QJsonDocument>

namespace korvan::cli {
namespace {

void Print(std::FILE* file, const QString& text) {
    std::fputs(text.toUtf8().constData(), file);
}

// The columns a person reads on a terminal; CSV and JSON carry all of them.
QString TableLine(const record::ProductionRow& r) {
    const QString serial = r.serial ? QString::number(*r.serial) : QStringLiteral("-");
    return QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8  %9\n")
        .arg(r.endedAt.toOffsetFromUtc(r.utcOffset).toString(Qt::ISODate), r.station, r.job,
             r.chipModel.isEmpty() ? r.chipId : r.chipModel, r.codeFile, serial, r.task, r.result,
             r.cause);
}

}  // namespace

int RunRecordCommand(const Options& options, std::FILE* out, std::FILE* err) {
    const ProgramConfig config = LoadConfig(CurrentAppPaths());
    const QString text = !options.recordDb.isEmpty() ? options.recordDb : config.Database;
    record::DatabaseUrl url;
    if (text.isEmpty()) {
        const QString folder = record::DefaultDataFolder();
        if (folder.isEmpty()) {
            Print(err, QStringLiteral("korvan-cli: %1\n").arg(record::text::kNoDataFolder));
            return kExitJobFailed;
        }
        url.path = folder + QStringLiteral("/record.sqlite");
    } else {
        const record::DatabaseUrlResult parsed = record::ParseDatabaseUrl(text);
        if (!parsed.url) {
            Print(err, QStringLiteral("korvan-cli: %1\n").arg(parsed.error));
            return kExitUsage;
        }
        url = *parsed.url;
    }
    record::RecordDatabase db(url);
    record::RowFilter filter;
    filter.since = options.record.since;
    filter.task = options.record.task;
    filter.result = options.record.result;
    const auto rows = db.open() ? db.rows(filter) : std::nullopt;
    if (!rows) {
        Print(err, KORVAN_TR("korvan-cli", "korvan-cli: 无法读取生产记录 %1：%2\n")
                       .arg(record::DatabaseUrlText(url), db.error()));
        return kExitJobFailed;
    }
    if (options.record.csv) {
        Print(out, record::RowsToCsv(*rows));
    } else if (options.json) {
        for (const record::ProductionRow& row : *rows)
            Print(out, QString::fromUtf8(
                           QJsonDocument(record::RowToJson(row)).toJson(QJsonDocument::Compact)) +
                           '\n');
    } else {
        for (const record::ProductionRow& row : *rows) Print(out, TableLine(row));
    }
    std::fflush(out);
    return ferror(out) ? kExitJobFailed : kExitSuccess;
}

}  // namespace korvan::cli
