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

QStringList ShownTitles() {
    return {KORVAN_TR("korvan", "时间"),     KORVAN_TR("korvan", "工位"),
            KORVAN_TR("korvan", "串口"),     KORVAN_TR("korvan", "任务类型"),
            KORVAN_TR("korvan", "型号"),     KORVAN_TR("korvan", "增量(N)"),
            KORVAN_TR("korvan", "结果"),     KORVAN_TR("korvan", "原因"),
            KORVAN_TR("korvan", "任务"),     KORVAN_TR("korvan", "代码文件"),
            KORVAN_TR("korvan", "用时(ms)"), KORVAN_TR("korvan", "芯片序列号"),
            QStringLiteral("SHA-256")};
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
