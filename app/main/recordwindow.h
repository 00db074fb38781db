// "生产记录": a read-only table of the latest rows of the production record, today's counts of
// successes and failures, and the export of the rows as CSV.
#pragma once

#include "record/productionrow.h"

#include <QDialog>
#include <QList>

class QLabel;
class QTableWidget;

namespace korvan {

namespace record {
class RecordDatabase;
}

class RecordWindow : public QDialog {
    Q_OBJECT
  public:
    // `db` may be null: the window then says why there is nothing to show.
    RecordWindow(record::RecordDatabase* db, const QString& unavailable, QWidget* parent = nullptr);

    // Reads the rows again.
    void refresh();
    // Writes the rows shown to `path`; false with the reason shown when it fails.
    bool exportCsv(const QString& path);
    const QList<record::ProductionRow>& rows() const { return m_rows; }

  private:
    record::RecordDatabase* m_db;
    QString m_unavailable;
    QList<record::ProductionRow> m_rows;
    QLabel* m_counts = nullptr;
    QTableWidget* m_table = nullptr;
};

}  // namespace korvan
