// Rows the record could not take, kept in a small file (one JSON object per line) until the
// next start writes them. Every change replaces the file atomically, so a crash never leaves a
// half-written spool.
#pragma once

#include "record/productionrow.h"

#include <QList>
#include <QString>

namespace korvan::record {

class RecordSpool {
  public:
    explicit RecordSpool(QString path) : m_path(std::move(path)) {}
    const QString& path() const { return m_path; }

    // Adds a row; false with `error` set when the file could not be written.
    bool add(const ProductionRow& row, QString* error);
    // The rows waiting; lines that do not read as a row are skipped and counted.
    QList<ProductionRow> rows(int* unreadable = nullptr) const;
    // Forgets the rows once they are in the database.
    bool clear(QString* error);

  private:
    QString m_path;
};

}  // namespace korvan::record
