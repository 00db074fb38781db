// A connection to the production record (SQLite or PostgreSQL through Qt SQL) with its tables:
// created on first use and upgraded by a schema version, rows written in one transaction, read
// back with filters. Each object owns its own named connection, so several may live at once.
#pragma once

#include "record/databaseurl.h"
#include "record/productionrow.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace korvan::record {

// The schema this program writes; an older one is upgraded, a newer one is left alone.
inline constexpr int kSchemaVersion = 2;

struct RowFilter {
    std::optional<QDateTime> since;  // rows that ended at or after it
    QString task;
    QString result;  // "ok", "failed" or "" for both
    int limit = 0;   // the latest so many; 0 = all, oldest first
};

class RecordDatabase {
  public:
    explicit RecordDatabase(DatabaseUrl url);
    ~RecordDatabase();
    RecordDatabase(const RecordDatabase&) = delete;
    RecordDatabase& operator=(const RecordDatabase&) = delete;

    // Connects and makes sure the tables are there; false with error() set otherwise.
    bool open();
    bool isOpen() const { return m_ready; }
    const QString& error() const { return m_error; }
    const DatabaseUrl& url() const { return m_url; }
    bool postgres() const { return m_url.kind == DatabaseUrl::Kind::Postgres; }
    QSqlDatabase connection() const;

    // All of them or none.
    bool insert(const QList<ProductionRow>& rows);
    std::optional<QList<ProductionRow>> rows(const RowFilter& filter);

    // Remembers why the last statement failed; for the serial numbers' statements too.
    bool fail(const QString& why);

  private:
    bool createSchema();

    DatabaseUrl m_url;
    QString m_name;  // the connection's name
    QString m_error;
    bool m_ready = false;
};

}  // namespace korvan::record
