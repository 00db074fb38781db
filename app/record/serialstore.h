// Serial numbers from a pool in the production database, so that several processes and
// stations never give one twice. A number is taken when the code is handed to a chip: the
// lowest one given back, else the pool's next new one, under the pool row's lock in one
// transaction. A chip that succeeds keeps it; a failed job gives it back. Each number notes
// who changed it last (station, machine, process), so that a station can give back what a
// process of its own held when it died.
#pragma once

#include "record/recorddatabase.h"
#include "record/serialholders.h"

#include <QString>
#include <optional>

namespace korvan::record {

class SerialStore {
  public:
    // `first`: the pool's first number when the database does not know the pool yet.
    SerialStore(RecordDatabase& db, QString pool, QString station, qint64 first);

    std::optional<qint64> take();
    bool keep(qint64 number);
    bool giveBack(qint64 number);
    // The number the pool hands out next when nothing is given back.
    std::optional<qint64> nextNew();
    const QString& error() const { return m_db.error(); }
    const QString& pool() const { return m_pool; }

  private:
    bool mark(qint64 number, const char* state);
    bool begin();
    bool rollback(const QString& why);

    RecordDatabase& m_db;
    QString m_pool, m_station;
    qint64 m_first;
    SerialHolder m_holder;
};

}  // namespace korvan::record
