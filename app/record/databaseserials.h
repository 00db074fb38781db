// The serial numbers of numbered downloads from the production database's pools, for the job
// controller of the desktop program. It keeps a connection of its own, opened when a numbered
// job first needs it and opened anew after the database was lost, so that a server that comes
// back is used again without a restart. The first connection gives back what this station's
// dead processes held; a number that could not be kept or given back is settled once the
// database answers again.
#pragma once

#include "jobs/serialsource.h"
#include "record/databaseurl.h"
#include "record/recorddatabase.h"

#include <memory>
#include <vector>

namespace korvan::record {

class DatabaseSerials : public jobs::SerialSource {
  public:
    // `database`: the text as configured ([Production] Database); `station`: who takes.
    DatabaseSerials(QString database, QString station);
    ~DatabaseSerials() override;

    const QString& database() const { return m_text; }
    const QString& station() const { return m_station; }

    std::optional<QString> unavailable() override;
    std::optional<qint64> take(const QString& pool, qint64 first) override;
    bool keep(const QString& pool, qint64 number) override;
    bool giveBack(const QString& pool, qint64 number) override;
    QString error() const override { return m_error; }

  private:
    struct Unsettled {
        QString pool;
        qint64 number;
        bool keep;
    };

    // The open database, or null with m_error set.
    RecordDatabase* connected();
    bool settle(const Unsettled& number);
    bool settleIn(RecordDatabase& db, const Unsettled& number);
    bool failed(const RecordDatabase& db);

    QString m_text, m_station;
    DatabaseUrlResult m_url;
    std::unique_ptr<RecordDatabase> m_db;
    QString m_error;
    bool m_reclaimed = false;
    std::vector<Unsettled> m_unsettled;
};

}  // namespace korvan::record
