#include "record/recordsummary.h"

#include "record/recordtexts.h"

namespace korvan::record {

DayCounts CountDay(const QList<ProductionRow>& rows, const QDate& day) {
    DayCounts counts;
    for (const ProductionRow& row : rows) {
        if (row.endedAt.toOffsetFromUtc(row.utcOffset).date() != day) continue;
        if (row.result == text::kOk)
            ++counts.ok;
        else
            ++counts.failed;
    }
    return counts;
}

const QStringList& ShownTitles() {
    static const QStringList titles = {
        QStringLiteral("时间"),     QStringLiteral("工位"),     QStringLiteral("串口"),
        QStringLiteral("任务类型"), QStringLiteral("型号"),     QStringLiteral("增量(N)"),
        QStringLiteral("结果"),     QStringLiteral("原因"),     QStringLiteral("任务"),
        QStringLiteral("代码文件"), QStringLiteral("用时(ms)"), QStringLiteral("芯片序列号"),
        QStringLiteral("SHA-256")};
    return titles;
}

QStringList ShownValues(const ProductionRow& r) {
    const QString when =
        r.endedAt.toOffsetFromUtc(r.utcOffset).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return {when,
            r.station,
            r.port,
            r.job,
            r.chipModel.isEmpty() ? r.chipId : r.chipModel,
            r.serial ? QString::number(*r.serial) : QString(),
            r.result == text::kOk ? text::kShownOk : text::kShownFailed,
            r.cause,
            r.task,
            r.codeFile,
            QString::number(r.durationMs),
            r.chipSerial,
            r.codeSha256.left(16)};
}

}  // namespace korvan::record
