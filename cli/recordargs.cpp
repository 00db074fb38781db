#include "recordargs.h"

#include "record/databaseurl.h"
#include "text.h"

namespace korvan::cli {

std::optional<QDateTime> ParseSince(const QString& text) {
    const QString t = text.trimmed();
    const QDate day = QDate::fromString(t, Qt::ISODate);
    if (day.isValid() && t.size() == 10) return day.startOfDay();
    const QDateTime at = QDateTime::fromString(t, Qt::ISODateWithMs);
    if (at.isValid()) return at;
    return std::nullopt;
}

bool ParseRecordOption(const QString& name, const std::function<bool(QString&)>& needValue,
                       const std::function<bool()>& noValue, Options& o, ParseResult& r) {
    QString v;
    if (name == "--record-db") {
        if (!needValue(v)) return true;
        const record::DatabaseUrlResult url = record::ParseDatabaseUrl(v);
        if (!url.url) r.error = KORVAN_TR("korvan-cli", "--record-db：") + url.error;
        o.recordDb = v.trimmed();
    } else if (name == "--since") {
        if (!needValue(v)) return true;
        o.record.since = ParseSince(v);
        if (!o.record.since)
            r.error = KORVAN_TR("korvan-cli",
                                "--since 的日期无效（如 2026-12-09 或 2026-12-09T08:00）：%1")
                          .arg(v);
    } else if (name == "--task") {
        if (!needValue(o.record.task)) return true;
        if (o.record.task.trimmed().isEmpty())
            r.error = KORVAN_TR("korvan-cli", "--task 的名称为空");
    } else if (name == "--result") {
        if (!needValue(v)) return true;
        if (v != QLatin1String("ok") && v != QLatin1String("failed"))
            r.error = KORVAN_TR("korvan-cli", "--result 只能是 ok 或 failed：%1").arg(v);
        o.record.result = v;
    } else if (name == "--csv") {
        noValue();
        o.record.csv = true;
    } else {
        return false;
    }
    return true;
}

QString CheckRecordOptions(const Options& o) {
    const bool filters =
        o.record.since || !o.record.task.isEmpty() || !o.record.result.isEmpty() || o.record.csv;
    if (o.job != Job::Record && filters)
        return KORVAN_TR("korvan-cli", "--since、--task、--result 与 --csv 只用于 record");
    if (o.job == Job::Record && (!o.ports.isEmpty() || !o.simModels.isEmpty()))
        return KORVAN_TR("korvan-cli", "record 不使用串口");
    if (o.record.csv && o.json) return KORVAN_TR("korvan-cli", "--csv 与 --json 只能选一个");
    return {};
}

}  // namespace korvan::cli
