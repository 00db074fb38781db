#include "record/recordcsv.h"

namespace korvan::record {

QString CsvField(const QString& value) {
    QString v = value;
    // A cell that starts like a formula would run as one in the spreadsheet that opens it;
    // a negative number stays a number.
    const bool number = v.size() > 1 && v.front() == '-' && v[1].isDigit();
    if (!v.isEmpty() && QStringLiteral("=+-@").contains(v.front()) && !number) v.prepend('\'');
    if (v.contains(',') || v.contains('"') || v.contains('\n') || v.contains('\r'))
        v = '"' + v.replace('"', QStringLiteral("\"\"")) + '"';
    return v;
}

QString RowsToCsv(const QList<ProductionRow>& rows) {
    QString out = RowColumns().join(',') + QStringLiteral("\r\n");
    for (const ProductionRow& row : rows) {
        QStringList fields;
        for (const QString& value : RowValues(row)) fields << CsvField(value);
        out += fields.join(',') + QStringLiteral("\r\n");
    }
    return out;
}

}  // namespace korvan::record
