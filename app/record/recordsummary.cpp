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

const QList<ShownColumn>& ShownColumns() {
    // Indices into RowValues: time, station, port, job, model, chip serial, code file, SHA-256,
    // serial, task, result, cause, duration.
    static const QList<ShownColumn> columns = {
        {0, QStringLiteral("时间 (UTC)")}, {2, QStringLiteral("工位")},
        {5, QStringLiteral("串口")},       {6, QStringLiteral("任务类型")},
        {7, QStringLiteral("型号")},       {9, QStringLiteral("芯片序列号")},
        {12, QStringLiteral("代码文件")},  {15, QStringLiteral("SHA-256")},
        {18, QStringLiteral("增量(N)")},   {19, QStringLiteral("任务")},
        {20, QStringLiteral("结果")},      {21, QStringLiteral("原因")},
        {22, QStringLiteral("用时(ms)")}};
    return columns;
}

}  // namespace korvan::record
