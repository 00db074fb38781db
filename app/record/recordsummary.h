// What the production record's window shows above its table: today's successes and failures.
#pragma once

#include "record/productionrow.h"

#include <QDate>
#include <QList>

namespace korvan::record {

struct DayCounts {
    int ok = 0;
    int failed = 0;
};

// Rows that ended on `day` in the station's local time then.
DayCounts CountDay(const QList<ProductionRow>& rows, const QDate& day);
// The columns the window shows, with their titles, as indices into RowValues.
struct ShownColumn {
    int value;
    QString title;
};
const QList<ShownColumn>& ShownColumns();

}  // namespace korvan::record
