// The production record as CSV (RFC 4180): a header line, then one line per row. Shared by
// `korvan-cli record --csv` and the desktop program's export.
#pragma once

#include "record/productionrow.h"

#include <QList>
#include <QString>

namespace korvan::record {

QString CsvField(const QString& value);
QString RowsToCsv(const QList<ProductionRow>& rows);

}  // namespace korvan::record
