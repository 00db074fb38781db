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
// The columns the window shows: their titles, and a row's values as a person reads them (the
// station's local time, the SHA-256 shortened; the full one is in the CSV).
QStringList ShownTitles();  // in the language installed now
QStringList ShownValues(const ProductionRow& row);

}  // namespace korvan::record
